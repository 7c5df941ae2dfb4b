#include "core/platform/wildcards.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace walkconv {

namespace {

// Small letters whose capitals lie at a fixed distance: each in [first, last], or with
// `everyOther` only `first` and every second one after it (the capital just before each).
struct CaseRange {
    char32_t first;
    char32_t last;
    std::int32_t toCapital;
    bool everyOther;
};

// The scripts of the names a user is likely to give files: Latin, Greek, Cyrillic, Armenian,
// and fullwidth Latin. Windows compares names through such a table, one character at a time,
// the same in every language (no Turkish dotless i).
constexpr CaseRange kCaseRanges[] = {
    {0x0061, 0x007A, -32, false},
    {0x00E0, 0x00F6, -32, false},
    {0x00F8, 0x00FE, -32, false},
    {0x00FF, 0x00FF, 0x0178 - 0x00FF, false},
    {0x0101, 0x012F, -1, true},
    {0x0133, 0x0137, -1, true},
    {0x013A, 0x0148, -1, true},
    {0x014B, 0x0177, -1, true},
    {0x017A, 0x017E, -1, true},
    {0x03AC, 0x03AC, 0x0386 - 0x03AC, false},
    {0x03AD, 0x03AF, 0x0388 - 0x03AD, false},
    {0x03B1, 0x03C1, -32, false},
    {0x03C2, 0x03C2, 0x03A3 - 0x03C2, false},
    {0x03C3, 0x03CB, -32, false},
    {0x03CC, 0x03CC, 0x038C - 0x03CC, false},
    {0x03CD, 0x03CE, 0x038E - 0x03CD, false},
    {0x0430, 0x044F, -32, false},
    {0x0450, 0x045F, -80, false},
    {0x0461, 0x0481, -1, true},
    {0x048B, 0x04BF, -1, true},
    {0x04C2, 0x04CE, -1, true},
    {0x04CF, 0x04CF, 0x04C0 - 0x04CF, false},
    {0x04D1, 0x052F, -1, true},
    {0x0561, 0x0586, -48, false},
    {0x1E01, 0x1E95, -1, true},
    {0x1EA1, 0x1EFF, -1, true},
    {0xFF41, 0xFF5A, -32, false},
};

char32_t CapitalOf(char32_t c) {
    for (const CaseRange& range : kCaseRanges) {
        if (c >= range.first && c <= range.last &&
            (!range.everyOther || (c - range.first) % 2 == 0)) {
            return static_cast<char32_t>(static_cast<std::int32_t>(c) + range.toCapital);
        }
    }
    return c;
}

// The characters of a UTF-8 text in capitals. A byte that is not part of UTF-8 stands for
// itself, apart from every character.
std::u32string CapitalsOf(std::string_view utf8) {
    std::u32string capitals;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        bool whole = (byte < 0x80 || byte >= 0xC2) && byte < 0xF5 && i + length <= utf8.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (whole) {
            capitals.push_back(CapitalOf(c));
            i += length;
        } else {
            capitals.push_back(0x110000 + byte);
            ++i;
        }
    }
    return capitals;
}

bool Matches(std::u32string_view pattern, std::u32string_view name) {
    constexpr std::size_t kNoStar = std::u32string_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = kNoStar;  // the last "*" met, from which to try a longer run
    std::size_t starRunEnd = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            starRunEnd = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star != kNoStar) {
            p = star + 1;
            n = ++starRunEnd;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

std::size_t LastComponentStart(std::string_view argument) {
    if (const std::size_t separator = argument.find_last_of("\\/");
        separator != std::string_view::npos) {
        return separator + 1;
    }
    const bool drive =
        argument.size() >= 2 && argument[1] == ':' &&
        ((argument[0] >= 'A' && argument[0] <= 'Z') || (argument[0] >= 'a' && argument[0] <= 'z'));
    return drive ? 2 : 0;
}

#ifdef _WIN32

// The entries of the folder that `folderPart` (as typed, with its separator) names; none when
// it names no folder.
std::vector<FolderEntry> ListFolder(std::string_view folderPart) {
    const std::string search = std::string(folderPart) + "*";
    const std::filesystem::path searchPath(std::u8string(search.begin(), search.end()));
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW(searchPath.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::vector<FolderEntry> listing;
    if (find == INVALID_HANDLE_VALUE) {
        return listing;
    }
    do {
        try {
            const std::u8string name = std::filesystem::path(data.cFileName).u8string();
            listing.push_back(
                {std::string(name.begin(), name.end()),
                 (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                 (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
        } catch (const std::exception&) {
            // A name that is not UTF-16 cannot be handed on as a path: it matches nothing.
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return listing;
}

#endif

}  // namespace

bool HasWildcard(std::string_view argument) {
    return argument.find_first_of("*?", LastComponentStart(argument)) != std::string_view::npos;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") {
        return true;
    }
    return Matches(CapitalsOf(pattern), CapitalsOf(name));
}

std::vector<ExpandedInput> ExpandPattern(std::string_view argument,
                                         std::span<const FolderEntry> listing) {
    const std::string_view folderPart = argument.substr(0, LastComponentStart(argument));
    const std::string_view pattern = argument.substr(folderPart.size());
    struct Match {
        std::u32string key;
        const std::string* name;
    };
    std::vector<Match> matches;
    for (const FolderEntry& entry : listing) {
        if (!entry.isFolder && !entry.hiddenOrSystem && MatchesWildcard(pattern, entry.name)) {
            matches.push_back({CapitalsOf(entry.name), &entry.name});
        }
    }
    if (matches.empty()) {
        return {{std::string(argument), true}};
    }
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        return a.key != b.key ? a.key < b.key : *a.name < *b.name;
    });
    std::vector<ExpandedInput> inputs;
    for (const Match& match : matches) {
        inputs.push_back({std::string(folderPart) + *match.name, false});
    }
    return inputs;
}

#ifdef _WIN32

std::vector<ExpandedInput> ExpandWildcards(std::span<const std::string> arguments) {
    std::vector<ExpandedInput> inputs;
    for (const std::string& argument : arguments) {
        if (!HasWildcard(argument)) {
            inputs.push_back({argument, false});
            continue;
        }
        const std::vector<FolderEntry> listing =
            ListFolder(std::string_view(argument).substr(0, LastComponentStart(argument)));
        for (ExpandedInput& input : ExpandPattern(argument, listing)) {
            inputs.push_back(std::move(input));
        }
    }
    return inputs;
}

bool ProgramExpandsWildcards() noexcept {
    return true;
}

#else

std::vector<ExpandedInput> ExpandWildcards(std::span<const std::string> arguments) {
    std::vector<ExpandedInput> inputs;
    for (const std::string& argument : arguments) {
        inputs.push_back({argument, false});
    }
    return inputs;
}

bool ProgramExpandsWildcards() noexcept {
    return false;
}

#endif

}  // namespace walkconv
