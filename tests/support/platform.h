#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

// What differs between the systems the tests run on (Linux, and Windows under Wine).
namespace walkconv::testing {

inline constexpr bool kOnWindows = std::filesystem::path::preferred_separator == '\\';

// Why a test of a POSIX feature cannot hold on Windows, for GTEST_SKIP.
inline constexpr char kNoPosixPermissions[] =
    "Windows has no POSIX permissions (only a read-only attribute)";
inline constexpr char kNoSymbolicLinks[] =
    "symbolic links on Windows need a privilege that ordinary users lack";
inline constexpr char kNoProcessorClock[] =
    "std::clock counts wall time on Windows, so a busy machine would count against the code";

// `text` with every "/" turned into the system's own separator: how walkconv joins a folder
// and a file name when nothing the user wrote shows which separator to use.
inline std::string NativeSeparators(std::string text) {
    std::replace(text.begin(), text.end(), '/',
                 static_cast<char>(std::filesystem::path::preferred_separator));
    return text;
}

}  // namespace walkconv::testing
