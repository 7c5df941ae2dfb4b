// check: the summary of each input, how its format is chosen, its warnings and notes, --werror,
// and the JSON document of --format json.
#include <gtest/gtest.h>

#include <cctype>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/walkconv_fixture.h"
#include "core/conversion_state.h"
#include "core/walk/walk_writer.h"
#include "support/platform.h"
#include "support/text_edits.h"

namespace walkconv::testing {
namespace {

class CheckTest : public WalkconvTest {};

std::string Summary(const std::string& input, const std::string& model, int points, int links) {
    return input + ":\nShip model name: " + model +
           "\n\nNumber of points = " + std::to_string(points) +
           "\nNumber of links = " + std::to_string(links) + "\n";
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
              "huge_walk.c:1:1: error: point number 3000 is outside 0..1000 (index 9000)\n"
              "huge_walk_verts[9000] = 1;\n"
              "^\n"
              "gone1.ini: no such file\n");
    EXPECT_EQ(Walkconv({"check", "notes1.ini", "huge_walk.c"}).status, 2);
    EXPECT_EQ(Walkconv({"check", "notes1.ini"}).status, 1);
}

// An input and its findings as check -v prints them, each after "INPUT: ".
struct FindingCase {
    std::string name;
    std::string content;
    std::vector<std::string> findings;  // "warning: ..." or "note: ..."
};

std::vector<FindingCase> FindingCases() {
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
    // A link with a negative end between two that join points, and one before the padding.
    const std::string gap = Edited(Edited(kShipWalk, "(1)*256 + (2)", "(-1)*256 + (-1)"), "}",
                                   "        ship_walk_graph[2] = (1)*256 + (2);\r\n}");
    const std::string mixed =
        "        ship_walk_graph[2] = (1)*256 + (-1);\r\n"
        "        ship_walk_graph[3] = (-1)*256 + (-1);\r\n}";
    return {
        {"beyond1.ini",
         points3 + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,5\nlink 3 = 7,1\n",
         {"8:1: warning: link 2 joins points 2 and 5, but the file has only 3 points",
          "9:1: warning: link 3 joins points 7 and 1, but the file has only 3 points"}},
        {"loop1.ini",
         points3 + "link 0 = 0,1\nlink 1 = 2,2\nlink 2 = 1,2\n",
         {"7:1: warning: link 1 joins point 2 to itself"}},
        {"twice1.ini",
         points3 + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 1,0\nlink 3 = 1,2\n",
         {"8:1: warning: link 2 joins points 1 and 0, as link 0 does already",
          "9:1: warning: link 3 joins points 1 and 2, as link 1 does already"}},
        {"lonely1.ini",
         points3 + "link 0 = 0,2\n",
         {"warning: point 1 is not touched by any link"}},
        {"islands1.ini",
         points3 + "point 3 = 3,0,0,0\npoint 4 = 4,0,0,0\nlink 0 = 3,4\nlink 1 = 0,1\n"
                   "link 2 = 1,2\n",
         {"warning: points 3, 4 (2 points) have no path to the rest"}},
        {"wide_walk.c",
         FormatWalkSource(wide),
         {"1295:9: warning: walk_graph[255] holds a point number of 256 or more, which '(a)*256 + "
          "(b)' "
          "cannot tell apart once evaluated"}},
        {"one_walk.c",
         Edited(Edited(kShipWalk, "}", "        ship_walk_graph[2] = (0)*256 + (-1);\r\n}"),
                "ship_walk_graph[2]", "ship_walk_graph[3]"),
         {"26:9: warning: 1 link with a negative end was dropped"}},
        {"ship_walk.c",
         Edited(Edited(kShipWalk, "}", padding), "ship_walk_graph[2]", "ship_walk_graph[4]"),
         {"note: 2 padding links after link 1"}},
        {"gap_walk.c",
         Edited(gap, "ship_walk_graph[2]", "ship_walk_graph[3]"),
         {"25:9: warning: 1 link with a negative end was dropped"}},
        {"mixed_walk.c",
         Edited(Edited(kShipWalk, "}", mixed), "ship_walk_graph[2]", "ship_walk_graph[4]"),
         {"26:9: warning: 1 link with a negative end was dropped",
          "note: 1 padding link after link 1"}},
        {"count_walk.c",
         Edited(kShipWalk, "ship_walk_count = 3", "ship_walk_count = 4"),
         {"warning: walk_count is set to 4, but the file assigns 3 points"}},
        {"verts_walk.c",
         Edited(kShipWalk, "ship_walk_verts[9]", "ship_walk_verts[12]"),
         {"warning: point 3 is not touched by any link",
          "warning: walk_verts is declared with 12 values, but the file assigns 3 points (9 "
          "values)"}},
        {"types_walk.c",
         Edited(kShipWalk, "ship_walk_types[3]", "ship_walk_types[1]"),
         {"warning: walk_types is declared with 1 entry, but the file assigns 3 points"}},
        {"graph_walk.c",
         Edited(kShipWalk, "ship_walk_graph[2]", "ship_walk_graph[1]"),
         {"warning: point 2 is not touched by any link",
          "warning: walk_graph is declared with 1 entry, but the file assigns 2 entries"}},
    };
}

// Warnings always, notes only with -v; --werror counts the warnings alone.
TEST_F(CheckTest, PrintsEachFindingOnOneLineAndOnlyWarningsCountForWerror) {
    for (const FindingCase& c : FindingCases()) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.content);
        std::string warnings;
        std::string all;
        for (const std::string& finding : c.findings) {
            // "LINE:COLUMN: warning: ..." for a finding about one statement or line.
            const std::string line = c.name + (std::isdigit(finding[0]) ? ":" : ": ") + finding;
            all += line + "\n";
            warnings += finding.find("warning: ") != std::string::npos ? line + "\n" : "";
        }
        const WalkconvRun run = Walkconv({"check", c.name});
        EXPECT_EQ(run.err, warnings);
        EXPECT_EQ(run.status, 0);
        const WalkconvRun verbose = Walkconv({"check", "-v", c.name});
        EXPECT_EQ(verbose.err, all);
        EXPECT_EQ(verbose.out, run.out);
        EXPECT_EQ(verbose.status, 0);
        EXPECT_EQ(Walkconv({"check", "--werror", "--verbose", c.name}).status,
                  warnings.empty() ? 0 : 5);
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

// One object per input in the order of the inputs, keys in a fixed order; an input that cannot be
// checked has what is known of it and the message of its line on stderr, which stays there.
TEST_F(CheckTest, JsonFormatPrintsOneDocumentWithAnObjectPerInput) {
    const std::string points3 =
        "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\npoint 2 = 2,0,0,0\n[LINK_DATA]\n";
    Write("twice1.ini", points3 + "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 1,0\n");
    Write("lonely1.ini", points3 + "link 0 = 0,2\n");
    Write("ship_walk.c",
          Edited(Edited(kShipWalk, "}", "        ship_walk_graph[2] = (-1)*256 + (-1);\r\n}"),
                 "ship_walk_graph[2]", "ship_walk_graph[3]"));
    Write("notes1.ini", "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\n");
    Write("huge_walk.c", "huge_walk_verts[9000] = 1;\n");
    const WalkconvRun run =
        Walkconv({"check", "--format", "json", "--werror", "twice1.ini", "lonely1.ini",
                  "ship_walk.c", "notes1.ini", "huge_walk.c", "gone1.ini"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "notes1.ini: This file is not a valid sailorpoints file\n"
              "huge_walk.c:1:1: error: point number 3000 is outside 0..1000 (index 9000)\n"
              "huge_walk_verts[9000] = 1;\n"
              "^\n"
              "gone1.ini: no such file\n");
    const auto expected = nlohmann::ordered_json::parse(R"json([
        {"input": "twice1.ini", "status": 5, "model": "twice", "points": 3, "links": 3,
         "warnings": [{"code": "duplicate-link",
                       "message": "link 2 joins points 1 and 0, as link 0 does already",
                       "link": 2, "line": 8, "column": 1}],
         "notes": []},
        {"input": "lonely1.ini", "status": 5, "model": "lonely", "points": 3, "links": 1,
         "warnings": [{"code": "untouched-point",
                       "message": "point 1 is not touched by any link", "points": [1]}],
         "notes": []},
        {"input": "ship_walk.c", "status": 0, "model": "ship", "points": 3, "links": 2,
         "warnings": [],
         "notes": [{"code": "padding-links", "message": "1 padding link after link 1"}]},
        {"input": "notes1.ini", "status": 1, "model": "notes", "points": 2, "links": 0,
         "warnings": [], "notes": [], "message": "This file is not a valid sailorpoints file"},
        {"input": "huge_walk.c", "status": 2, "model": "huge", "points": null, "links": null,
         "warnings": [], "notes": [], "message": "Error! Input file corrupted or not valid",
         "error": {"code": "point-out-of-range",
                   "message": "point number 3000 is outside 0..1000 (index 9000)",
                   "line": 1, "column": 1
}
},
        {"input": "gone1.ini", "status": 3, "model": null, "points": null, "links": null,
         "warnings": [], "notes": [], "message": "no such file"}
    ])json");
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), expected) << run.out;
    // Without --werror, warnings leave the status of an input at 0.
    const auto plain =
        nlohmann::json::parse(Walkconv({"check", "--format=json", "twice1.ini"}).out);
    EXPECT_EQ(plain.at(0).at("status"), 0);
}

TEST_F(CheckTest, JsonFormatStaysValidForAPathThatIsNotUtf8) {
    if (kOnWindows) {
        GTEST_SKIP() << "Windows keeps file names in UTF-16, which no byte \\xff can enter";
    }
    const std::string name = "bad\xff_walk.c";
    Write(name, kShipWalk);
    const WalkconvRun run = Walkconv({"check", "--format", "json", name,
                                      "gone\xfe"
                                      "1.ini"});
    EXPECT_EQ(run.status, 3);
    const nlohmann::json document = nlohmann::json::parse(run.out);  // throws on invalid UTF-8
    ASSERT_EQ(document.size(), 2U);
    EXPECT_EQ(document[0].at("input"), "bad\ufffd_walk.c");
    EXPECT_EQ(document[0].at("model"), "bad\ufffd");
    EXPECT_EQ(document[1].at("input"), "gone\ufffd1.ini");
    EXPECT_EQ(run.err,
              "gone\xfe"
              "1.ini: no such file\n");  // stderr keeps the bytes as given
}

}  // namespace
}  // namespace walkconv::testing
