#include "core/sailorpoints/sailorpoints_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/conversion_error.h"
#include "core/walk/walk_reader.h"
#include "support/locale_guard.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

using testing::TempDir;

#define DATA_DIR WALKCONV_TEST_DATA_DIR "/walk_to_sailorpoints/"

// The model 'ship' with the points (1.5, 2, -0.25, 10) and (0, 3, 4, 1) and one link 0 -> 1.
ConversionState ShipState() {
    ConversionState state;
    state.ModelName = "ship";
    state.PointCount = 2;
    state.LinkCount = 1;
    state.Points[0] = Point{1.5, 2, -0.25, 10};
    state.Points[1] = Point{0, 3, 4, 1};
    state.Links[0] = Link{0, 1};
    return state;
}

// Points whose numbers take every form: whole, rounded to 15 digits, exponent, negative zero.
ConversionState NumberFormsState() {
    ConversionState state;
    state.PointCount = 3;
    state.LinkCount = 2;
    state.Points[0] = Point{3.0, -3, 1e6, 2};
    state.Points[1] = Point{0.1 + 0.2, 1.0 / 3, 123456.78901234567, 2.5};
    state.Points[2] = Point{1e15, 1.5e-7, -0.0, 0.00001};
    state.Links[0] = Link{2, 0};
    state.Links[1] = Link{1, 2};
    return state;
}

const char kNumberFormsFile[] =
    "\r\n[SIZE]\r\npoints = 3\r\nlinks = 2\r\n\r\n[POINT_DATA]\r\n"
    "point 0 = 3,-3,1000000,2\r\n"
    "point 1 = 0.3,0.333333333333333,123456.789012346,2.5\r\n"
    "point 2 = 1E+15,1.5E-07,0,1E-05\r\n"
    "\r\n[LINK_DATA]\r\nlink 0 = 2,0\r\nlink 1 = 1,2\r\n";

TEST(FormatSailorpoints, WritesTheTwoPointExampleByteForByte) {
    EXPECT_EQ(FormatSailorpoints(ShipState()), TempDir::Read(DATA_DIR "ship1.ini"));
}

TEST(FormatSailorpoints, WritesWholeNumbersPlainAndOthersWithFifteenDigits) {
    EXPECT_EQ(FormatSailorpoints(NumberFormsState()), kNumberFormsFile);
}

TEST(FormatSailorpoints, WritesDecimalPointsUnderADecimalCommaLocale) {
    testing::LocaleGuard locale(testing::kDecimalCommaLocale);
    if (!locale.HasDecimalComma()) {
        GTEST_SKIP() << "locale " << testing::kDecimalCommaLocale << " is not installed";
    }
    EXPECT_EQ(FormatSailorpoints(NumberFormsState()), kNumberFormsFile);
}

TEST(FormatSailorpoints, WritesOnlyTheCountedPointsAndLinks) {
    ConversionState state = ShipState();
    state.Points[2] = Point{9, 9, 9, 9};
    state.Links[1] = Link{9, 9};
    EXPECT_EQ(FormatSailorpoints(state), TempDir::Read(DATA_DIR "ship1.ini"));

    state.PointCount = 0;
    state.LinkCount = 0;
    EXPECT_EQ(FormatSailorpoints(state),
              "\r\n[SIZE]\r\npoints = 0\r\nlinks = 0\r\n\r\n[POINT_DATA]\r\n\r\n[LINK_DATA]\r\n");
}

TEST(WriteSailorpoints, TheAnalysedWalkSourceBecomesTheExampleFile) {
    TempDir dir;
    const std::filesystem::path target = dir.Write("ship1.ini", "an older file");
    ConversionState state;
    ASSERT_EQ(AnalyseWalk(DATA_DIR "ship_walk.c", state), AnalysisOutcome::Valid);

    WriteSailorpoints(target, state);

    EXPECT_EQ(TempDir::Read(target), TempDir::Read(DATA_DIR "ship1.ini"));
}

TEST(WriteSailorpoints, AnUnwritablePathThrowsAndWritesNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "ship1.ini");
    EXPECT_THROW(WriteSailorpoints(dir.path() / "missing" / "ship1.ini", ShipState()),
                 ConversionError);
    EXPECT_THROW(WriteSailorpoints(dir.path() / "ship1.ini", ShipState()), ConversionError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "ship1.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

}  // namespace
}  // namespace walkconv
