#include "core/walk/walk_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "core/conversion_error.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "support/temp_dir.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

using testing::TempDir;

const std::string kShipWalk =
    TempDir::Read(WALKCONV_TEST_DATA_DIR "/walk_to_sailorpoints/ship_walk.c");

// `text` with every LF replaced by `ending`.
std::string WithLineEnds(std::string_view text, std::string_view ending) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? std::string(ending) : std::string(1, c);
    }
    return out;
}

// Every field and every table entry in which two states differ, one per line.
std::string Differences(const ConversionState& a, const ConversionState& b) {
    std::string out;
    if (a.InputPath != b.InputPath || a.ModelName != b.ModelName || a.PointCount != b.PointCount ||
        a.LinkCount != b.LinkCount) {
        out += "path, model or counts differ\n";
    }
    for (int i = 0; i < kTableSize; ++i) {
        const Point& p = a.Points[i];
        const Point& q = b.Points[i];
        if (!(p == q)) {
            out += "point " + std::to_string(i) + ": " + std::to_string(p.x) + " " +
                   std::to_string(p.y) + " " + std::to_string(p.z) + " " + std::to_string(p.type) +
                   " vs " + std::to_string(q.x) + " " + std::to_string(q.y) + " " +
                   std::to_string(q.z) + " " + std::to_string(q.type) + "\n";
        }
        if (!(a.Links[i] == b.Links[i])) {
            out += "link " + std::to_string(i) + ": " + std::to_string(a.Links[i].from) + "," +
                   std::to_string(a.Links[i].to) + " vs " + std::to_string(b.Links[i].from) + "," +
                   std::to_string(b.Links[i].to) + "\n";
        }
    }
    return out;
}

// A state that an earlier analysis filled in every entry.
ConversionState UsedState() {
    ConversionState state;
    state.InputPath = "/old/old_walk.c";
    state.ModelName = "old";
    state.PointCount = 7;
    state.LinkCount = 9;
    for (int i = 0; i < kTableSize; ++i) {
        state.Points[i] = Point{i + 0.5, -1.0 * i, 3, 4.5};
        state.Links[i] = Link{static_cast<std::int16_t>(i), -1};
    }
    return state;
}

ConversionState Scan(std::string_view text, ConversionState state = ConversionState{}) {
    ScanWalkText(text, state);
    return state;
}

TEST(AnalyseWalk, ReadsAWalkSourceInTheWriterLayout) {
    TempDir dir;
    const std::string path = dir.Write("ship_walk.c", kShipWalk).string();
    ConversionState state = UsedState();

    ASSERT_EQ(AnalyseWalk(path, state), AnalysisOutcome::Valid);

    ConversionState expected;
    expected.InputPath = path;
    expected.ModelName = "ship";
    expected.PointCount = 2;
    expected.LinkCount = 1;
    expected.Points[0] = Point{1.5, 2, -0.25, 10};
    expected.Points[1] = Point{0, 3, 4, 1};
    expected.Links[0] = Link{0, 1};
    EXPECT_EQ(Differences(state, expected), "");
}

TEST(AnalyseWalk, WithoutDeclarationsTheCountsAreOneLessAndTheFileIsNotValid) {
    TempDir dir;
    std::string text = kShipWalk;
    text.erase(text.find("float"), text.find("\n\nvoid") - text.find("float") + 1);
    ASSERT_EQ(text.find("[6]"), std::string::npos);
    ConversionState state;

    EXPECT_EQ(AnalyseWalk(dir.Write("ship_walk.c", text).string(), state),
              AnalysisOutcome::NotValid);
    EXPECT_EQ(state.PointCount, 1);
    EXPECT_EQ(state.LinkCount, 0);
}

TEST(AnalyseWalk, ModelNameIsTheFileNameWithoutItsLastSevenCharacters) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "models");  // where "\\" separates folders
    const std::pair<std::string, std::string> cases[] = {
        {"ship_walk.c", "ship"},
        {"models\\frigate_walk.c", "frigate"},  // a backslash ends a folder name too
        {"abc.txt", ""},
    };
    for (const auto& [name, model] : cases) {
        SCOPED_TRACE(name);
        ConversionState state;
        EXPECT_EQ(AnalyseWalk(dir.Write(name, kShipWalk).string(), state), AnalysisOutcome::Valid);
        EXPECT_EQ(state.ModelName, model);
    }
    ConversionState state;
    AnalysisDetails details;
    EXPECT_EQ(AnalyseWalk(dir.Write("ship.c", kShipWalk).string(), state, &details),
              AnalysisOutcome::Failed);
    EXPECT_NE(details.failure.message, "");
}

TEST(ScanWalkText, KeywordsMatchInAnyCaseAndInsideLongerNames) {
    const ConversionState state = Scan(
        "SHIP_WALK_VERTS[4] = 2.5;\n"
        "Ship_Walk_Types[1] = 3;\n"
        "xxwAlK_gRaPhyy[0] = (1)*256 + (2);\n");
    EXPECT_EQ(state.Points[1], (Point{0, 2.5, 0, 3}));
    EXPECT_EQ(state.Links[0], (Link{1, 2}));
    EXPECT_EQ(state.PointCount, 1);
    EXPECT_EQ(state.LinkCount, 0);
}

TEST(ScanWalkText, ReadsEveryStatementOfALine) {
    const ConversionState state = Scan(
        "ship_walk_verts[0] = 1.5; ship_walk_verts[1] = 2;ship_walk_types[0] = 4;"
        "ship_walk_graph[1] = (3)*256 + (4); ship_walk_graph[2] = (5)*256 + (6);");
    EXPECT_EQ(state.Points[0], (Point{1.5, 2, 0, 7}));
    EXPECT_EQ(state.Links[1], (Link{3, 4}));
    EXPECT_EQ(state.Links[2], (Link{5, 6}));
    EXPECT_EQ(state.LinkCount, 2);
}

TEST(ScanWalkText, RoundsTheIndexHalfToEvenBeforeDividingIt) {
    const ConversionState state = Scan(
        "ship_walk_verts[4.5] = 1;\n"    // index 4: point 1, y
        "ship_walk_verts[5.5] = 2;\n"    // index 6: point 2, x
        "ship_walk_types[0.5] = 9;\n");  // index 0
    EXPECT_EQ(state.Points[1], (Point{0, 1, 0, 0}));
    EXPECT_EQ(state.Points[2], (Point{2, 0, 0, 0}));
    EXPECT_EQ(state.Points[0].type, 9);
    EXPECT_EQ(state.PointCount, 2);
}

TEST(ScanWalkText, DeclarationsRaiseTheCountsAndWriteZerosAtTheirSize) {
    ConversionState before;
    before.Points[2] = Point{9, 9, 9, 9};
    before.Links[12] = Link{3, 3};
    const ConversionState state = Scan(
        "float ship_walk_verts[6];\nint ship_walk_types[2];\nint ship_walk_graph[12];\n", before);
    EXPECT_EQ(state.PointCount, 2);
    EXPECT_EQ(state.LinkCount, 12);
    EXPECT_EQ(state.Points[2], (Point{0, 9, 9, 0}));
    EXPECT_EQ(state.Links[12], (Link{3, 3}));  // a declaration stores no link
}

TEST(ScanWalkText, MapsTypeFiveToTenAndFourToSeven) {
    const ConversionState state = Scan(
        "t_walk_types[0] = 5;t_walk_types[1] = 4;t_walk_types[2] = 10;t_walk_types[3] = 7;"
        "t_walk_types[4] = 2.5;t_walk_types[5] = 4.5;t_walk_types[6] = 5.0;");
    const double expected[] = {10, 7, 10, 7, 2.5, 4.5, 10};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(state.Points[i].type, expected[i]) << "type " << i;
    }
    EXPECT_EQ(state.PointCount, 0);  // types never count points
}

TEST(ScanWalkText, ReadsLinkEndsAfterTheFirstParenthesisAndTheFirstOneAfterThePlus) {
    ConversionState before;
    before.Links[3] = Link{8, 8};
    before.Links[4] = Link{8, 8};
    const ConversionState state = Scan(
        "ship_walk_graph[0] = ( 12 )*256+( -2 );\n"
        "ship_walk_graph[1] = (2)*256 +7;\n"
        "ship_walk_graph[2] = (-1)*256 + (-1);\n"
        "ship_walk_graph[3] = 2 + 3;\n"  // no link value: no link, but the count rises
        "ship_walk_graph[4] = (1.5)*256 + (2.5);\n",
        before);
    EXPECT_EQ(state.Links[0], (Link{12, -2}));
    EXPECT_EQ(state.Links[1], (Link{2, 7}));
    EXPECT_EQ(state.Links[2], (Link{-1, -1}));
    EXPECT_EQ(state.Links[3], (Link{8, 8}));
    EXPECT_EQ(state.Links[4], (Link{2, 2}));  // rounded halves to even
    EXPECT_EQ(state.LinkCount, 4);
}

// A link is read as the value that a C compiler gives the statement, in every spelling of
// A*256 + B and as one number N: N / 256 -> N % 256.
TEST(ScanWalkText, ReadsEveryLinkFormAsItsValue) {
    struct Case {
        const char* text;
        Link link;
    };
    const Case cases[] = {
        {"s_walk_graph[3] = (1)*256 + (2);", {1, 2}},
        {"s_walk_graph[3] = 1*256 + 2;", {1, 2}},
        {"s_walk_graph[3]=1*256+2;", {1, 2}},
        {"s_walk_graph[3] = (1*256)+2;", {1, 2}},
        {"s_walk_graph[3] = 1 * 256 + (2);", {1, 2}},
        {"s_walk_graph[3] = 517;", {2, 5}},
        {"s_walk_graph[3] = 0;", {0, 0}},
        {"s_walk_graph[3] = 255;", {0, 255}},
        {"s_walk_graph[3] = 256;", {1, 0}},
        {"s_walk_graph[3] = 65535;", {255, 255}},
        {"s_walk_graph[3] = -1;", {0, -1}},
        {"s_walk_graph[3] = 8388607;", {32767, 255}},
        // The statement's own value, not the parentheses of the next statement.
        {"s_walk_graph[3] = 517; s_walk_graph[2] = (6)*256 + (7);", {2, 5}},
        {"s_walk_graph[3] = 1*256 + 2; s_walk_graph[2] = (6)*256 + (7);", {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ConversionState before;
        before.Links[3] = Link{8, 8};
        AnalysisDetails details;
        ConversionState state = before;
        ScanWalkText(c.text, state, nullptr, &details);
        EXPECT_EQ(state.Links[3], c.link);
        EXPECT_EQ(state.LinkCount, 3);
        ASSERT_GT(details.linkPlaces.size(), 3u);
        EXPECT_EQ(details.linkPlaces[3].line, 1);
    }
}

// What a C compiler never sees is not read: each text reads as "s_walk_verts[3] = 1.5;" and
// "s_walk_graph[1] = (1)*256 + (2);" alone, from a state whose point 0 and link 2 hold data.
TEST(ScanWalkText, CommentsAreNotRead) {
    const std::string point = "s_walk_verts[3] = 1.5;";
    const std::string link = "s_walk_graph[1] = (1)*256 + (2);";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"comments after the statements",
         point + " // s_walk_verts[3] = 9;\n" + link + " /* s_walk_graph[1] = (9)*256 + (9); */"},
        {"a commented-out statement", "// s_walk_graph[2] = (2)*256 + (2);\n" + point + link},
        {"a keyword inside a comment", "// walk_verts: x, y, z\n" + point + "\n" + link},
        {"a comment across lines",
         point + "/*\r\ns_walk_graph[2] = (2)*256 + (2);\r\n s_walk_verts[0] = 7; */" + link},
        {"comments between the numbers",
         "s_walk_verts[3] = /* was 9 */ 1.5;\ns_walk_graph[1] = (1)/**/*256 + (2);"},
        {"a line comment continued by a backslash",
         point + " // old: \\\ns_walk_graph[2] = (2)*256 + (2);\n" + link},
        {"a string is no comment", "char* s = \"//\"; " + point + "\n" + link},
    };
    ConversionState before;
    before.Points[0] = Point{5, 5, 5, 5};
    before.Links[2] = Link{8, 8};
    ConversionState expected = before;
    ScanWalkText(point + "\n" + link, expected);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Differences(Scan(c.text, before), expected), "");
    }
}

TEST(ScanWalkText, AfterCommentsLinesAndColumnsAreThoseOfTheFile) {
    ConversionState state;
    try {
        ScanWalkText("/* one\r\n two */ s_walk_verts[-1] = 1;", state);
        ADD_FAILURE() << "point -1 was stored";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.failure().line, 2);
        EXPECT_EQ(error.failure().column, 9);
    }
}

TEST(ScanWalkText, AStatementLackingANumberTakesItFromTheRestOfItsLine) {
    // The numbers follow the first "[" and "=" after the keyword, wherever on the line.
    EXPECT_EQ(Scan("float s_walk_verts[3]; s_walk_count = 9;").Points[1].x, 9);
    EXPECT_EQ(Scan("float s_walk_verts[3];\ns_walk_count = 9;").Points[1].x, 0);
    EXPECT_EQ(Scan("s_walk_verts = 5;").Points[0].x, 5);
}

TEST(ScanWalkText, IndicesOutsideTheTablesOrSixteenBitsThrow) {
    for (const char* text : {
             "s_walk_verts[-1] = 1;",
             "s_walk_verts[3003] = 1;",
             "s_walk_types[1001] = 1;",
             "s_walk_types[-1] = 1;",
             "s_walk_graph[1001] = (0)*256 + (1);",
             "s_walk_graph[-1] = (0)*256 + (1);",
             "s_walk_verts[40000] = 1;",
             "s_walk_graph[0] = (40000)*256 + (1);",
             "s_walk_graph[0] = (0)*256 + (-32769);",
             "s_walk_verts[0] = 1E400;",
             "s_walk_graph[0] = 8388608;",  // the first end 32768
             "s_walk_graph[0] = 32768*256 + 1;",
             "s_walk_graph[1001] = 517;",
         }) {
        SCOPED_TRACE(text);
        ConversionState state;
        EXPECT_THROW(ScanWalkText(text, state), ConversionError);
    }
    const ConversionState state = Scan(
        "s_walk_verts[3002] = 1; s_walk_types[1000] = 2; s_walk_graph[1000] = (3)*256 + (4);"
        "s_walk_graph[2000];");
    EXPECT_EQ(state.Points[1000], (Point{0, 0, 1, 2}));
    EXPECT_EQ(state.Links[1000], (Link{3, 4}));
    EXPECT_EQ(state.PointCount, 1000);
    EXPECT_EQ(state.LinkCount, 2000);
}

TEST(ScanWalkText, DeclarationsOfTheFullTablesCountEveryEntryAndStoreNothing) {
    // What the walk writer declares for 1001 points: the entry past the table, which a shorter
    // declaration zeroes, does not exist, so nothing is stored and nothing fails.
    const ConversionState full = Scan(
        "float s_walk_verts[3003];\nint s_walk_types[1001];\nint s_walk_graph[1001];\n"
        "s_walk_types[1000] = 3;\n");
    EXPECT_EQ(full.PointCount, 1001);
    EXPECT_EQ(full.LinkCount, 1001);
    EXPECT_EQ(full.Points[1000], (Point{0, 0, 0, 3}));
    // Assignments to those entries, and larger declarations, still break the tables.
    for (const char* text : {"float s_walk_verts[3006];", "int s_walk_types[1002];",
                             "s_walk_verts[3003] = 0;", "s_walk_types[1001] = 0;"}) {
        SCOPED_TRACE(text);
        ConversionState state;
        EXPECT_THROW(ScanWalkText(text, state), ConversionError);
    }
}

TEST(AnalyseWalk, PaddingLinksAndLinksWithANegativeEndAreDropped) {
    TempDir dir;
    const std::string text =
        "s_walk_verts[5] = 1;\n"
        "int s_walk_graph[5];\n"
        "s_walk_graph[0] = (0)*256 + (1);\n"
        "s_walk_graph[1] = (-1)*256 + (-1);\n"
        "s_walk_graph[2] = (1)*256 + (0);\n"
        "s_walk_graph[3] = (0)*256 + (-1);\n"
        "s_walk_graph[4] = (-1)*256 + (-1);\n";
    ConversionState state;
    AnalysisDetails details;

    ASSERT_EQ(AnalyseWalk(dir.Write("s_walk.c", text).string(), state, &details),
              AnalysisOutcome::Valid);

    EXPECT_EQ(state.LinkCount, 2);
    EXPECT_EQ(details.droppedLinks, 3);
    EXPECT_EQ(state.Links[0], (Link{0, 1}));
    EXPECT_EQ(state.Links[1], (Link{1, 0}));
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(state.Links[i], Link{}) << "link " << i;
    }
}

TEST(AnalyseWalk, FilesWithFullTablesAreValidAndOneMorePointFails) {
    TempDir dir;
    for (const ConversionState& sample :
         {testing::SampleState(), testing::SampleState(1001, 1001)}) {
        SCOPED_TRACE(sample.PointCount);
        ConversionState state;
        ASSERT_EQ(
            AnalyseWalk(dir.Write("ship_walk.c", testing::MultiLineWalk(sample)).string(), state),
            AnalysisOutcome::Valid);
        EXPECT_EQ(FormatSailorpoints(state), FormatSailorpoints(sample));
    }

    ConversionState state;
    AnalysisDetails details;
    const std::string tooMany =
        testing::MultiLineWalk(testing::SampleState(1001, 1001)) + "ship_walk_verts[3003] = 1;\r\n";
    EXPECT_EQ(AnalyseWalk(dir.Write("big_walk.c", tooMany).string(), state, &details),
              AnalysisOutcome::Failed);
    EXPECT_NE(details.failure.message, "");
}

TEST(AnalyseWalk, AFileOnOneLineGivesTheSameOutputAsOneStatementPerLine) {
    TempDir dir;
    const ConversionState sample = testing::SampleState(300, 400);
    ConversionState multi;
    ConversionState single;
    ASSERT_EQ(AnalyseWalk(dir.Write("a_walk.c", testing::MultiLineWalk(sample)).string(), multi),
              AnalysisOutcome::Valid);
    ASSERT_EQ(AnalyseWalk(dir.Write("b_walk.c", testing::OneLineWalk(sample)).string(), single),
              AnalysisOutcome::Valid);
    EXPECT_EQ(single.PointCount, 300);
    EXPECT_EQ(single.LinkCount, 400);
    EXPECT_EQ(FormatSailorpoints(single), FormatSailorpoints(multi));
}

TEST(AnalyseWalk, LfCrLfAndCrLineEndsGiveIdenticalStates) {
    TempDir dir;
    const std::filesystem::path path = dir.path() / "ship_walk.c";
    ConversionState lf;
    ConversionState crlf;
    ConversionState cr;
    dir.Write("ship_walk.c", kShipWalk);
    ASSERT_EQ(AnalyseWalk(path.string(), lf), AnalysisOutcome::Valid);
    dir.Write("ship_walk.c", WithLineEnds(kShipWalk, "\r\n"));
    ASSERT_EQ(AnalyseWalk(path.string(), crlf), AnalysisOutcome::Valid);
    dir.Write("ship_walk.c", WithLineEnds(kShipWalk, "\r"));
    ASSERT_EQ(AnalyseWalk(path.string(), cr), AnalysisOutcome::Valid);
    EXPECT_EQ(Differences(crlf, lf), "");
    EXPECT_EQ(Differences(cr, lf), "");
}

TEST(AnalyseWalk, NoFileAtThePathDoesNothingAndLeavesTheStateUntouched) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder_walk.c");
    for (const std::string& path : {std::string(), (dir.path() / "folder_walk.c").string(),
                                    (dir.path() / "missing_walk.c").string()}) {
        SCOPED_TRACE(path);
        ConversionState state = UsedState();
        EXPECT_EQ(AnalyseWalk(path, state), AnalysisOutcome::NothingDone);
        EXPECT_EQ(Differences(state, UsedState()), "");
    }
}

TEST(AnalyseWalk, ASecondAnalysisStartsFromZeroedTables) {
    TempDir dir;
    const std::string first =
        dir.Write("first_walk.c", testing::MultiLineWalk(testing::SampleState())).string();
    std::string withoutTypes = kShipWalk;
    while (withoutTypes.find("ship_walk_types") != std::string::npos) {
        const std::size_t at = withoutTypes.rfind('\n', withoutTypes.find("ship_walk_types"));
        withoutTypes.erase(at, withoutTypes.find('\n', at + 1) - at);
    }
    const std::string second = dir.Write("ship_walk.c", withoutTypes).string();

    ConversionState reused;
    ASSERT_EQ(AnalyseWalk(first, reused), AnalysisOutcome::Valid);
    ASSERT_EQ(AnalyseWalk(second, reused), AnalysisOutcome::Valid);
    ConversionState fresh;
    ASSERT_EQ(AnalyseWalk(second, fresh), AnalysisOutcome::Valid);

    EXPECT_EQ(Differences(reused, fresh), "");
    EXPECT_EQ(reused.Points[0], (Point{1.5, 2, -0.25, 0}));
}

TEST(AnalyseWalk, AFailedAnalysisLeavesNothingForTheNext) {
    TempDir dir;
    ConversionState state;
    ASSERT_EQ(AnalyseWalk(dir.Write("bad_walk.c",
                                    "s_walk_graph[4] = (0)*256 + (-1);\ns_walk_verts[-1] = 0;\n")
                              .string(),
                          state),
              AnalysisOutcome::Failed);
    const std::string next =
        "s_walk_verts[3] = 1;\n"
        "s_walk_graph[0] = (0)*256 + (1);\n"
        "s_walk_graph[2] = (1)*256 + (-1);\n"
        "s_walk_graph[3] = (1)*256 + (0);\n"
        "s_walk_graph[4];\n";
    ASSERT_EQ(AnalyseWalk(dir.Write("s_walk.c", next).string(), state), AnalysisOutcome::Valid);
    EXPECT_EQ(state.LinkCount, 3);
    EXPECT_EQ(state.Links[0], (Link{0, 1}));
    EXPECT_EQ(state.Links[1], (Link{0, 0}));
    EXPECT_EQ(state.Links[2], (Link{1, 0}));
    EXPECT_EQ(state.Links[3], Link{});
    EXPECT_EQ(state.Links[4], Link{});  // the failed file's link 4 is gone
}

TEST(AnalyseWalk, FilesBreakingAReaderLimitFail) {
    TempDir dir;
    for (const char* text : {"s_walk_verts[-1] = 1;\n", "s_walk_verts[0] = 1E400;\n",
                             "s_walk_verts[3] = 1;\nint s_walk_graph[1002];\n"}) {
        SCOPED_TRACE(text);
        ConversionState state;
        AnalysisDetails details;
        EXPECT_EQ(AnalyseWalk(dir.Write("s_walk.c", text).string(), state, &details),
                  AnalysisOutcome::Failed);
        EXPECT_NE(details.failure.message, "");
    }
    ConversionState state;
    EXPECT_EQ(AnalyseWalk(
                  dir.Write("s_walk.c", "s_walk_verts[3] = 1;\nint s_walk_graph[1001];\n").string(),
                  state),
              AnalysisOutcome::Valid);
    EXPECT_EQ(state.LinkCount, 1001);
}

TEST(AnalyseWalk, FilesWithoutPointsOrLinksAreNotValid) {
    TempDir dir;
    for (const char* text : {
             "",
             "int main() { return 0; }\n",
             "s_walk_verts[2] = 1;\ns_walk_graph[1] = (0)*256 + (1);\n",  // no point above 0
             "s_walk_verts[3] = 1;\n",                                    // no link
             "s_walk_verts[3] = 1;\nint s_walk_graph[1];\ns_walk_graph[0] = (-1)*256 + (-1);\n",
         }) {
        SCOPED_TRACE(text);
        ConversionState state;
        EXPECT_EQ(AnalyseWalk(dir.Write("s_walk.c", text).string(), state),
                  AnalysisOutcome::NotValid);
    }
}

}  // namespace
}  // namespace walkconv
