// Both directions in turn, through real files named as the writers propose them, so that the
// model name travels in the file names as it does for a user who accepts the proposals.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"
#include "support/state_listing.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

using walkconv::AnalysisOutcome;
using walkconv::ConversionState;
using walkconv::testing::TempDir;
using walkconv::testing::WithLineEnds;

std::string CrLf(std::string_view text) {
    return WithLineEnds(text, "\r\n");
}

class RoundTrip : public ::testing::Test {
  protected:
    // Analyses the walk source `walk` and writes its sailorpoints file into `folder`.
    fs::path WalkToSailorpoints(const fs::path& walk, const std::string& folder) {
        EXPECT_EQ(walkconv::AnalyseWalk(walk.string(), walkWindow), AnalysisOutcome::Valid) << walk;
        fs::create_directories(dir.path() / folder);
        const fs::path out = dir.path() / folder / (walkWindow.ModelName + "1.ini");
        walkconv::WriteSailorpoints(out, walkWindow);
        return out;
    }

    // Analyses the sailorpoints file `sailorpoints` and writes its walk source into `folder`.
    fs::path SailorpointsToWalk(const fs::path& sailorpoints, const std::string& folder) {
        EXPECT_EQ(walkconv::AnalyseSailorpoints(sailorpoints.string(), sailorpointsWindow),
                  AnalysisOutcome::Valid)
            << sailorpoints;
        fs::create_directories(dir.path() / folder);
        const fs::path out = dir.path() / folder / (sailorpointsWindow.ModelName + "_walk.c");
        walkconv::WriteWalkSource(out, sailorpointsWindow);
        return out;
    }

    // The files of walk -> sailorpoints -> walk -> sailorpoints.
    struct Trip {
        fs::path sailorpoints;
        fs::path walk;
        fs::path sailorpointsAgain;
    };

    // Converts the walk source `text`, saved as `name`, there and back and there again.
    Trip FromWalk(const std::string& name, std::string_view text) {
        fs::create_directories(dir.path() / "input");
        Trip trip;
        trip.sailorpoints = WalkToSailorpoints(dir.Write("input/" + name, text), "first");
        trip.walk = SailorpointsToWalk(trip.sailorpoints, "walk");
        trip.sailorpointsAgain = WalkToSailorpoints(trip.walk, "second");
        return trip;
    }

    TempDir dir;
    // One state per direction, used again and again, as one window of each direction would.
    ConversionState walkWindow;
    ConversionState sailorpointsWindow;
};

// --- Files in the writers' own layouts ------------------------------------------------------

TEST_F(RoundTrip, WalkSourceInTheWritersLayoutComesBackByteForByte) {
    const std::string walk = CrLf(
        "int ship_walk_count;\n"
        "float ship_walk_verts[9];\n"
        "int ship_walk_types[3];\n"
        "int ship_walk_graph[2];\n"
        "\n"
        "void ship_walk_init()\n"
        "{\n"
        "        ship_walk_count = 3;\n"
        "\n"
        "        ship_walk_verts[0] = 1.5;\n"
        "        ship_walk_verts[1] = 0;\n"
        "        ship_walk_verts[2] = -2.25;\n"
        "        ship_walk_verts[3] = 3;\n"
        "        ship_walk_verts[4] = 1E-05;\n"
        "        ship_walk_verts[5] = 4;\n"
        "        ship_walk_verts[6] = -0.5;\n"
        "        ship_walk_verts[7] = 123456.789;\n"
        "        ship_walk_verts[8] = 100;\n"
        "\n"
        "        ship_walk_types[0] = 0;\n"
        "        ship_walk_types[1] = 4;\n"
        "        ship_walk_types[2] = 5;\n"
        "\n"
        "        ship_walk_graph[0] = (0)*256 + (1);\n"
        "        ship_walk_graph[1] = (2)*256 + (1);\n"
        "}\n");
    const std::string sailorpoints = CrLf(
        "\n"
        "[SIZE]\n"
        "points = 3\n"
        "links = 2\n"
        "\n"
        "[POINT_DATA]\n"
        "point 0 = 1.5,0,-2.25,0\n"
        "point 1 = 3,1E-05,4,7\n"
        "point 2 = -0.5,123456.789,100,10\n"
        "\n"
        "[LINK_DATA]\n"
        "link 0 = 0,1\n"
        "link 1 = 2,1\n");
    const Trip trip = FromWalk("ship_walk.c", walk);
    EXPECT_EQ(TempDir::Read(trip.sailorpoints), sailorpoints);
    EXPECT_EQ(TempDir::Read(trip.walk), walk);
    EXPECT_EQ(TempDir::Read(trip.sailorpointsAgain), sailorpoints);
    EXPECT_EQ(trip.sailorpointsAgain.filename(), "ship1.ini");
}

TEST_F(RoundTrip, PointTypesEightAndNineComeBackAsSeven) {
    const std::string walk =
        "int hull_walk_count;\n"
        "float hull_walk_verts[12];\n"
        "int hull_walk_types[4];\n"
        "int hull_walk_graph[1];\n"
        "void hull_walk_init()\n"
        "{\n"
        "        hull_walk_types[0] = 7;\n"
        "        hull_walk_types[1] = 8;\n"
        "        hull_walk_types[2] = 9;\n"
        "        hull_walk_types[3] = 10;\n"
        "        hull_walk_graph[0] = (3)*256 + (0);\n"
        "}\n";
    const std::string before = CrLf(
        "\n[SIZE]\npoints = 4\nlinks = 1\n\n[POINT_DATA]\n"
        "point 0 = 0,0,0,7\n"
        "point 1 = 0,0,0,8\n"
        "point 2 = 0,0,0,9\n"
        "point 3 = 0,0,0,10\n"
        "\n[LINK_DATA]\nlink 0 = 3,0\n");
    const std::string after = CrLf(
        "\n[SIZE]\npoints = 4\nlinks = 1\n\n[POINT_DATA]\n"
        "point 0 = 0,0,0,7\n"
        "point 1 = 0,0,0,7\n"
        "point 2 = 0,0,0,7\n"
        "point 3 = 0,0,0,10\n"
        "\n[LINK_DATA]\nlink 0 = 3,0\n");
    const Trip trip = FromWalk("hull_walk.c", walk);
    EXPECT_EQ(TempDir::Read(trip.sailorpoints), before);
    EXPECT_EQ(TempDir::Read(trip.sailorpointsAgain), after);
}

TEST_F(RoundTrip, SailorpointsInTheWritersLayoutComeBackByteForByte) {
    const std::string sailorpoints = CrLf(
        "\n[SIZE]\npoints = 3\nlinks = 3\n\n[POINT_DATA]\n"
        "point 0 = 0.1,-7,3.25,7\n"
        "point 1 = 1E+15,2.5E-07,0,10\n"
        "point 2 = 1,2,3,7.5\n"
        "\n[LINK_DATA]\n"
        "link 0 = 0,1\n"
        "link 1 = 1,2\n"
        "link 2 = 2,300\n");
    const fs::path input = dir.Write("raft1.ini", sailorpoints);
    const fs::path walk = SailorpointsToWalk(input, "walk");
    EXPECT_EQ(walk.filename(), "raft_walk.c");
    const fs::path back = WalkToSailorpoints(walk, "back");
    EXPECT_EQ(TempDir::Read(back), sailorpoints);
    EXPECT_EQ(TempDir::Read(WalkToSailorpoints(SailorpointsToWalk(back, "walk2"), "back2")),
              sailorpoints);
}

TEST_F(RoundTrip, FullTablesOf1001PointsAndLinksComeBack) {
    // Point and link 1000 make full tables; the walk source declares verts[3003], types[1001]
    // and graph[1001], and must read back as the same 1001 points and links.
    std::string sailorpoints = "\n[SIZE]\npoints = 1001\nlinks = 1001\n\n[POINT_DATA]\n";
    for (int i = 0; i <= 1000; ++i) {
        sailorpoints += "point " + std::to_string(i) + " = " + std::to_string(i) + ",0.5,-1," +
                        std::to_string(i % 4) + "\n";
    }
    sailorpoints += "\n[LINK_DATA]\n";
    for (int i = 0; i <= 1000; ++i) {
        sailorpoints += "link " + std::to_string(i) + " = " + std::to_string(i) + "," +
                        std::to_string(1000 - i) + "\n";
    }
    sailorpoints = CrLf(sailorpoints);
    const fs::path walk = SailorpointsToWalk(dir.Write("full1.ini", sailorpoints), "walk");
    const fs::path back = WalkToSailorpoints(walk, "back");
    EXPECT_EQ(walkWindow.PointCount, 1001);
    EXPECT_EQ(walkWindow.LinkCount, 1001);
    EXPECT_EQ(TempDir::Read(back), sailorpoints);
}

// --- Hand-edited files ----------------------------------------------------------------------

// The model "deck" in the writers' layouts: what every hand-edited file below comes to.
const std::string kDeckSailorpoints = CrLf(
    "\n[SIZE]\npoints = 2\nlinks = 2\n\n[POINT_DATA]\n"
    "point 0 = 1.5,0,-2.25,0\n"
    "point 1 = 3,0.5,4,7\n"
    "\n[LINK_DATA]\n"
    "link 0 = 0,1\n"
    "link 1 = 1,0\n");

const std::string kDeckWalkLf =
    "int deck_walk_count;\n"
    "float deck_walk_verts[6];\n"
    "int deck_walk_types[2];\n"
    "int deck_walk_graph[2];\n"
    "\n"
    "void deck_walk_init()\n"
    "{\n"
    "        deck_walk_count = 2;\n"
    "\n"
    "        deck_walk_verts[0] = 1.5;\n"
    "        deck_walk_verts[1] = 0;\n"
    "        deck_walk_verts[2] = -2.25;\n"
    "        deck_walk_verts[3] = 3;\n"
    "        deck_walk_verts[4] = 0.5;\n"
    "        deck_walk_verts[5] = 4;\n"
    "\n"
    "        deck_walk_types[0] = 0;\n"
    "        deck_walk_types[1] = 4;\n"
    "\n"
    "        deck_walk_graph[0] = (0)*256 + (1);\n"
    "        deck_walk_graph[1] = (1)*256 + (0);\n"
    "}\n";
const std::string kDeckWalk = CrLf(kDeckWalkLf);

struct HandEdited {
    const char* quirk;
    std::string text;
};

void PrintTo(const HandEdited& file, std::ostream* out) {
    *out << file.quirk;
}

class HandEditedWalkRoundTrip : public RoundTrip,
                                public ::testing::WithParamInterface<HandEdited> {};

TEST_P(HandEditedWalkRoundTrip, ComesBackInTheWritersLayout) {
    const Trip trip = FromWalk("deck_walk.c", GetParam().text);
    EXPECT_EQ(TempDir::Read(trip.sailorpoints), kDeckSailorpoints);
    EXPECT_EQ(TempDir::Read(trip.walk), kDeckWalk);
    EXPECT_EQ(TempDir::Read(trip.sailorpointsAgain), kDeckSailorpoints);
}

INSTANTIATE_TEST_SUITE_P(
    Quirks, HandEditedWalkRoundTrip,
    ::testing::Values(
        HandEdited{"LfLineEnds", kDeckWalkLf},
        HandEdited{"CrLineEnds", WithLineEnds(kDeckWalkLf, "\r")},
        HandEdited{"Tabs",
                   "int\tdeck_walk_count;\n"
                   "float\tdeck_walk_verts[6];\n"
                   "int\tdeck_walk_types[2];\n"
                   "int\tdeck_walk_graph[2];\n"
                   "void deck_walk_init()\n"
                   "{\n"
                   "\tdeck_walk_count\t=\t2;\n"
                   "\tdeck_walk_verts[0]\t=\t1.5;\n"
                   "\tdeck_walk_verts[1]\t=\t0;\n"
                   "\tdeck_walk_verts[2]\t=\t-2.25;\n"
                   "\tdeck_walk_verts[3]\t=\t3;\n"
                   "\tdeck_walk_verts[4]\t=\t.5;\n"
                   "\tdeck_walk_verts[5]\t=\t4.0;\n"
                   "\tdeck_walk_types[0]\t=\t0;\n"
                   "\tdeck_walk_types[1]\t=\t4;\n"
                   "\tdeck_walk_graph[0]\t=\t(0)\t*\t256\t+\t(1);\n"
                   "\tdeck_walk_graph[1]\t=\t(1)\t*\t256\t+\t(0);\n"
                   "}\n"},
        HandEdited{"BlanksInsideBrackets",
                   "float deck_walk_verts[ 6 ];\n"
                   "int deck_walk_types[2 ];\n"
                   "int deck_walk_graph[ 2];\n"
                   "void deck_walk_init() {\n"
                   "    deck_walk_verts[ 0 ] = 1.5 ;\n"
                   "    deck_walk_verts[1 ] = 0 ;\n"
                   "    deck_walk_verts[2 ] = -2.25 ;\n"
                   "    deck_walk_verts[3 ] = 3 ;\n"
                   "    deck_walk_verts[4 ] = 0.5 ;\n"
                   "    deck_walk_verts[5 ] = 4 ;\n"
                   "    deck_walk_types[0 ] = 0 ;\n"
                   "    deck_walk_types[1 ] = 4 ;\n"
                   "    deck_walk_graph[0 ] = ( 0 ) * 256 + ( 1 ) ;\n"
                   "    deck_walk_graph[1 ] = ( 1 ) * 256 + ( 0 ) ;\n"
                   "}\n"},
        HandEdited{
            "SeveralStatementsOnALine",
            "int deck_walk_count; float deck_walk_verts[6]; int deck_walk_types[2];\n"
            "int deck_walk_graph[2];\n"
            "void deck_walk_init() { deck_walk_count = 2;\n"
            "  deck_walk_verts[0] = 1.5; deck_walk_verts[1] = 0; deck_walk_verts[2] = -2.25;\n"
            "  deck_walk_verts[3] = 3; deck_walk_verts[4] = 0.5; deck_walk_verts[5] = 4;\n"
            "  deck_walk_types[0] = 0; deck_walk_types[1] = 4;\n"
            "  deck_walk_graph[0] = (0)*256 + (1); deck_walk_graph[1] = (1)*256 + (0); }\n"},
        HandEdited{"WholeFileOnOneLine",
                   "int deck_walk_count; float deck_walk_verts[6]; int deck_walk_types[2]; "
                   "int deck_walk_graph[2]; void deck_walk_init() { deck_walk_count = 2; "
                   "deck_walk_verts[0] = 1.5; deck_walk_verts[1] = 0; "
                   "deck_walk_verts[2] = -2.25; deck_walk_verts[3] = 3; "
                   "deck_walk_verts[4] = 0.5; deck_walk_verts[5] = 4; "
                   "deck_walk_types[0] = 0; deck_walk_types[1] = 4; "
                   "deck_walk_graph[0] = (0)*256 + (1); deck_walk_graph[1] = (1)*256 + (0); }"},
        HandEdited{"GraphPaddedWithNegativeLinks",
                   "float deck_walk_verts[6];\n"
                   "int deck_walk_types[2];\n"
                   "int deck_walk_graph[5];\n"
                   "void deck_walk_init()\n"
                   "{\n"
                   "    deck_walk_verts[0] = 1.5;\n"
                   "    deck_walk_verts[2] = -2.25;\n"
                   "    deck_walk_verts[3] = 3;\n"
                   "    deck_walk_verts[4] = 0.5;\n"
                   "    deck_walk_verts[5] = 4;\n"
                   "    deck_walk_types[1] = 4;\n"
                   "    deck_walk_graph[0] = (0)*256 + (1);\n"
                   "    deck_walk_graph[1] = (-1)*256 + (-1);\n"
                   "    deck_walk_graph[2] = (1)*256 + (0);\n"
                   "    deck_walk_graph[3] = (-1)*256 + (-1);\n"
                   "    deck_walk_graph[4] = (-1)*256 + (-1);\n"
                   "}\n"},
        HandEdited{"OtherIdentifierPrefixAndCase",
                   "// The model's name comes from the file name, not from the identifiers.\n"
                   "float Old_Walk_Verts[6];\n"
                   "int OLD_WALK_TYPES[2];\n"
                   "int old_walk_graph[2];\n"
                   "void old_walk_init()\n"
                   "{\n"
                   "    Old_Walk_Verts[0] = 1.5; Old_Walk_Verts[2] = -2.25;\n"
                   "    Old_Walk_Verts[3] = 3; Old_Walk_Verts[4] = 0.5; Old_Walk_Verts[5] = 4;\n"
                   "    OLD_WALK_TYPES[1] = 4;\n"
                   "    old_walk_graph[0] = (0)*256 + (1);\n"
                   "    old_walk_graph[1] = (1)*256 + (0);\n"
                   "}\n"}),
    [](const ::testing::TestParamInfo<HandEdited>& info) { return std::string(info.param.quirk); });

TEST_F(RoundTrip, HandEditedSailorpointsComeBackInTheWritersLayout) {
    // LF line ends, loose spacing, markers in lower case, no [SIZE] section, lines in any order.
    const fs::path input = dir.Write("deck1.ini",
                                     "; edited by hand\n"
                                     "[point_data]\n"
                                     "  Point 1 =3 , 0.5 ,4 , 8\n"
                                     "\tpoint 0= 1.50,  0,-2.25 ,0   \n"
                                     "\n"
                                     "[link_data]\n"
                                     "link 1 = 1 , 0\n"
                                     "LINK 0=0,1\n");
    const fs::path walk = SailorpointsToWalk(input, "walk");
    EXPECT_EQ(TempDir::Read(walk), kDeckWalk);
    const fs::path sailorpoints = WalkToSailorpoints(walk, "first");
    EXPECT_EQ(TempDir::Read(sailorpoints), kDeckSailorpoints);
    const fs::path again = WalkToSailorpoints(SailorpointsToWalk(sailorpoints, "walk2"), "second");
    EXPECT_EQ(TempDir::Read(again), kDeckSailorpoints);
}

}  // namespace
