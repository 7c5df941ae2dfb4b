#include "core/input_kind.h"

#include <exception>
#include <filesystem>

#include "core/text.h"
#include "core/text_file.h"

namespace walkconv {

InputKind KindOfInput(const std::string& inputPath) {
    const std::filesystem::path path = PathFromUtf8(inputPath);
    const std::string ending = ToUpperAscii(Utf8FromPath(path.extension()));
    if (ending == ".C") {
        return InputKind::WalkSource;
    }
    if (ending == ".INI") {
        return InputKind::Sailorpoints;
    }
    if (!IsRegularFile(path)) {
        return InputKind::WalkSource;  // the analysis reports it missing
    }
    try {
        const std::string upper = ToUpperAscii(ReadTextFile(path));
        return upper.find("POINT_DATA") != std::string::npos ||
                       upper.find("LINK_DATA") != std::string::npos
                   ? InputKind::Sailorpoints
                   : InputKind::WalkSource;
    } catch (const std::exception&) {
        return InputKind::WalkSource;  // the analysis reports why it cannot be read
    }
}

}  // namespace walkconv
