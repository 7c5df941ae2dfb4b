#include "core/platform/wildcards.h"

#include <gtest/gtest.h>

#include "support/platform.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

TEST(MatchesWildcard, MatchesAsWindowsMatchesFileNames) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*_walk.c", "brig_walk.c", true},
        {"*_walk.c", "BRIG_WALK.C", true},
        {"*_walk.c", "brig_walk.cpp", false},
        {"*_walk.c", "_walk.c", true},
        {"*_walk.c", "brig1.ini", false},
        {"deck?_walk.c", "deck2_walk.c", true},
        {"deck?_walk.c", "deck_walk.c", false},
        {"deck?_walk.c", "deck12_walk.c", false},
        {"*a*a*b", "aaaab", true},  // a "*" takes a longer run after a false start
        {"*a*a*b", "aab", true},
        {"*a*a*b", "ab", false},
        {"**", "", true},
        {"?", "", false},
        {"*.*", "README", true},  // as cmd.exe: every name
        {"*.ini", "frigate1.INI", true},
        {"\xC3\xBC*_walk.c",
         "\xC3\x9C"
         "ber_walk.c",
         true},  // ü, Ü
        {"\xD0\xB1\xD1\x80\xD0\xB8\xD0\xB3*", "\xD0\x91\xD0\xA0\xD0\x98\xD0\x93_walk.c",
         true},  // бриг, БРИГ
        {"\xCF\x82*",
         "\xCE\xA3"
         "1.ini",
         true},  // final sigma, capital sigma
        {"\xC4\x9F*",
         "\xC4\x9E"
         "1.ini",
         true},                                 // ğ, Ğ
        {"?_walk.c", "\xC3\xA9_walk.c", true},  // "?" is one character
        {"i*",
         "\xC4\xB0"
         "1.ini",
         false},  // no Turkish rule
        {"\xFF*",
         "\xFE"
         "1.ini",
         false},  // bytes outside UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

TEST(HasWildcard, LooksAtTheLastComponentOnly) {
    EXPECT_TRUE(HasWildcard("*_walk.c"));
    EXPECT_TRUE(HasWildcard("models\\deck?1.ini"));
    EXPECT_TRUE(HasWildcard("C:*.c"));
    EXPECT_FALSE(HasWildcard("mod*\\deck_walk.c"));
    EXPECT_FALSE(HasWildcard("\\\\?\\C:\\models\\deck_walk.c"));
    EXPECT_FALSE(HasWildcard("deck_walk.c"));
}

TEST(ExpandPattern, GivesTheMatchingFilesInOrderWithTheFolderAsTyped) {
    const std::vector<FolderEntry> listing = {
        {"deck_walk.c"},   {"Brig_WALK.C"},     {"brig_walk.c.bak"},
        {"hull1.ini"},     {"aa_walk.c", true}, {"hidden_walk.c", false, true},
        {"ANCHOR_walk.c"}, {"brig_walk.c"},
    };
    const std::vector<ExpandedInput> expected = {{"models\\ANCHOR_walk.c"},
                                                 {"models\\Brig_WALK.C"},
                                                 {"models\\brig_walk.c"},
                                                 {"models\\deck_walk.c"}};
    using Inputs = std::vector<ExpandedInput>;
    EXPECT_EQ(ExpandPattern("models\\*_walk.c", listing), expected);
    EXPECT_EQ(ExpandPattern("C:hull?.INI", listing), Inputs{{"C:hull1.ini"}});
    EXPECT_EQ(ExpandPattern("../m/h*", listing), Inputs{{"../m/hull1.ini"}});
    EXPECT_EQ(ExpandPattern("models\\*1.ini", {}), (Inputs{{"models\\*1.ini", true}}));
    EXPECT_EQ(ExpandPattern("hidden*", listing), (Inputs{{"hidden*", true}}));
}

TEST(ExpandWildcards, ExpandsInTheFolderOnWindowsOnly) {
    testing::TempDir dir;
    dir.Write("deck_walk.c", "");
    dir.Write("BRIG_WALK.C", "");
    dir.Write("deck1.ini", "");
    const std::string folder = dir.path().string() + (testing::kOnWindows ? "\\" : "/");
    const std::vector<std::string> args = {folder + "*_walk.c", folder + "deck1.ini",
                                           folder + "*_walk.ini"};
    std::vector<ExpandedInput> expected;
    if (ProgramExpandsWildcards()) {
        expected = {{folder + "BRIG_WALK.C"},
                    {folder + "deck_walk.c"},
                    {folder + "deck1.ini"},
                    {folder + "*_walk.ini", true}};
    } else {
        expected = {{args[0]}, {args[1]}, {args[2]}};
    }
    EXPECT_EQ(ExpandWildcards(args), expected);
    EXPECT_EQ(ProgramExpandsWildcards(), testing::kOnWindows);
}

}  // namespace
}  // namespace walkconv
