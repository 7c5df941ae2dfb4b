#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// File access of the core: reading an input whole, testing for it, and replacing an output
// safely. Paths travel through the program as UTF-8 text.
namespace walkconv {

// The path named by UTF-8 text, on every platform.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// The UTF-8 text of a path, on every platform: the inverse of PathFromUtf8.
std::string Utf8FromPath(const std::filesystem::path& path);

// True when `path` names an ordinary file: a regular file (symbolic links followed) that is not
// marked hidden or system (Windows). Never throws.
bool IsRegularFile(const std::filesystem::path& path) noexcept;

// The whole content of a file, bytes as they are. Throws ConversionError when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// Writes `content` to a new temporary file in the target's folder and renames it over the
// target once it is complete and closed. On any failure the temporary file is removed, an
// existing target stays as it was, and ConversionError says why. A target that is a symbolic
// link has the file it points to replaced.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// Writes an output: into a target that exists and is not a regular file or a folder (a
// device, a FIFO, a terminal; NUL on Windows) directly, as it stands, since replacing it
// would destroy it; into anything else as WriteFileAtomically does. Throws ConversionError.
void WriteOutputFile(const std::filesystem::path& target, std::string_view content);

}  // namespace walkconv
