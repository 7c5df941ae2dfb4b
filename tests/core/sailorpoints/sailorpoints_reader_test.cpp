#include "core/sailorpoints/sailorpoints_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "core/conversion_error.h"
#include "support/state_listing.h"
#include "support/temp_dir.h"

namespace {

using walkconv::AnalyseSailorpoints;
using walkconv::AnalysisDetails;
using walkconv::AnalysisOutcome;
using walkconv::ConversionState;
using walkconv::testing::StateListing;
using walkconv::testing::TempDir;
using walkconv::testing::WithLineEnds;

// Scans `text` the way an analysis does (both counts starting at -1) and lists the result.
std::string Scan(std::string_view text) {
    ConversionState state;
    state.PointCount = -1;
    state.LinkCount = -1;
    walkconv::ScanSailorpointsText(text, state);
    return StateListing(state);
}

void ExpectScanFails(std::string_view text) {
    ConversionState state;
    state.PointCount = -1;
    state.LinkCount = -1;
    EXPECT_THROW(walkconv::ScanSailorpointsText(text, state), walkconv::ConversionError) << text;
}

// --- The text of a sailorpoints file --------------------------------------------------------

TEST(SailorpointsScan, ScanSailorpointsText_IgnoresLetterCaseAndBlanks) {
    EXPECT_EQ(Scan("[point_data]\n"
                   "Point 0 = 1.5, 2, 3, 0\n"
                   "\tPOINT   1 =4,\t5 ,-6 , 1   \n"
                   "[Link_Data]\n"
                   "  LINK 0   =   1 ,  0\n"),
              "model '' points 2 links 1\n"
              "point 0 = 1.5 2 3 0\n"
              "point 1 = 4 5 -6 1\n"
              "link 0 = 1 0\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_CommentLinesAreNotReadButCounted) {
    // Neither the commented-out point and link nor the commented-out markers count; a ";"
    // later in a line starts no comment, but a text without "=" after it changes nothing.
    EXPECT_EQ(Scan("[POINT_DATA]\n"
                   "point 0 = 1,2,3,4\n"
                   "; point 1 = 9,9,9,9\n"
                   "  # point 2 = 9,9,9,9\n"
                   "[LINK_DATA]\n"
                   "link 0 = 0,1 ; the first one\n"
                   "\t; link 2 = 2,0\n"
                   ";[LINK_DATA]\n"
                   "#[POINT_DATA]\n"),
              "model '' points 1 links 1\n"
              "point 0 = 1 2 3 4\n"
              "link 0 = 0 1\n");
    EXPECT_EQ(Scan("# [POINT_DATA]\npoint 0 = 1,2,3,4\n"), "model '' points 0 links 0\n");
    ConversionState state;
    state.PointCount = -1;
    state.LinkCount = -1;
    try {
        walkconv::ScanSailorpointsText("[POINT_DATA]\n; a comment\r\n\npoint 1001 = 1,2,3,4\n",
                                       state);
        ADD_FAILURE() << "point 1001 was stored";
    } catch (const walkconv::ConversionError& error) {
        EXPECT_EQ(error.failure().line, 4);
    }
}

TEST(SailorpointsScan, ScanSailorpointsText_APointNeedsEqualsAndThreeCommas) {
    // Two commas store nothing; a fifth field is ignored; no "=" stores nothing.
    EXPECT_EQ(Scan("[POINT_DATA]\n"
                   "point 12 = 1.5,2.5,3.5\n"
                   "point 11 : 1,2,3,4\n"
                   "point 2 = 1.5,2.5,3.5,9\n"
                   "point 1 = 1,2,3,10,99\n"),
              "model '' points 3 links 0\n"
              "point 0 = 0 0 0 0\n"
              "point 1 = 1 2 3 5\n"
              "point 2 = 1.5 2.5 3.5 4\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_MapsTypesSevenToNineToFourAndTenToFive) {
    EXPECT_EQ(Scan("[POINT_DATA]\n"
                   "point 0 = 0,0,0,7\n"
                   "point 1 = 0,0,0,8\n"
                   "point 2 = 0,0,0,9\n"
                   "point 3 = 0,0,0,10\n"
                   "point 4 = 0,0,0,7.5\n"
                   "point 5 = 0,0,0,4\n"
                   "point 6 = 0,0,0,5\n"
                   "point 7 = 0,0,0,11\n"),
              "model '' points 8 links 0\n"
              "point 0 = 0 0 0 4\n"
              "point 1 = 0 0 0 4\n"
              "point 2 = 0 0 0 4\n"
              "point 3 = 0 0 0 5\n"
              "point 4 = 0 0 0 7.5\n"
              "point 5 = 0 0 0 4\n"
              "point 6 = 0 0 0 5\n"
              "point 7 = 0 0 0 11\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_IgnoresEverythingBeforeTheFirstSectionMarker) {
    EXPECT_EQ(Scan("point 3 = 9,9,9,9\n"
                   "link 3 = 9,9\n"
                   "[SIZE]\n"
                   "points = 5\n"
                   "links = 5\n"
                   "[POINT_DATA]\n"
                   "point 0 = 1,2,3,0\n"
                   "[LINK_DATA]\n"
                   "link 0 = 0,0\n"),
              "model '' points 1 links 1\n"
              "point 0 = 1 2 3 0\n"
              "link 0 = 0 0\n");
    EXPECT_EQ(Scan("[SIZE]\npoints = 1\nlinks = 1\n"), "model '' points 0 links 0\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_WordsCountInEverySectionAndASecondMarkerRestarts) {
    // A point after the link marker is stored; the second point marker restarts the count
    // but leaves point 3 in the table.
    EXPECT_EQ(Scan("[LINK_DATA]\n"
                   "point 3 = 3,3,3,3\n"
                   "link 0 = 0,1\n"
                   "[POINT_DATA]\n"
                   "point 1 = 1,1,1,1\n"),
              "model '' points 2 links 1\n"
              "point 0 = 0 0 0 0\n"
              "point 1 = 1 1 1 1\n"
              "link 0 = 0 1\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_GapsInPointNumbersLeaveZeroPoints) {
    EXPECT_EQ(Scan("[POINT_DATA]\n"
                   "point 0 = 1,1,1,1\n"
                   "point 5 = 5,5,5,5\n"
                   "point 1 = 2,2,2,2\n"),
              "model '' points 6 links 0\n"
              "point 0 = 1 1 1 1\n"
              "point 1 = 2 2 2 2\n"
              "point 2 = 0 0 0 0\n"
              "point 3 = 0 0 0 0\n"
              "point 4 = 0 0 0 0\n"
              "point 5 = 5 5 5 5\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_LinkEndsRoundHalvesToEven) {
    EXPECT_EQ(Scan("[LINK_DATA]\n"
                   "link 3 = 4.5,5.5\n"
                   "link 0 = 2.5 , -0.5\n"),
              "model '' points 0 links 4\n"
              "link 0 = 2 0\n"
              "link 1 = 0 0\n"
              "link 2 = 0 0\n"
              "link 3 = 4 6\n");
}

TEST(SailorpointsScan, ScanSailorpointsText_NumberOneThousandIsTheLastStored) {
    ConversionState state;
    state.PointCount = -1;
    state.LinkCount = -1;
    walkconv::ScanSailorpointsText(
        "[POINT_DATA]\n"
        "point 1000 = 1,2,3,4\n"
        "point 1001\n"
        "[LINK_DATA]\n"
        "link 1000 = 7,8\n"
        "link 1001\n",
        state);
    EXPECT_EQ(state.PointCount, 1001);
    EXPECT_EQ(state.LinkCount, 1001);
    EXPECT_EQ(state.Points[1000], (walkconv::Point{1, 2, 3, 4}));
    EXPECT_EQ(state.Links[1000], (walkconv::Link{7, 8}));
}

TEST(SailorpointsScan, ScanSailorpointsText_FailsOnNumbersBeyondTheTablesOrSixteenBits) {
    ExpectScanFails("[POINT_DATA]\npoint 1001 = 1,2,3,0\n");
    ExpectScanFails("[POINT_DATA]\npoint -1 = 1,2,3,0\n");
    ExpectScanFails("[LINK_DATA]\nlink 1001 = 0,1\n");
    // A number beyond 16 bits fails as soon as it is read, with or without "=".
    ExpectScanFails("[POINT_DATA]\npoint 40000\n");
    ExpectScanFails("[LINK_DATA]\nlink 40000\n");
    ExpectScanFails("[LINK_DATA]\nlink 0 = 40000,1\n");
    ExpectScanFails("[LINK_DATA]\nlink 0 = 1,-40000\n");
}

// --- Analysing a file -----------------------------------------------------------------------

class SailorpointsAnalysis : public ::testing::Test {
  protected:
    // Writes `content` as `name` in the temporary folder and analyses it into `state`.
    AnalysisOutcome Analyse(const std::string& name, std::string_view content) {
        return AnalyseSailorpoints(dir.Write(name, content).string(), state, &details);
    }

    TempDir dir;
    ConversionState state;
    AnalysisDetails details;
};

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_ReadsTheWritersLayout) {
    const std::string path = dir.Write("ship1.ini",
                                       "\r\n[SIZE]\r\npoints = 2\r\nlinks = 1\r\n\r\n"
                                       "[POINT_DATA]\r\n"
                                       "point 0 = 1.5,2,-0.25,10\r\n"
                                       "point 1 = 0,3,4,1\r\n"
                                       "\r\n[LINK_DATA]\r\n"
                                       "link 0 = 0,1\r\n")
                                 .string();
    EXPECT_EQ(AnalyseSailorpoints(path, state), AnalysisOutcome::Valid);
    EXPECT_EQ(state.InputPath, path);
    EXPECT_EQ(StateListing(state),
              "model 'ship' points 2 links 1\n"
              "point 0 = 1.5 2 -0.25 5\n"
              "point 1 = 0 3 4 1\n"
              "link 0 = 0 1\n");
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_ReadsLfCrLfAndCrFilesAlike) {
    const std::string text =
        "[SIZE]\npoints = 2\n\n[POINT_DATA]\npoint 0 = 1,2,3,8\npoint 1 = 4, 5, 6, 0\n\n"
        "[LINK_DATA]\nlink 0 = 1,0\n";
    const std::string expected =
        "model 'deck' points 2 links 1\n"
        "point 0 = 1 2 3 4\n"
        "point 1 = 4 5 6 0\n"
        "link 0 = 1 0\n";
    for (const std::string_view ending : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(ending)));
        ConversionState fresh;
        const auto path = dir.Write("deck1.ini", WithLineEnds(text, ending));
        EXPECT_EQ(AnalyseSailorpoints(path.string(), fresh), AnalysisOutcome::Valid);
        EXPECT_EQ(StateListing(fresh), expected);
    }
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_MarkersAloneAreValid) {
    EXPECT_EQ(Analyse("hull1.ini", "[POINT_DATA]\r\n[LINK_DATA]\r\n"), AnalysisOutcome::Valid);
    EXPECT_EQ(StateListing(state),
              "model 'hull' points 1 links 1\n"
              "point 0 = 0 0 0 0\n"
              "link 0 = 0 0\n");
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_LinksAfterADroppedOneMoveDown) {
    EXPECT_EQ(Analyse("ship1.ini",
                      "[POINT_DATA]\n"
                      "point 0 = 0,0,0,0\n"
                      "[LINK_DATA]\n"
                      "link 0 = 0,1\n"
                      "link 1 = 1,-1\n"
                      "link 2 = -1,2\n"
                      "link 3 = 2,3\n"
                      "link 4 = 3,4\n"),
              AnalysisOutcome::Valid);
    EXPECT_EQ(details.droppedLinks, 2);
    EXPECT_EQ(StateListing(state),
              "model 'ship' points 1 links 3\n"
              "point 0 = 0 0 0 0\n"
              "link 0 = 0 1\n"
              "link 1 = 2 3\n"
              "link 2 = 3 4\n");
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_LinksUpToOneThousandAreValid) {
    std::string text = "[POINT_DATA]\npoint 0 = 0,0,0,0\n[LINK_DATA]\n";
    for (int i = 0; i <= 1000; ++i) {
        text += "link " + std::to_string(i) + " = " + std::to_string(i % 7) + ",1\n";
    }
    EXPECT_EQ(Analyse("full1.ini", text), AnalysisOutcome::Valid);
    EXPECT_EQ(state.LinkCount, 1001);
    EXPECT_EQ(state.Links[1000], (walkconv::Link{1000 % 7, 1}));

    // Dropping one of them needs no entry beyond the table.
    text += "link 500 = -1,1\n";
    EXPECT_EQ(Analyse("full1.ini", text), AnalysisOutcome::Valid);
    EXPECT_EQ(state.LinkCount, 1000);
    EXPECT_EQ(state.Links[499], (walkconv::Link{499 % 7, 1}));
    EXPECT_EQ(state.Links[500], (walkconv::Link{501 % 7, 1}));
    EXPECT_EQ(state.Links[999], (walkconv::Link{1000 % 7, 1}));
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_NotValidWithoutPointsOrLinks) {
    const struct {
        const char* what;
        const char* content;
    } cases[] = {
        {"empty file", ""},
        {"no section marker", "[SIZE]\npoints = 1\nlinks = 1\npoint 0 = 1,2,3,0\nlink 0 = 0,0\n"},
        {"no link marker", "[POINT_DATA]\npoint 0 = 1,2,3,0\n"},
        {"no point marker", "[LINK_DATA]\nlink 0 = 0,0\n"},
        {"only negative links", "[POINT_DATA]\n[LINK_DATA]\nlink 0 = -1,0\nlink 1 = 0,-1\n"},
        // The second marker restarts the count; the stale link 2 is never read again.
        {"restarted links", "[LINK_DATA]\nlink 2 = 0,-1\n[LINK_DATA]\nlink 0 = 0,-1\n"},
        {"restarted links beside a point",
         "[POINT_DATA]\npoint 0 = 0,0,0,0\n"
         "[LINK_DATA]\nlink 2 = 0,-1\n[LINK_DATA]\nlink 0 = 0,-1\n"},
        {"a too large number before any marker", "point 40000\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Analyse("ship1.ini", c.content), AnalysisOutcome::NotValid) << c.what;
    }
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_FailsOnNumbersBeyondTheTables) {
    EXPECT_EQ(Analyse("ship1.ini", "[POINT_DATA]\npoint 1001 = 1,2,3,0\n[LINK_DATA]\n"),
              AnalysisOutcome::Failed);
    EXPECT_FALSE(details.failure.message.empty());
    EXPECT_EQ(Analyse("ship1.ini", "[LINK_DATA]\npoint 40000\n"), AnalysisOutcome::Failed);
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_ModelNameIsTheFileNameLessFiveCharacters) {
    std::filesystem::create_directory(dir.path() / "dir");
    std::filesystem::create_directory(dir.path() / "data");  // where "\\" separates folders
    const std::string markers = "[POINT_DATA]\n[LINK_DATA]\n";
    const struct {
        std::string name;
        std::string model;
    } cases[] = {
        {"dir/ship1.ini", "ship"},
        {"ship.ini", "shi"},
        {"data\\x.ini", ""},  // cut at its last "\", a file name or a folder's end
        {"big ship1.ini", "big ship"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Analyse(c.name, markers), AnalysisOutcome::Valid) << c.name;
        EXPECT_EQ(state.ModelName, c.model) << c.name;
    }
    EXPECT_EQ(Analyse("a.in", markers), AnalysisOutcome::Failed);
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_MissingInputDoesNothing) {
    const std::string path = dir.Write("ship1.ini",
                                       "[POINT_DATA]\npoint 0 = 1,2,3,4\n"
                                       "[LINK_DATA]\nlink 0 = 0,0\n")
                                 .string();
    ASSERT_EQ(AnalyseSailorpoints(path, state), AnalysisOutcome::Valid);
    const std::string before = StateListing(state);

    std::filesystem::create_directory(dir.path() / "folder1.ini");
    for (const std::string& missing : {std::string(), (dir.path() / "none1.ini").string(),
                                       (dir.path() / "folder1.ini").string()}) {
        EXPECT_EQ(AnalyseSailorpoints(missing, state), AnalysisOutcome::NothingDone) << missing;
        EXPECT_EQ(state.InputPath, path);
        EXPECT_EQ(StateListing(state), before);
    }
}

TEST_F(SailorpointsAnalysis, AnalyseSailorpoints_ASecondAnalysisStartsFromZeroedTables) {
    ASSERT_EQ(Analyse("first1.ini",
                      "[POINT_DATA]\n"
                      "point 0 = 1,1,1,1\npoint 1 = 2,2,2,2\npoint 2 = 3,3,3,3\n"
                      "[LINK_DATA]\n"
                      "link 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,0\n"),
              AnalysisOutcome::Valid);
    const std::string second =
        "[POINT_DATA]\npoint 1 = 5,5,5,5\n[LINK_DATA]\nlink 1 = 1,-1\nlink 2 = 1,0\n";
    ASSERT_EQ(Analyse("second1.ini", second), AnalysisOutcome::Valid);
    EXPECT_EQ(StateListing(state),
              "model 'second' points 2 links 2\n"
              "point 0 = 0 0 0 0\n"
              "point 1 = 5 5 5 5\n"
              "link 0 = 0 0\n"
              "link 1 = 1 0\n");

    ConversionState fresh;
    ASSERT_EQ(AnalyseSailorpoints((dir.path() / "second1.ini").string(), fresh),
              AnalysisOutcome::Valid);
    EXPECT_TRUE(state.Points == fresh.Points);
    EXPECT_TRUE(state.Links == fresh.Links);
}

}  // namespace
