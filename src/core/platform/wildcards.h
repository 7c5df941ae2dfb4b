#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Wildcards in the input arguments. The shells of Windows (cmd.exe, PowerShell) hand "*" and
// "?" to the program as typed, and every Windows program that takes files expands them itself;
// POSIX shells have expanded them before the program starts, and there a "*" left in an
// argument is part of a name.
namespace walkconv {

// One input after expansion: the path of a file, or a pattern that no file matches, as typed.
struct ExpandedInput {
    std::string path;
    bool matchesNothing = false;

    bool operator==(const ExpandedInput&) const = default;
};

// Every argument as the program is to take it. Windows: an argument whose last component holds
// "*" or "?" gives the files of its folder that ExpandPattern picks. POSIX: every argument as
// it stands.
std::vector<ExpandedInput> ExpandWildcards(std::span<const std::string> arguments);

// True where the program expands wildcards itself (Windows).
bool ProgramExpandsWildcards() noexcept;

// The rules of Windows, as pure functions over texts, for every system to test.

// True when the last component of `argument` (after the last "\" or "/", or after a drive's
// "X:") holds "*" or "?".
bool HasWildcard(std::string_view argument);

// True when the UTF-8 name matches the pattern as Windows matches file names: "*" stands for
// any run of characters, "?" for one character, letters match without regard to case, and
// "*.*" matches every name, with a dot or without.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// One entry of a folder as the system lists it.
struct FolderEntry {
    std::string name;  // UTF-8
    bool isFolder = false;
    bool hiddenOrSystem = false;
};

// The files of `listing`, the folder that `argument` names before its last component, whose
// names that component matches, each as the folder part typed followed by the name, ordered by
// name without regard to case. Folders, and files marked hidden or system (which the analyses
// take as missing), are left out. A pattern that picks nothing gives itself, marked.
std::vector<ExpandedInput> ExpandPattern(std::string_view argument,
                                         std::span<const FolderEntry> listing);

}  // namespace walkconv
