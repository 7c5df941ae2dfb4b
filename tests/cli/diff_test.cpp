// diff: what changed between the graphs of two files, as lines and as JSON, with the statuses of
// diff and cmp; and the operands that git gives a diff driver.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "cli/walkconv_fixture.h"

namespace walkconv::testing {
namespace {

class DiffTest : public WalkconvTest {};

// A sailorpoints file with these point values and links.
std::string Ini(const std::vector<std::string>& points,
                const std::vector<std::pair<int, int>>& links) {
    std::string text = "[POINT_DATA]\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        text += "point " + std::to_string(i) + " = " + points[i] + "\n";
    }
    text += "[LINK_DATA]\n";
    for (std::size_t i = 0; i < links.size(); ++i) {
        text += "link " + std::to_string(i) + " = " + std::to_string(links[i].first) + "," +
                std::to_string(links[i].second) + "\n";
    }
    return text;
}

// Eight points in a chain; point i at (i, 0.5, -i) with type i % 3 + 8 (9 and 10 map in walk
// sources).
std::vector<std::string> ChainPoints() {
    std::vector<std::string> points;
    for (int i = 0; i < 8; ++i) {
        points.push_back(std::to_string(i) + ",0.5,-" + std::to_string(i) + "," +
                         std::to_string(i % 3 + 8));
    }
    return points;
}

std::vector<std::pair<int, int>> ChainLinks(int points = 8) {
    std::vector<std::pair<int, int>> links;
    for (int i = 0; i + 1 < points; ++i) {
        links.emplace_back(i, i + 1);
    }
    return links;
}

struct DiffCase {
    const char* name;
    std::string b;  // compared with the chain
    std::string out;
};

TEST_F(DiffTest, SaysWhatChangedPointByPointAndLinkByLink) {
    const std::string chain = Ini(ChainPoints(), ChainLinks());
    Write("chain1.ini", chain);
    std::vector<std::string> removed = ChainPoints();
    removed.erase(removed.begin() + 4);
    std::vector<std::pair<int, int>> bridged = ChainLinks(7);
    std::vector<std::string> moved = ChainPoints();
    moved[3] = "3,0.75,-3,11";
    std::vector<std::string> retyped = ChainPoints();
    retyped[6] = "6,0.5,-6,0";
    std::vector<std::pair<int, int>> reversed = ChainLinks();
    std::swap(reversed[2].first, reversed[2].second);
    std::vector<std::pair<int, int>> twice = ChainLinks();
    twice.emplace_back(3, 2);
    std::vector<std::pair<int, int>> fewer = ChainLinks();
    fewer.erase(fewer.begin() + 1);
    fewer.emplace_back(7, 0);
    const std::vector<DiffCase> cases{
        {"the same file", chain, "same graph: 8 points, 7 links\n"},
        {"links in another order and either way round",
         Ini(ChainPoints(), {{7, 6}, {0, 1}, {2, 1}, {2, 3}, {4, 3}, {5, 4}, {5, 6}}),
         "same graph: 8 points, 7 links\n"},
        {"a point removed in the middle", Ini(removed, bridged),
         "point 4 removed (4, 0.5, -4, type 9)\n"
         "link 3-4 removed\nlink 4-5 removed\nlink 3-4 added\n"
         "points: 1 removed, 0 added, 0 changed; links: 2 removed, 1 added\n"},
        {"one moved and retyped", Ini(moved, ChainLinks()),
         "point 3 moved (3, 0.5, -3) -> (3, 0.75, -3), type 8 -> 11\n"
         "points: 0 removed, 0 added, 1 changed; links: 0 removed, 0 added\n"},
        {"one retyped", Ini(retyped, ChainLinks()),
         "point 6 type 8 -> 0\n"
         "points: 0 removed, 0 added, 1 changed; links: 0 removed, 0 added\n"},
        {"a link reversed", Ini(ChainPoints(), reversed), "same graph: 8 points, 7 links\n"},
        {"a link made twice", Ini(ChainPoints(), twice),
         "link 2-3 added\npoints: 0 removed, 0 added, 0 changed; links: 0 removed, 1 added\n"},
        {"a link removed and one added", Ini(ChainPoints(), fewer),
         "link 1-2 removed\nlink 0-7 added\n"
         "points: 0 removed, 0 added, 0 changed; links: 1 removed, 1 added\n"},
    };
    for (const DiffCase& c : cases) {
        SCOPED_TRACE(c.name);
        Write("b1.ini", c.b);
        const WalkconvRun run = Walkconv({"diff", "chain1.ini", "b1.ini"});
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, c.out.starts_with("same graph") ? 0 : 1);
    }
}

// Point 4 of A is gone and B has a new last point; the links follow the points, not numbers.
TEST_F(DiffTest, JsonFormatListsEachDifferenceSortedWithTheLowerLinkEndFirst) {
    Write("a1.ini", Ini(ChainPoints(), ChainLinks()));
    std::vector<std::string> points = ChainPoints();
    points.erase(points.begin() + 4);
    points[0] = "0,0.5,0.25,8";
    points.push_back("9,9,9,1");
    std::vector<std::pair<int, int>> links = ChainLinks(7);
    links.erase(links.begin() + 3);
    links.emplace_back(7, 6);
    Write("b1.ini", Ini(points, links));
    const WalkconvRun run = Walkconv({"diff", "--format", "json", "a1.ini", "b1.ini"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), nlohmann::ordered_json::parse(R"json({
        "a": "a1.ini", "b": "b1.ini", "same": false,
        "points_removed": [{"a": 4, "x": 4, "y": 0.5, "z": -4, "type": 9}],
        "points_added": [{"b": 7, "x": 9, "y": 9, "z": 9, "type": 1}],
        "points_changed": [{"a": 0, "b": 0, "from": {"x": 0, "y": 0.5, "z": 0, "type": 8},
                            "to": {"x": 0, "y": 0.5, "z": 0.25, "type": 8}}],
        "links_removed": [[3, 4], [4, 5]],
        "links_added": [[6, 7]]
    })json"))
        << run.out;
}

// A file and its conversion are the same graph, whichever comes first and whichever way it was
// converted: two types are alike when converting either file maps one onto the other (ini 8 and
// 9 read as walk 4, walk 4 writes as ini 7). A changed type is said in each file's own codes,
// the same both ways round.
TEST_F(DiffTest, AFileAndItsConversionAreTheSameGraphBothWays) {
    Write("ship1.ini", kShipIni);
    Write("ship_walk.c", kShipWalk);
    Write("t81.ini", Ini({"1,2,3,8", "1,2,4,9", "0,0,0,7"}, {{0, 1}, {1, 2}}));
    ASSERT_EQ(Walkconv({"to-walk", "-q", "t81.ini", "--model", "t8"}).status, 0);
    std::string retyped = kShipWalk;
    retyped.replace(retyped.find("types[2] = 4"), 12, "types[2] = 3");
    Write("other_walk.c", retyped);
    struct Case {
        const char* a;
        const char* b;
        std::string out;
    };
    const std::string changed =
        "points: 0 removed, 0 added, 1 changed; links: 0 removed, 0 added\n";
    for (const Case& c : std::vector<Case>{
             {"ship1.ini", "ship_walk.c", "same graph: 3 points, 2 links\n"},
             {"ship_walk.c", "ship1.ini", "same graph: 3 points, 2 links\n"},
             {"t81.ini", "t8_walk.c", "same graph: 3 points, 2 links\n"},
             {"t8_walk.c", "t81.ini", "same graph: 3 points, 2 links\n"},
             {"ship1.ini", "other_walk.c", "point 2 type 7 (ini) -> 3 (walk)\n" + changed},
             {"other_walk.c", "ship1.ini", "point 2 type 3 (walk) -> 7 (ini)\n" + changed},
         }) {
        const WalkconvRun run = Walkconv({"diff", c.a, c.b});
        EXPECT_EQ(run.out, c.out) << c.a << " " << c.b;
        EXPECT_EQ(run.status, c.out.starts_with("same") ? 0 : 1) << c.a << " " << c.b;
    }
}

TEST_F(DiffTest, AnInputThatCannotBeReadIsTroubleAndTheOperandsAreTwoFiles) {
    Write("ship1.ini", kShipIni);
    Write("notes1.ini", "[SIZE]\npoints = 3\n");
    const WalkconvRun run = Walkconv({"diff", "gone1.ini", "notes1.ini"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "gone1.ini: no such file\n"
              "notes1.ini: This file is not a valid sailorpoints file\n");
    for (const auto& [args, problem] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"diff", "ship1.ini"}, "diff takes two files, A and B, but 1 was given"},
             {{"diff", "--git", "ship1.ini", "ship1.ini"},
              "diff --git takes the 7 arguments git gives a diff driver, but 2 were given"},
             {{"diff", "ship1.ini", "ship1.ini", "-o", "x"},
              "The following argument was not expected: -o"}}) {
        const WalkconvRun usage = Walkconv(args);
        EXPECT_EQ(usage.status, 64);
        EXPECT_EQ(usage.err, "walkconv: " + problem + "\n" + kHelpHint);
    }
}

// git runs a driver with the path, then each side as file, hex and mode; a file added or
// deleted has "/dev/null" on its empty side ("nul" once a Windows shell has passed it on).
TEST_F(DiffTest, GitDriverOperandsNameThePathAndAnEmptySideAndEndWithZero) {
    Write("tmp/old_ship1.ini", kShipIni);
    Write("ship1.ini", Ini({"1.5,2,-0.25,10", "0,3,4,1"}, {{0, 1}}));
    const std::string hex(40, 'a');
    const WalkconvRun changed = Walkconv({"diff", "--git", "ship1.ini", "tmp/old_ship1.ini", hex,
                                          "100644", "ship1.ini", hex, "100644"});
    EXPECT_EQ(changed.status, 0);
    EXPECT_EQ(changed.out,
              "walking graph of ship1.ini\n"
              "point 2 removed (2, 0.5, -2, type 7)\n"
              "link 1-2 removed\n"
              "points: 1 removed, 0 added, 0 changed; links: 1 removed, 0 added\n");
    for (const char* empty : {"/dev/null", "nul", "NUL"}) {
        const WalkconvRun added =
            Walkconv({"diff", "--git", "new1.ini", empty, ".", ".", "ship1.ini", hex, "100644"});
        EXPECT_EQ(added.status, 0) << empty;
        EXPECT_EQ(added.out,
                  "walking graph of new1.ini\n"
                  "point 0 added (1.5, 2, -0.25, type 10)\npoint 1 added (0, 3, 4, type 1)\n"
                  "link 0-1 added\n"
                  "points: 0 removed, 2 added, 0 changed; links: 0 removed, 1 added\n")
            << empty;
    }
    const WalkconvRun renamed =
        Walkconv({"diff", "--git", "ship1.ini", "ship1.ini", hex, "100644", "ship1.ini", hex,
                  "100644", "brig1.ini", "similarity index 100%"});
    EXPECT_EQ(renamed.out,
              "walking graph of ship1.ini -> brig1.ini\nsame graph: 2 points, 1 link\n");
    EXPECT_EQ(Walkconv({"diff", "--git", "ship1.ini"}).out,
              "walking graph of ship1.ini: unmerged\n");
    // A side that cannot be compared is one line, and git goes on: status 0. Every path after
    // --git is an operand, one that begins with a dash too.
    Write("tmp/frigate1.ini", "[POINT_DATA]\npoint 0 = 1,2,3,4\n");
    Write("-dash1.ini", kShipIni);
    const std::vector<std::pair<std::vector<std::string>, std::string>> uncomparable{
        {{"x1.ini", "gone1.ini", hex, "100644", "/dev/null", ".", "."},
         "x1.ini: cannot be read; the text differs\n"},
        {{"frigate1.ini", "tmp/frigate1.ini", hex, "100644", "ship1.ini", hex, "100644"},
         "frigate1.ini: not a valid sailorpoints file; the text differs\n"},
        {{"-dash1.ini", "-dash1.ini", hex, "100644", "-dash1.ini", hex, "100644"},
         "walking graph of -dash1.ini\nsame graph: 3 points, 2 links\n"},
    };
    for (const auto& [operands, out] : uncomparable) {
        std::vector<std::string> args{"diff", "--git"};
        args.insert(args.end(), operands.begin(), operands.end());
        const WalkconvRun run = Walkconv(args);
        EXPECT_EQ(run.status, 0) << out;
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(Walkconv({"diff", "tmp/frigate1.ini", "ship1.ini"}).status, 2);
}

}  // namespace
}  // namespace walkconv::testing
