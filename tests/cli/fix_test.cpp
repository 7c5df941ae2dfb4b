// fix: the repair of each finding that has one, printed in a dry run or made with -i, -o or -d;
// a repaired file read again; files left alone; the types of both kinds; the JSON document.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/walkconv_fixture.h"
#include "core/editing/document_file.h"
#include "core/editing/repairs.h"
#include "core/numbers.h"
#include "support/platform.h"
#include "support/text_edits.h"

namespace walkconv::testing {
namespace {

class FixTest : public WalkconvTest {};

const std::string kThreePoints =
    "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\npoint 2 = 2,0,0,0\n[LINK_DATA]\n";

// A dry run's lines as -i prints them once the file is written: "N repairs made, ...".
std::string Made(std::string out) {
    const std::size_t lastLine = out.rfind('\n', out.size() - 2) + 1;
    return out.insert(out.find(',', lastLine), " made");
}

struct FixCase {
    std::string name;
    std::string content;
    std::string out;        // the dry run's stdout
    std::string err;        // its stderr
    std::vector<int> kept;  // the links the repaired file keeps, by their number in the input
};

std::vector<FixCase> FixCases() {
    const std::string negative =
        Edited(Edited(kShipWalk, "}", "        ship_walk_graph[2] = (0)*256 + (-1);\r\n}"),
               "ship_walk_graph[2]", "ship_walk_graph[3]");
    return {
        {"beyond1.ini",
         kThreePoints + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,5\nlink 3 = 7,1\n",
         "beyond1.ini:8:1: fix: remove link 2 (joins points 2 and 5, but the file has only 3 "
         "points)\n"
         "beyond1.ini:9:1: fix: remove link 3 (joins points 7 and 1, but the file has only 3 "
         "points)\n"
         "beyond1.ini: 2 repairs, 0 findings left for a person\n",
         "",
         {0, 1}},
        {"loop1.ini",
         kThreePoints + "link 0 = 0,1\nlink 1 = 2,2\nlink 2 = 1,2\n",
         "loop1.ini:7:1: fix: remove link 1 (joins point 2 to itself)\n"
         "loop1.ini: 1 repair, 0 findings left for a person\n",
         "",
         {0, 2}},
        {"twice1.ini",
         kThreePoints + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 1,0\nlink 3 = 1,2\nlink 4 = 2,0\n",
         "twice1.ini:8:1: fix: remove link 2 (joins points 1 and 0, as link 0 does already)\n"
         "twice1.ini:9:1: fix: remove link 3 (joins points 1 and 2, as link 1 does already)\n"
         "twice1.ini: 2 repairs, 0 findings left for a person\n",
         "",
         {0, 1, 4}},
        // A link to itself made twice: removed once for each, whatever else it is.
        {"both1.ini",
         kThreePoints + "link 0 = 0,1\nlink 1 = 1,1\nlink 2 = 1,2\nlink 3 = 1,1\n",
         "both1.ini:7:1: fix: remove link 1 (joins point 1 to itself)\n"
         "both1.ini:9:1: fix: remove link 3 (joins point 1 to itself)\n"
         "both1.ini: 2 repairs, 0 findings left for a person\n",
         "",
         {0, 2}},
        {"one_walk.c",
         negative,
         "one_walk.c:26:9: fix: remove 1 link with a negative end (the reader drops it already)\n"
         "one_walk.c: 1 repair, 0 findings left for a person\n",
         "",
         {0, 1}},
        // Links are named by their numbers in the file, as their places are, whatever the reader
        // dropped before them.
        {"q1.ini",
         kThreePoints + "link 0 = 0,1\nlink 1 = -1,2\nlink 2 = 1,2\nlink 3 = 2,1\n",
         "q1.ini:7:1: fix: remove 1 link with a negative end (the reader drops it already)\n"
         "q1.ini:9:1: fix: remove link 3 (joins points 2 and 1, as link 2 does already)\n"
         "q1.ini: 2 repairs, 0 findings left for a person\n",
         "",
         {0, 1}},
        // What needs a person is listed as check lists it, and never guessed at.
        {"lonely1.ini",
         kThreePoints + "link 0 = 0,2\nlink 1 = 2,2\n",
         "lonely1.ini:7:1: fix: remove link 1 (joins point 2 to itself)\n"
         "lonely1.ini: 1 repair, 1 finding left for a person\n",
         "lonely1.ini: warning: point 1 is not touched by any link\n",
         {0}},
        {"count_walk.c",
         Edited(kShipWalk, "ship_walk_count = 3", "ship_walk_count = 4"),
         "count_walk.c: 0 repairs, 1 finding left for a person\n",
         "count_walk.c: warning: walk_count is set to 4, but the file assigns 3 points\n",
         {0, 1}},
    };
}

// Dry run, --werror, then -i: the file read again has none of the findings fix repairs, the
// same points as written, and the links it kept in their order.
TEST_F(FixTest, EachRepairIsPrintedInTheFindingsPlaceAndMadeInPlace) {
    for (const FixCase& c : FixCases()) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.content);
        const WalkconvRun dry = Walkconv({"fix", c.name});
        EXPECT_EQ(dry.out, c.out);
        EXPECT_EQ(dry.err, c.err);
        EXPECT_EQ(dry.status, 0);
        EXPECT_EQ(Read(c.name), c.content);
        const bool due = c.out.find(": fix: ") != std::string::npos;
        EXPECT_EQ(Walkconv({"fix", "--werror", c.name}).status, due ? 5 : 0);

        const DocumentReading before = ReadDocument(c.name, KindOfInput(c.name));
        const WalkconvRun inPlace = Walkconv({"fix", "-i", c.name});
        EXPECT_EQ(inPlace.status, 0);
        EXPECT_EQ(inPlace.out, due ? Made(dry.out) : dry.out);
        const DocumentReading after = ReadDocument(c.name, KindOfInput(c.name));
        ASSERT_TRUE(after.document);
        for (const Finding& finding : FindingsOf(*after.document)) {
            EXPECT_FALSE(HasRepair(finding.code)) << finding.message;
        }
        ASSERT_EQ(after.document->points.size(), before.document->points.size());
        for (std::size_t i = 0; i < before.document->points.size(); ++i) {
            const Point& was = before.document->points[i];
            const Point& is = after.document->points[i];
            for (const auto& [x, y] : {std::pair{was.x, is.x}, {was.y, is.y}, {was.z, is.z}}) {
                EXPECT_EQ(NumberToText(x), NumberToText(y));
            }
            EXPECT_EQ(was.type, is.type);
        }
        std::vector<Link> kept;
        for (const int link : c.kept) {
            kept.push_back(before.document->links[static_cast<std::size_t>(link)].ends);
        }
        std::vector<Link> links;
        for (const DocumentLink& link : after.document->links) {
            links.push_back(link.ends);
        }
        EXPECT_EQ(links, kept);
    }
}

TEST_F(FixTest, InPlaceLeavesAFileWithNothingToRepairUntouchedAndReplacesOneWithARepair) {
    const std::string lonely = kThreePoints + "link 0 = 0,2\n";
    Write("lonely1.ini", lonely);
    Write("loop1.ini", kThreePoints + "link 0 = 0,1\nlink 1 = 1,1\nlink 2 = 1,2\n");
    const auto aYearAgo =
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    std::filesystem::last_write_time("lonely1.ini", aYearAgo);
    const auto old = std::filesystem::last_write_time("lonely1.ini");  // as the system keeps it
    const WalkconvRun run = Walkconv({"fix", "-i", "-q", "lonely1.ini", "loop1.ini"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lonely1.ini: warning: point 1 is not touched by any link\n");
    EXPECT_EQ(Read("lonely1.ini"), lonely);
    EXPECT_EQ(std::filesystem::last_write_time("lonely1.ini"), old);
    EXPECT_EQ(Read("loop1.ini"), kThreePoints + "link 0 = 0,1\nlink 1 = 1,2\n");
}

// Written in its own kind and codes: walk source types 4 and 5 and sailorpoints types 7 to 10
// stay as they are, where converting would map them.
TEST_F(FixTest, TheRepairedFileKeepsItsKindAndItsTypeCodes) {
    Write("ship_walk.c",
          Edited(Edited(kShipWalk, "}", "        ship_walk_graph[2] = (2)*256 + (1);\r\n}"),
                 "graph[2];", "graph[3];"));
    Write("sea1.ini",
          "[POINT_DATA]\npoint 0 = 0,0,0,7\npoint 1 = 1,0,0,8\npoint 2 = 2,0,0,9\n"
          "point 3 = 3,0,0,10\n[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,3\n"
          "link 3 = 3,3\n");
    ASSERT_EQ(Walkconv({"fix", "-i", "-q", "ship_walk.c", "sea1.ini"}).status, 0);
    EXPECT_EQ(Read("ship_walk.c"), kShipWalk);  // types 5, 1 and 4
    EXPECT_EQ(Read("sea1.ini"),
              "[POINT_DATA]\npoint 0 = 0,0,0,7\npoint 1 = 1,0,0,8\npoint 2 = 2,0,0,9\n"
              "point 3 = 3,0,0,10\n[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,3\n");
}

TEST_F(FixTest, OutputAndDirWriteUnderTheInputsOwnNameAndCopyWhatNeedsNoRepair) {
    const std::string lonely = kThreePoints + "link 0 = 0,2\n";
    Write("in/lonely1.ini", lonely);
    Write("in/loop1.ini", kThreePoints + "link 0 = 0,1\nlink 1 = 1,1\nlink 2 = 1,2\n");
    std::filesystem::create_directory("out");
    const WalkconvRun run = Walkconv({"fix", "in/lonely1.ini", "in/loop1.ini", "-d", "out"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "in/lonely1.ini -> out/lonely1.ini: 0 repairs made, 1 finding left for a person\n"
              "in/loop1.ini:7:1: fix: remove link 1 (joins point 1 to itself)\n"
              "in/loop1.ini -> out/loop1.ini: 1 repair made, 0 findings left for a person\n");
    EXPECT_EQ(Read("out/lonely1.ini"), lonely);
    EXPECT_EQ(Read("out/loop1.ini"), kThreePoints + "link 0 = 0,1\nlink 1 = 1,2\n");
    EXPECT_EQ(Walkconv({"fix", "-q", "in/loop1.ini", "-o", "fixed1.ini"}).status, 0);
    EXPECT_EQ(Read("fixed1.ini"), Read("out/loop1.ini"));
}

// In place, only the statements of the links removed change; a file whose text cannot carry
// the repairs is refused and left as it was.
TEST_F(FixTest, InPlaceKeepsTheTextAndRefusesWhatItCannotCarry) {
    const std::string tabbed =
        "int ship_walk_count;\nfloat ship_walk_verts[6];\nint ship_walk_types[2];\n"
        "int ship_walk_graph[2];\nvoid ship_walk_init()\n{\n"
        "\tship_walk_verts[0] = 1.0; // bow\n\tship_walk_verts[3] = 2;\n"
        "\tship_walk_types[0] = 0;\n\tship_walk_types[1] = 1;\n"
        "\tship_walk_graph[0] = (0)*256 + (1);\n\tship_walk_graph[1] = (1)*256 + (1);\n}";
    Write("ship_walk.c", tabbed);
    EXPECT_EQ(Walkconv({"fix", "-i", "-q", "ship_walk.c"}).status, 0);
    EXPECT_EQ(Read("ship_walk.c"),
              Edited(Edited(tabbed, "\tship_walk_graph[1] = (1)*256 + (1);\n", ""), "graph[2];",
                     "graph[1];"));

    const std::string beyond = Edited(tabbed, "(1)*256 + (1);\n",
                                      "(1)*256 + (1);\n\tship_walk_graph[2] = (1)*256 + (0);\n");
    Write("brig_walk.c", beyond);
    const WalkconvRun run = Walkconv({"fix", "-i", "-q", "brig_walk.c"});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err,
              "cannot save in place: brig_walk.c:13: link 2 is assigned beyond the declared size "
              "of ship_walk_graph; Save as writes a new file\n"
              "brig_walk.c: warning: walk_graph is declared with 2 entries, but the file assigns "
              "3 entries\n");
    EXPECT_EQ(Read("brig_walk.c"), beyond);
}

TEST_F(FixTest, JsonFormatListsTheRepairsAndWhatIsLeftForEachInput) {
    Write("lonely1.ini", kThreePoints + "link 0 = 0,2\nlink 1 = 2,2\n");
    Write("notes1.ini", "[POINT_DATA]\npoint 0 = 0,0,0,0\n");
    const WalkconvRun run =
        Walkconv({"fix", "--format", "json", "--werror", "lonely1.ini", "notes1.ini", "gone1.ini"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "notes1.ini: This file is not a valid sailorpoints file\n"
              "gone1.ini: no such file\n");
    const auto expected = nlohmann::ordered_json::parse(R"json([
        {"input": "lonely1.ini", "status": 5, "output": null,
         "repairs": [{"code": "self-link", "message": "remove link 1 (joins point 2 to itself)",
                      "link": 1, "line": 7, "column": 1}],
         "left": [{"code": "untouched-point", "message": "point 1 is not touched by any link",
                   "points": [1]}],
         "notes": []},
        {"input": "notes1.ini", "status": 1, "output": null, "repairs": [], "left": [],
         "notes": [], "message": "This file is not a valid sailorpoints file"},
        {"input": "gone1.ini", "status": 3, "output": null, "repairs": [], "left": [],
         "notes": [], "message": "no such file"}
    ])json");
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), expected) << run.out;
}

}  // namespace
}  // namespace walkconv::testing
