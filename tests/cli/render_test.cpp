// render: where the picture of each input goes, what the line says, and how a batch ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/walkconv_fixture.h"
#include "support/platform.h"

namespace walkconv::testing {
namespace {

class RenderTest : public WalkconvTest {};

// Three points with one pair joined twice: one finding.
constexpr char kTwiceIni[] =
    "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,1\npoint 2 = 2,1,0,5\n"
    "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,1\n";

// kShipWalk with a count that the assignments contradict, which only a walk source can have.
std::string MiscountedWalk() {
    std::string text = kShipWalk;
    const std::string from = "ship_walk_count = 3";
    return text.replace(text.find(from), from.size(), "ship_walk_count = 4");
}

TEST_F(RenderTest, WritesTheGraphPictureWhereTheConvertersWouldWriteTheirOutput) {
    Write("in/ship_walk.c", MiscountedWalk());
    Write("in/twice1.ini", kTwiceIni);
    Write("in/twice.txt", kTwiceIni);  // read by content, as check reads it
    std::filesystem::create_directory("out");
    struct Case {
        std::vector<std::string> args;
        std::string printed;
        std::string written;
        std::string finding;  // a finding's message, which the picture shows in a title
    };
    const Case cases[] = {
        {{"in/ship_walk.c"},
         "in/ship_walk.c -> in/ship_graph.svg (3 points, 2 links, 1 finding)\n",
         "in/ship_graph.svg",
         "walk_count is set to 4, but the file assigns 3 points"},
        {{"in/twice1.ini", "-d", "out"},
         "in/twice1.ini -> out/twice_graph.svg (3 points, 3 links, 1 finding)\n",
         "out/twice_graph.svg",
         "link 2 joins points 2 and 1, as link 1 does already"},
        {{"in/twice.txt", "-o", "out/picture.svg"},
         "in/twice.txt -> out/picture.svg (3 points, 3 links, 1 finding)\n",
         "out/picture.svg",
         "link 2 joins points 2 and 1, as link 1 does already"},
        {{"-q", "in/twice1.ini"}, "", "in/twice_graph.svg", "as link 1 does already"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        std::vector<std::string> args = {"render"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const WalkconvRun run = Walkconv(args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.printed);
        EXPECT_EQ(run.err, "");
        const std::string svg = Read(c.written);
        EXPECT_TRUE(svg.starts_with("<?xml")) << svg.substr(0, 100);
        EXPECT_TRUE(svg.ends_with("</svg>\n"));
        EXPECT_NE(svg.find(c.finding), std::string::npos);
        std::filesystem::remove(c.written);
    }
}

TEST_F(RenderTest, AnInputThatIsNotValidWritesNothingAndTheWorstStatusWins) {
    Write("good_walk.c", kShipWalk);
    Write("invalid_walk.c", "float invalid_walk_verts[6];\n");
    Write("notvalid1.ini", "[SIZE]\npoints = 3\n");
    Write("broken_walk.c", "broken_walk_types[2000] = 1;\n");
    std::filesystem::create_directories("out/unwritable_graph.svg");  // a folder in the way
    Write("unwritable_walk.c", kShipWalk);
    const WalkconvRun run = Walkconv({"render", "good_walk.c", "invalid_walk.c", "notvalid1.ini",
                                      "broken_walk.c", "missing_walk.c"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "good_walk.c -> good_graph.svg (3 points, 2 links, 0 findings)\n");
    EXPECT_EQ(run.err,
              "invalid_walk.c: This file is not a valid walk file\n"
              "notvalid1.ini: This file is not a valid sailorpoints file\n"
              "broken_walk.c:1:1: error: type index 2000 is outside 0..1000\n"
              "broken_walk_types[2000] = 1;\n"
              "^\n"
              "missing_walk.c: no such file\n");
    EXPECT_TRUE(Exists("good_graph.svg"));
    for (const char* none : {"invalid_graph.svg", "broken_graph.svg", "missing_graph.svg"}) {
        EXPECT_FALSE(Exists(none)) << none;
    }
    const WalkconvRun unwritable = Walkconv({"render", "-d", "out", "unwritable_walk.c"});
    EXPECT_EQ(unwritable.status, 4);
    EXPECT_EQ(unwritable.err,
              NativeSeparators("out/unwritable_graph.svg") + ": cannot write: is a folder\n");
}

}  // namespace
}  // namespace walkconv::testing
