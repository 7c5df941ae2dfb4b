#include "core/walk/walk_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <locale>
#include <string>
#include <utility>

#include "core/conversion_error.h"
#include "support/locale_guard.h"
#include "support/state_listing.h"
#include "support/temp_dir.h"

namespace {

using walkconv::ConversionState;
using walkconv::FormatWalkSource;
using walkconv::testing::TempDir;
using walkconv::testing::WithLineEnds;

// The model of the example file: two points and one link.
ConversionState ExampleShip() {
    ConversionState state;
    state.ModelName = "ship";
    state.PointCount = 2;
    state.LinkCount = 1;
    state.Points[0] = {1.5, 0, -2.25, 0};
    state.Points[1] = {3, 0.5, 4, 1};
    state.Links[0] = {0, 1};
    return state;
}

// One point and one link, the smallest file a valid analysis can give.
ConversionState OnePointOneLink(const std::string& model, walkconv::Point point,
                                walkconv::Link link) {
    ConversionState state;
    state.ModelName = model;
    state.PointCount = 1;
    state.LinkCount = 1;
    state.Points[0] = point;
    state.Links[0] = link;
    return state;
}

TEST(WalkWriter, WriteWalkSource_WritesTheExampleByteForByte) {
    const std::string expected = TempDir::Read(std::filesystem::path(WALKCONV_TEST_DATA_DIR) /
                                               "sailorpoints_to_walk" / "ship_walk.c");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(FormatWalkSource(ExampleShip()), expected);

    TempDir dir;
    const auto path = dir.path() / "ship_walk.c";
    walkconv::WriteWalkSource(path, ExampleShip());
    EXPECT_EQ(TempDir::Read(path), expected);
}

TEST(WalkWriter, FormatWalkSource_HasTwelveLinesPlusFourPerPointAndOnePerLink) {
    for (const auto& [points, links] : {std::pair{1, 1}, {3, 7}, {1001, 1001}, {1001, 1}}) {
        ConversionState state;
        state.ModelName = "m";
        state.PointCount = static_cast<std::int16_t>(points);
        state.LinkCount = static_cast<std::int16_t>(links);
        const std::string text = FormatWalkSource(state);
        const auto crlf = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        EXPECT_EQ(crlf, 12 + 4 * points + links) << points << " points, " << links << " links";
        EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), crlf);
        EXPECT_TRUE(text.ends_with("}\r\n"));
    }
}

TEST(WalkWriter, FormatWalkSource_WritesModelNameAndLinkEndsAsTheyAre) {
    // An empty name leaves identifiers that begin with "_walk"; link ends of 256 and more are
    // written without a range check.
    EXPECT_EQ(FormatWalkSource(OnePointOneLink("", {0.25, -1, 2, 5}, {12, 300})),
              WithLineEnds("int _walk_count;\n"
                           "float _walk_verts[3];\n"
                           "int _walk_types[1];\n"
                           "int _walk_graph[1];\n"
                           "\n"
                           "void _walk_init()\n"
                           "{\n"
                           "        _walk_count = 1;\n"
                           "\n"
                           "        _walk_verts[0] = 0.25;\n"
                           "        _walk_verts[1] = -1;\n"
                           "        _walk_verts[2] = 2;\n"
                           "\n"
                           "        _walk_types[0] = 5;\n"
                           "\n"
                           "        _walk_graph[0] = (12)*256 + (300);\n"
                           "}\n",
                           "\r\n"));
}

TEST(WalkWriter, FormatWalkSource_DecimalCommaLocaleStillWritesDecimalPoints) {
    ConversionState large;
    large.ModelName = "big";
    large.PointCount = 1001;
    large.LinkCount = 1001;
    for (int i = 0; i < 1001; ++i) {
        large.Points[i] = {i + 0.5, -i * 0.25, 1234.5, i % 2 == 0 ? 2.5 : 1000};
        large.Links[i] = {static_cast<std::int16_t>(i), 1000};
    }
    const std::string inCLocale = FormatWalkSource(large);

    const walkconv::testing::LocaleGuard german(walkconv::testing::kDecimalCommaLocale);
    if (!german.HasDecimalComma()) {
        GTEST_SKIP() << "no decimal-comma locale installed";
    }
    // The C++ global locale too, with its "." digit grouping, for stream-based formatting;
    // where the C++ library knows no locale but "C" (Windows), only the C library's changes.
    std::locale previous;
    try {
        previous = std::locale::global(std::locale(walkconv::testing::kDecimalCommaLocale));
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(FormatWalkSource(OnePointOneLink("ship", {1.5, -0.25, 1234.5, 2.5}, {0, 1000})),
              WithLineEnds("int ship_walk_count;\n"
                           "float ship_walk_verts[3];\n"
                           "int ship_walk_types[1];\n"
                           "int ship_walk_graph[1];\n"
                           "\n"
                           "void ship_walk_init()\n"
                           "{\n"
                           "        ship_walk_count = 1;\n"
                           "\n"
                           "        ship_walk_verts[0] = 1.5;\n"
                           "        ship_walk_verts[1] = -0.25;\n"
                           "        ship_walk_verts[2] = 1234.5;\n"
                           "\n"
                           "        ship_walk_types[0] = 2.5;\n"
                           "\n"
                           "        ship_walk_graph[0] = (0)*256 + (1000);\n"
                           "}\n",
                           "\r\n"));
    EXPECT_EQ(FormatWalkSource(large), inCLocale);
    std::locale::global(previous);
    EXPECT_NE(inCLocale.find("float big_walk_verts[3003];\r\n"), std::string::npos);
    EXPECT_NE(inCLocale.find("big_walk_types[0] = 2.5;\r\n"), std::string::npos);
}

TEST(WalkWriter, WriteWalkSource_ReplacesAnExistingFile) {
    TempDir dir;
    const auto path = dir.Write("ship_walk.c", "an older and much longer walk source\r\n\r\n\r\n");
    walkconv::WriteWalkSource(path, ExampleShip());
    EXPECT_EQ(TempDir::Read(path), FormatWalkSource(ExampleShip()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(WalkWriter, WriteWalkSource_ToAnUnwritablePathThrows) {
    TempDir dir;
    EXPECT_THROW(walkconv::WriteWalkSource(dir.path() / "missing" / "ship_walk.c", ExampleShip()),
                 walkconv::ConversionError);
    std::filesystem::create_directory(dir.path() / "ship_walk.c");
    EXPECT_THROW(walkconv::WriteWalkSource(dir.path() / "ship_walk.c", ExampleShip()),
                 walkconv::ConversionError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "ship_walk.c"));
    EXPECT_THROW(walkconv::WriteWalkSource(std::filesystem::path(), ExampleShip()),
                 walkconv::ConversionError);
    // Nothing is left behind: no temporary file beside the folder that stood in the way.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
