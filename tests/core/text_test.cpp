#include "core/text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/conversion_error.h"

namespace walkconv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    LineSplitter splitter(text);
    for (std::string_view line; splitter.Next(line);) {
        lines.emplace_back(line);
    }
    return lines;
}

TEST(LineSplitter, LfCrLfAndCrAloneSplitTheSameLines) {
    const std::vector<std::string> expected = {"int a;", "", "  b = 1;", "}"};
    EXPECT_EQ(Lines("int a;\n\n  b = 1;\n}\n"), expected);
    EXPECT_EQ(Lines("int a;\r\n\r\n  b = 1;\r\n}\r\n"), expected);
    EXPECT_EQ(Lines("int a;\r\r  b = 1;\r}\r"), expected);
    EXPECT_EQ(Lines("int a;\r\n\n  b = 1;\r}\n"), expected);
}

TEST(LineSplitter, AMissingFinalLineEndStillGivesTheLastLine) {
    EXPECT_THAT(Lines("a\nb"), ElementsAre("a", "b"));
    EXPECT_THAT(Lines("a\r\nb"), ElementsAre("a", "b"));
    EXPECT_THAT(Lines("only"), ElementsAre("only"));
}

TEST(LineSplitter, EmptyTextHasNoLinesAndBlankLinesAreKept) {
    EXPECT_THAT(Lines(""), IsEmpty());
    EXPECT_THAT(Lines("\n"), ElementsAre(""));
    EXPECT_THAT(Lines("\r\n"), ElementsAre(""));
    EXPECT_THAT(Lines("\n\r"), ElementsAre("", ""));  // LF then CR: two line ends
    EXPECT_THAT(Lines("\r\n\r\n \n"), ElementsAre("", "", " "));
}

TEST(FileNameOf, TakesTheTextAfterTheLastSlashOrBackslash) {
    EXPECT_EQ(FileNameOf("dir/sub/ship_walk.c"), "ship_walk.c");
    EXPECT_EQ(FileNameOf("C:\\models\\ship_walk.c"), "ship_walk.c");
    EXPECT_EQ(FileNameOf("C:\\models/sub\\ship_walk.c"), "ship_walk.c");
    EXPECT_EQ(FileNameOf("/home/u\\x/ship_walk.c"), "ship_walk.c");
    EXPECT_EQ(FileNameOf("ship_walk.c"), "ship_walk.c");
    EXPECT_EQ(FileNameOf("dir/"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(DropLastCharacters, CutsCharactersFromTheEnd) {
    EXPECT_EQ(DropLastCharacters("ship_walk.c", 7), "ship");
    EXPECT_EQ(DropLastCharacters("abc.txt", 7), "");
    EXPECT_EQ(DropLastCharacters("", 0), "");
    EXPECT_EQ(DropLastCharacters("ship1.ini", 5), "ship");
}

TEST(DropLastCharacters, ThrowsWhenTheTextIsTooShort) {
    EXPECT_THROW(DropLastCharacters("ship.c", 7), ConversionError);
    EXPECT_THROW(DropLastCharacters("", 1), ConversionError);
}

TEST(DropLastCharacters, CountsAUtf8CharacterAsOne) {
    EXPECT_EQ(DropLastCharacters("\xC3\xBC"
                                 "ber_walk.c",
                                 7),
              "\xC3\xBC"
              "ber");                                          // "über"
    EXPECT_EQ(DropLastCharacters("ab\xE2\x82\xAC", 1), "ab");  // "ab€"
    const std::string sevenEuros =
        "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"
        "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC";
    EXPECT_EQ(DropLastCharacters(sevenEuros, 7), "");
    // Six characters in eighteen bytes are still too short for seven.
    EXPECT_THROW(DropLastCharacters(sevenEuros.substr(3), 7), ConversionError);
}

TEST(ToUpperAscii, UpperCasesAsciiLettersOnlyAndKeepsTheLength) {
    EXPECT_EQ(ToUpperAscii("ship_Walk_verts[0] = 1;"), "SHIP_WALK_VERTS[0] = 1;");
    EXPECT_EQ(ToUpperAscii("\xC3\xA9t\xC3\xA9"), "\xC3\xA9T\xC3\xA9");  // "été"
}

TEST(TextAfterFirst, GivesTheRestOrTheWholeTextWhenTheCharacterIsMissing) {
    EXPECT_EQ(TextAfterFirst("a[1] = [2]", '['), "1] = [2]");
    EXPECT_EQ(TextAfterFirst("declared;", '='), "declared;");
    EXPECT_EQ(TextAfterFirst("x=", '='), "");
}

}  // namespace
}  // namespace walkconv
