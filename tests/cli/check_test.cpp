// check: the summary of each input, how its format is chosen, its warnings, and --werror.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/walkconv_fixture.h"
#include "core/conversion_state.h"
#include "core/walk/walk_writer.h"

namespace walkconv::testing {
namespace {

class CheckTest : public WalkconvTest {};

std::string Summary(const std::string& input, const std::string& model, int points, int links) {
    return input + ":\nShip model name: " + model +
           "\n\nNumber of points = " + std::to_string(points) +
           "\nNumber of links = " + std::to_string(links) + "\n";
}

// `text` with its first `from` replaced by `to`.
std::string Edited(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST_F(CheckTest, PrintsTheWindowsSummaryAndNoWarningForFilesTheToolWrote) {
    Write("brig1.ini", kShipIni);
    ASSERT_EQ(Walkconv({"to-walk", "-q", "brig1.ini"}).status, 0);
    ASSERT_EQ(Walkconv({"to-ini", "-q", "brig_walk.c", "-o", "back1.ini"}).status, 0);
    const WalkconvRun run = Walkconv({"check", "--werror", "brig_walk.c", "back1.ini"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              Summary("brig_walk.c", "brig", 3, 2) + "\n" + Summary("back1.ini", "back", 3, 2));
    EXPECT_EQ(run.err, "");
}

TEST_F(CheckTest, ReadsByTheEndingFirstAndByContentOtherwise) {
    Write("SHIP.INI", kShipIni);
    Write("model.c", kShipIni);  // a sailorpoints text under a walk source's ending
    Write("points.txt", kShipIni);
    Write("source.txt", kShipWalk);
    Write("nothing.dat", "no section, no keyword\n");
    const WalkconvRun run =
        Walkconv({"check", "SHIP.INI", "model.c", "points.txt", "source.txt", "nothing.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Summary("SHIP.INI", "SHI", 3, 2) + "\n" +
                           Summary("points.txt", "point", 3, 2) + "\n" +
                           Summary("source.txt", "sou", 3, 2));
    EXPECT_EQ(run.err,
              "model.c: This file is not a valid walk file\n"
              "nothing.dat: This file is not a valid walk file\n");
}

TEST_F(CheckTest, ReportsInputsItCannotSummariseLikeTheConverters) {
    Write("notes1.ini", "[SIZE]\npoints = 1\n");
    Write("huge_walk.c", "huge_walk_verts[9000] = 1;\n");
    const WalkconvRun run = Walkconv({"check", "notes1.ini", "huge_walk.c", "gone1.ini"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "notes1.ini: This file is not a valid sailorpoints file\n"
              "huge_walk.c: Error! Input file corrupted or not valid\n"
              "gone1.ini: no such file\n");
    EXPECT_EQ(Walkconv({"check", "notes1.ini", "huge_walk.c"}).status, 2);
    EXPECT_EQ(Walkconv({"check", "notes1.ini"}).status, 1);
}

struct WarningCase {
    std::string name;
    std::string content;
    std::vector<std::string> warnings;
};

std::vector<WarningCase> WarningCases() {
    const std::string points3 =
        "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\n"
        "point 2 = 2,0,0,0\n[LINK_DATA]\n";
    ConversionState wide;  // a chain over 257 points: only its last link reaches point 256
    wide.ModelName = "wide";
    wide.PointCount = 257;
    wide.LinkCount = 256;
    for (int i = 0; i < 256; ++i) {
        wide.Links[i] = Link{static_cast<std::int16_t>(i), static_cast<std::int16_t>(i + 1)};
    }
    const std::string padding =
        "        ship_walk_graph[2] = (-1)*256 + (-1);\r\n"
        "        ship_walk_graph[3] = (-1)*256 + (-1);\r\n}";
    return {
        {"beyond1.ini",
         points3 + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,5\nlink 3 = 7,1\n",
         {"link 2 joins points 2 and 5, but the file has only 3 points",
          "link 3 joins points 7 and 1, but the file has only 3 points"}},
        {"loop1.ini",
         points3 + "link 0 = 0,1\nlink 1 = 2,2\nlink 2 = 1,2\n",
         {"link 1 joins point 2 to itself"}},
        {"twice1.ini",
         points3 + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 1,0\nlink 3 = 1,2\n",
         {"link 2 joins points 1 and 0, as link 0 does already",
          "link 3 joins points 1 and 2, as link 1 does already"}},
        {"lonely1.ini", points3 + "link 0 = 0,2\n", {"point 1 is not touched by any link"}},
        {"wide_walk.c",
         FormatWalkSource(wide),
         {"walk_graph[255] holds a point number of 256 or more, which '(a)*256 + (b)' cannot "
          "tell apart once evaluated"}},
        {"one_walk.c",
         Edited(Edited(kShipWalk, "}", "        ship_walk_graph[2] = (0)*256 + (-1);\r\n}"),
                "ship_walk_graph[2]", "ship_walk_graph[3]"),
         {"1 link with a negative end was dropped"}},
        {"ship_walk.c",
         Edited(Edited(kShipWalk, "}", padding), "ship_walk_graph[2]", "ship_walk_graph[4]"),
         {"2 links with a negative end were dropped"}},
        {"count_walk.c",
         Edited(kShipWalk, "ship_walk_count = 3", "ship_walk_count = 4"),
         {"walk_count is set to 4, but the file assigns 3 points"}},
        {"verts_walk.c",
         Edited(kShipWalk, "ship_walk_verts[9]", "ship_walk_verts[12]"),
         {"point 3 is not touched by any link",
          "walk_verts is declared with 12 values, but the file assigns 3 points (9 values)"}},
        {"types_walk.c",
         Edited(kShipWalk, "ship_walk_types[3]", "ship_walk_types[1]"),
         {"walk_types is declared with 1 entry, but the file assigns 3 points"}},
        {"graph_walk.c",
         Edited(kShipWalk, "ship_walk_graph[2]", "ship_walk_graph[1]"),
         {"point 2 is not touched by any link",
          "walk_graph is declared with 1 entry, but the file assigns 2 entries"}},
    };
}

TEST_F(CheckTest, WarnsOfEachFlawOnOneLineWithoutChangingTheStatus) {
    for (const WarningCase& c : WarningCases()) {
        Write(c.name, c.content);
        const WalkconvRun run = Walkconv({"check", c.name});
        std::string expected;
        for (const std::string& warning : c.warnings) {
            expected += c.name + ": warning: " + warning + "\n";
        }
        EXPECT_EQ(run.err, expected);
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(Walkconv({"check", "--werror", c.name}).status, 5) << c.name;
    }
}

TEST_F(CheckTest, WerrorGivesFiveOnlyWhenNothingWorseHappened) {
    Write("lonely1.ini",
          "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\npoint 2 = 2,0,0,0\n"
          "[LINK_DATA]\nlink 0 = 0,2\n");
    Write("ship1.ini", kShipIni);
    Write("invalid1.ini", "[POINT_DATA]\n");
    EXPECT_EQ(Walkconv({"check", "--werror", "ship1.ini", "lonely1.ini"}).status, 5);
    EXPECT_EQ(Walkconv({"check", "--werror", "lonely1.ini", "invalid1.ini"}).status, 1);
    EXPECT_EQ(Walkconv({"check", "--werror", "missing1.ini", "lonely1.ini"}).status, 3);
}

}  // namespace
}  // namespace walkconv::testing
