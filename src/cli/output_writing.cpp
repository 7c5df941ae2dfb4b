#include "cli/output_writing.h"

#include <optional>

#include "core/conversion_error.h"
#include "core/platform/output_target.h"
#include "core/text_file.h"

namespace walkconv::cli {

namespace {

// 1 for the standard output, 2 for the standard error, none for any other output.
std::optional<int> StreamOf(const std::string& output) {
    if (output == kStandardOutputName) {
        return 1;
    }
    return StandardStreamNamedBy(PathFromUtf8(output));
}

}  // namespace

bool IsStandardOutput(const std::string& output) {
    return StreamOf(output) == 1;
}

void WriteOutput(const std::string& output, std::string_view content, std::ostream& out,
                 std::ostream& err) {
    const std::optional<int> stream = StreamOf(output);
    if (!stream) {
        WriteOutputFile(PathFromUtf8(output), content);
        return;
    }
    std::ostream& into = *stream == 1 ? out : err;
    into.flush();
    if (*stream == 1) {
        TakeBytesAsTheyAreOnStandardOutput();
    }
    into.write(content.data(), static_cast<std::streamsize>(content.size()));
    into.flush();
    if (!into) {
        throw ConversionError(*stream == 1 ? "the standard output takes no more"
                                           : "the standard error takes no more");
    }
}

}  // namespace walkconv::cli
