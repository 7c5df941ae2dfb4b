#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// What an output path names besides an ordinary file: a device, a pipe, a terminal or one of
// the process's standard streams, which take bytes as they come and must never be replaced by
// a file; and how the system tells two paths of one file apart.
namespace walkconv {

enum class OutputTarget {
    File,    // a regular file, a folder, or nothing yet: replaced in one step, or refused
    Device,  // anything else that exists (POSIX: a character or block device, a FIFO, a
             // socket, a terminal; Windows: a device name such as NUL or CON, or \\.\NAME)
};

// What `path` names now, links followed. Never throws.
OutputTarget KindOfOutputTarget(const std::filesystem::path& path) noexcept;

// The standard stream that `path` names by the system's own names for it (POSIX: /dev/stdout,
// /dev/fd/1 and /proc/self/fd/1 give 1, the same for 2 and the standard error); none for any
// other path. Opening those names anew would start at the beginning of a file that the stream
// is redirected to, so they are written through the stream instead.
std::optional<int> StandardStreamNamedBy(const std::filesystem::path& path) noexcept;

// Writes all of `bytes` into the existing device `path` as it stands: nothing is created,
// truncated, renamed or forced onto a disk. Throws ConversionError when it cannot be opened or
// written.
void WriteIntoDevice(const std::filesystem::path& path, std::string_view bytes);

// The path as the system tells files apart: absolute, with ".", ".." and links resolved as far
// as they exist, and on Windows in one letter case, since its file names ignore case.
std::filesystem::path ComparablePath(const std::filesystem::path& path);

// Makes the standard output take bytes as they are, before a whole file is written to it
// (Windows would otherwise turn every line feed into CR LF). Nothing to do on POSIX.
void TakeBytesAsTheyAreOnStandardOutput();

}  // namespace walkconv
