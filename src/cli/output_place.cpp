#include "cli/output_place.h"

#include <filesystem>
#include <string_view>

#include "core/text_file.h"

namespace walkconv::cli {

namespace {

namespace fs = std::filesystem;

// The separators of path texts: "/" everywhere, and "\" too where the system says so.
constexpr bool kBackslashSeparates = fs::path::preferred_separator == '\\';
constexpr std::string_view kSeparators = kBackslashSeparates ? "/\\" : "/";

// The separator with which the user writes paths: the last one in `folder`, else the last one
// in `input`, else the system's own.
char SeparatorOf(std::string_view folder, std::string_view input) {
    for (const std::string_view text : {folder, input}) {
        if (const std::size_t at = text.find_last_of(kSeparators); at != std::string_view::npos) {
            return text[at];
        }
    }
    return static_cast<char>(fs::path::preferred_separator);
}

// The text of `folder` joined with a file name, with the separator the user writes.
std::string InFolder(const std::string& folder, char separator, const std::string& name) {
    std::string joined = Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(name));
    const std::size_t at = folder.size();
    if (joined.size() == at + 1 + name.size() && kSeparators.find(joined[at]) != kSeparators.npos) {
        joined[at] = separator;
    }
    return joined;
}

}  // namespace

std::string OutputPath(const Request& request, const std::string& input, const std::string& name) {
    if (request.output) {
        return *request.output;
    }
    const std::string folder =
        request.dir ? *request.dir : Utf8FromPath(PathFromUtf8(input).parent_path());
    return InFolder(folder, SeparatorOf(folder, input), name);
}

}  // namespace walkconv::cli
