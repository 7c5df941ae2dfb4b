#include "core/text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(FindAnyCase, FindsTheFirstPlaceFromAPositionInAnyCaseInsideLongerWords) {
    const std::string_view text = "ship_Walk_Verts[0] = 1; SHIP_WALK_VERTS[1]; walk_vertsx";
    for (const std::size_t anchor : {0, 4, 5, 9}) {  // letters and the "_" alike
        SCOPED_TRACE(anchor);
        EXPECT_EQ(FindAnyCase(text, "WALK_VERTS", 0, anchor), 5u);
        EXPECT_EQ(FindAnyCase(text, "WALK_VERTS", 6, anchor), 29u);
        EXPECT_EQ(FindAnyCase(text, "WALK_VERTS", 30, anchor), 44u);
        EXPECT_EQ(FindAnyCase(text, "WALK_VERTS", 45, anchor), std::string_view::npos);
        EXPECT_EQ(FindAnyCase(text, "WALK_TYPES", 0, anchor), std::string_view::npos);
    }
    EXPECT_EQ(FindAnyCase(text, "WALK_VERTS"), 5u);
    EXPECT_EQ(FindAnyCase("[point_data]", "POINT_DATA"), 1u);
    EXPECT_EQ(FindAnyCase("Link", "LINK"), 0u);
    EXPECT_EQ(FindAnyCase("lin", "LINK"), std::string_view::npos);
    // Only ASCII letters fold: "{" is not "[", nor "\xE9" "\xC9".
    EXPECT_EQ(FindAnyCase("{size] [SIZE]", "[SIZE]", 0, 1), 7u);
    EXPECT_EQ(FindAnyCase("\xE9t\xC9T", "\xC9T", 0, 1), 2u);
    // Far from each other, the two cases of the anchor are still found in one pass.
    const std::string far = std::string(100'000, 'x') + "Point" + std::string(100'000, 'p');
    EXPECT_EQ(FindAnyCase(far, "POINT"), 100'000u);
}

TEST(FindEitherByte, FindsEitherByteAndWithAFoldEitherCase) {
    const std::string text = "abc\rdef\nghijklmnopqrstuvwxyzP";
    for (std::size_t from = 0; from <= text.size(); ++from) {
        SCOPED_TRACE(from);
        const std::size_t lineEnd = std::min(text.find('\r', from), text.find('\n', from));
        EXPECT_EQ(FindEitherByte(text, from, '\r', '\n'), lineEnd);
        EXPECT_EQ(FindEitherByte(text, from, 'p', 'z', 0x20),
                  std::min(text.find_first_of("pP", from), text.find('z', from)));
    }
    EXPECT_EQ(FindEitherByte("P", 0, 'p', 'p'), std::string_view::npos);  // no fold, no match
}

TEST(TextAfterFirst, GivesTheRestOrTheWholeTextWhenTheCharacterIsMissing) {
    EXPECT_EQ(TextAfterFirst("a[1] = [2]", '['), "1] = [2]");
    EXPECT_EQ(TextAfterFirst("declared;", '='), "declared;");
    EXPECT_EQ(TextAfterFirst("x=", '='), "");
}

}  // namespace
}  // namespace walkconv
