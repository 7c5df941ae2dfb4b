#include "core/conversion_state.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/conversion_error.h"

namespace walkconv {
namespace {

TEST(CheckedTable, AccessOutsideZeroToThousandThrows) {
    ConversionState state;
    const ConversionState& constant = state;
    for (const int index : {-1, 1001, -32768, 32767}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(state.Points[index], ConversionError);
        EXPECT_THROW(state.Links[index], ConversionError);
        EXPECT_THROW(constant.Points[index], ConversionError);
        EXPECT_THROW(constant.Links[index], ConversionError);
    }
    state.Points[1000].z = 2.5;
    state.Links[1000].to = 7;
    EXPECT_EQ(constant.Points[1000].z, 2.5);
    EXPECT_EQ(constant.Links[1000].to, 7);
    EXPECT_EQ(constant.Points[0], Point{});
    EXPECT_EQ(constant.Links[0], Link{});
}

TEST(Point, CoordinatesZeroToTwoAreXYZ) {
    Point p;
    p.Coordinate(0) = 1;
    p.Coordinate(1) = 2;
    p.Coordinate(2) = 3;
    EXPECT_EQ(p, (Point{1, 2, 3, 0}));
    EXPECT_THROW(p.Coordinate(3), ConversionError);
    EXPECT_THROW(p.Coordinate(-1), ConversionError);
}

Link L(int from, int to) {
    return Link{static_cast<std::int16_t>(from), static_cast<std::int16_t>(to)};
}

TEST(DropLinksWithNegativeEnds, KeepsTheOrderAndZeroesVacatedEntries) {
    ConversionState state;
    state.LinkCount = 6;
    state.Links[0] = L(0, 1);
    state.Links[1] = L(-1, 2);
    state.Links[2] = L(2, 3);
    state.Links[3] = L(3, -1);
    state.Links[4] = L(-1, -1);
    state.Links[5] = L(4, 5);
    state.Links[6] = L(-7, -7);  // beyond LinkCount: neither read nor moved
    state.Links[7] = L(8, 9);

    std::vector<DroppedLink> dropped{{99, L(9, 9)}};  // appended to, not replaced
    EXPECT_EQ(DropLinksWithNegativeEnds(state, &dropped), 3);

    EXPECT_EQ(dropped, (std::vector<DroppedLink>{
                           {99, L(9, 9)}, {1, L(-1, 2)}, {3, L(3, -1)}, {4, L(-1, -1)}}));
    EXPECT_EQ(state.LinkCount, 3);
    EXPECT_EQ(state.Links[0], L(0, 1));
    EXPECT_EQ(state.Links[1], L(2, 3));
    EXPECT_EQ(state.Links[2], L(4, 5));
    EXPECT_EQ(state.Links[3], L(0, 0));
    EXPECT_EQ(state.Links[4], L(0, 0));
    EXPECT_EQ(state.Links[5], L(0, 0));
    EXPECT_EQ(state.Links[6], L(-7, -7));
    EXPECT_EQ(state.Links[7], L(8, 9));
}

TEST(DropLinksWithNegativeEnds, DropsEveryLinkWhenAllHaveANegativeEnd) {
    ConversionState state;
    state.LinkCount = 2;
    state.Links[0] = L(-1, -1);
    state.Links[1] = L(0, -32768);
    EXPECT_EQ(DropLinksWithNegativeEnds(state), 2);
    EXPECT_EQ(state.LinkCount, 0);
    EXPECT_EQ(state.Links[0], L(0, 0));
    EXPECT_EQ(state.Links[1], L(0, 0));
}

TEST(DropLinksWithNegativeEnds, AcceptsUpTo1001LinksAndThrowsAbove) {
    ConversionState state;
    state.LinkCount = 1001;
    state.Links[1000] = L(-1, 5);
    EXPECT_EQ(DropLinksWithNegativeEnds(state), 1);
    EXPECT_EQ(state.LinkCount, 1000);

    state.LinkCount = 1002;
    EXPECT_THROW(DropLinksWithNegativeEnds(state), ConversionError);
    state.LinkCount = 32767;
    EXPECT_THROW(DropLinksWithNegativeEnds(state), ConversionError);
}

TEST(DropLinksWithNegativeEnds, ACountOfZeroOrLessTouchesNothing) {
    for (const int count : {0, -1, -32768}) {
        SCOPED_TRACE(count);
        ConversionState state;
        state.LinkCount = static_cast<std::int16_t>(count);
        state.Links[0] = L(-1, -1);
        EXPECT_EQ(DropLinksWithNegativeEnds(state), 0);
        EXPECT_EQ(state.LinkCount, count);
        EXPECT_EQ(state.Links[0], L(-1, -1));
    }
}

TEST(AnalysisSummary, ShowsTheModelNameAndBothCountsOnFourLines) {
    ConversionState state;
    state.ModelName = "ship";
    state.PointCount = 2;
    state.LinkCount = 1;
    EXPECT_EQ(AnalysisSummary(state),
              "Ship model name: ship\r\n\r\nNumber of points = 2\r\nNumber of links = 1");
}

}  // namespace
}  // namespace walkconv
