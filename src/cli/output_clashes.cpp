#include "cli/output_clashes.h"

#include <filesystem>
#include <map>

#include "core/platform/output_target.h"
#include "core/text_file.h"

namespace walkconv::cli {

std::string OutputClash::Text() const {
    return first + " and " + second + " would both write " + output;
}

std::optional<OutputClash> FindOutputClash(std::span<const PlannedOutput> planned) {
    std::map<std::filesystem::path, const PlannedOutput*> writers;
    for (const PlannedOutput& one : planned) {
        const auto [known, added] =
            writers.try_emplace(ComparablePath(PathFromUtf8(one.output)), &one);
        if (!added) {
            return OutputClash{known->second->input, one.input, one.output};
        }
    }
    return std::nullopt;
}

}  // namespace walkconv::cli
