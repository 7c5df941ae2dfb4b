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

// A walk source and the sailorpoints file converted from it are the same graph, whichever
// comes first: A's types are taken as converting A maps them.
TEST_F(DiffTest, AFileAndItsConversionAreTheSameGraph) {
    Write("ship1.ini", kShipIni);
    Write("ship_walk.c", kShipWalk);
    for (const auto& [a, b] :
         {std::pair{"ship1.ini", "ship_walk.c"}, {"ship_walk.c", "ship1.ini"}}) {
        const WalkconvRun run = Walkconv({"diff", a, b});
        EXPECT_EQ(run.out, "same graph: 3 points, 2 links\n") << a;
        EXPECT_EQ(run.status, 0) << a;
    }
    std::string other = kShipWalk;
    other.replace(other.find("types[2] = 4"), 12, "types[2] = 7");
    Write("other_walk.c", other);
    EXPECT_EQ(Walkconv({"diff", "ship1.ini", "other_walk.c"}).out,
              "point 2 type 4 -> 7\n"
              "points: 0 removed, 0 added, 1 changed; links: 0 removed, 0 added\n");
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
    const WalkconvRun trouble =
        Walkconv({"diff", "--git", "x1.ini", "gone1.ini", hex, "100644", "/dev/null", ".", "."});
    EXPECT_EQ(trouble.status, 2);
    EXPECT_EQ(trouble.err, "gone1.ini: no such file\n");
}

}  // namespace
}  // namespace walkconv::testing
