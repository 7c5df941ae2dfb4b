#include "core/drawing/graph_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/analysed_graph.h"

namespace walkconv {
namespace {

using testing::Analysed;
using testing::AnalysedGraph;

GraphDrawing Draw(const AnalysedGraph& graph) {
    return DrawGraph(graph.state, CollectFindings(graph.state, graph.details, nullptr));
}

bool Within(const Spot& spot, const ViewFrame& frame) {
    return spot.x >= frame.topLeft.x && spot.x <= frame.topLeft.x + frame.width &&
           spot.y >= frame.topLeft.y && spot.y <= frame.topLeft.y + frame.height;
}

TEST(DrawGraph, PlacesPointsWithOneScaleZRightwardAndXOrYUpward) {
    // z spans 10, x 3 and y 3: the width limits the scale.
    const GraphDrawing drawing =
        Draw(Analysed({{0, 0, 0, 1}, {2, 1, 10, 1}, {-1, 3, 4, 1}}, {{0, 1}, {1, 2}}));
    const auto at = [&](int point, std::size_t view) {
        return drawing.points[static_cast<std::size_t>(point)].at[view];
    };
    const double scale = (at(1, kTopView).x - at(0, kTopView).x) / 10;
    EXPECT_GT(scale, 10);
    for (std::size_t view : {kTopView, kSideView}) {
        SCOPED_TRACE(view);
        EXPECT_NEAR(at(2, view).x, at(0, view).x + 4 * scale, 1e-9);
        EXPECT_NEAR(at(1, view).x, at(0, kTopView).x + 10 * scale, 1e-9);
        for (int point = 0; point < 3; ++point) {
            EXPECT_TRUE(Within(at(point, view), drawing.views[view])) << point;
        }
    }
    EXPECT_NEAR(at(1, kTopView).y, at(0, kTopView).y - 2 * scale, 1e-9);    // x = 2
    EXPECT_NEAR(at(2, kTopView).y, at(0, kTopView).y + 1 * scale, 1e-9);    // x = -1
    EXPECT_NEAR(at(1, kSideView).y, at(0, kSideView).y - 1 * scale, 1e-9);  // y = 1
    EXPECT_NEAR(at(2, kSideView).y, at(0, kSideView).y - 3 * scale, 1e-9);  // y = 3

    const ViewFrame& top = drawing.views[kTopView];
    const ViewFrame& side = drawing.views[kSideView];
    EXPECT_EQ(top.topLeft.x, side.topLeft.x);
    EXPECT_EQ(top.width, side.width);
    EXPECT_LT(top.topLeft.y + top.height, side.topLeft.y);
    EXPECT_LE(side.topLeft.y + side.height, drawing.height);
    EXPECT_LE(top.topLeft.x + top.width, drawing.width);
    // The lowest and highest z lie as far from the frame's left and right edges.
    EXPECT_NEAR(at(0, kTopView).x - top.topLeft.x, top.topLeft.x + top.width - at(1, kTopView).x,
                1e-9);
}

struct ExtentCase {
    const char* name;
    std::vector<Point> points;
};

TEST(DrawGraph, EveryPlaceIsFiniteAndInsideItsFrameForAnyFiniteCoordinates) {
    constexpr double kMax = std::numeric_limits<double>::max();
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
    const std::vector<ExtentCase> cases{
        {"a single point", {{3, 4, 5, 1}}},
        {"all points in one place", {{-7, 2, 1e5, 1}, {-7, 2, 1e5, 2}, {-7, 2, 1e5, 1}}},
        {"the largest magnitudes", {{kMax, -kMax, kMax, 1}, {-kMax, kMax, -kMax, 2}}},
        {"huge along one axis only", {{0, 0, -kMax, 1}, {0, 0, kMax, 1}, {0, 0, 0, 1}}},
        {"huge x, nothing along z", {{-kMax, 0, 1, 1}, {kMax, 1, 1, 1}}},
        {"the smallest steps", {{0, kTiny, 0, 1}, {kTiny, 0, 3 * kTiny, 1}}},
        {"far from zero", {{1e300, 1, 1e-300, 1}, {1e300 * (1 + 1e-15), 1, -1e-300, 1}}},
    };
    for (const ExtentCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<testing::Ends> links(c.points.size(), {0, 0});
        const GraphDrawing drawing = Draw(Analysed(c.points, links));
        ASSERT_TRUE(std::isfinite(drawing.width) && std::isfinite(drawing.height));
        EXPECT_GT(drawing.width, 0);
        EXPECT_GT(drawing.height, 0);
        for (const DrawnPoint& point : drawing.points) {
            for (std::size_t view : {kTopView, kSideView}) {
                const Spot& at = point.at[view];
                ASSERT_TRUE(std::isfinite(at.x) && std::isfinite(at.y)) << point.title;
                EXPECT_TRUE(Within(at, drawing.views[view])) << point.title;
            }
        }
        for (const Caption& caption : drawing.captions) {
            EXPECT_TRUE(caption.at.x >= 0 && caption.at.x <= drawing.width) << caption.text;
            EXPECT_TRUE(caption.at.y >= 0 && caption.at.y <= drawing.height) << caption.text;
        }
    }
    // Points in one place sit in the middle of each frame.
    const GraphDrawing one = Draw(Analysed({{1, 1, 1, 1}, {1, 1, 1, 1}}, {{0, 1}}));
    for (std::size_t view : {kTopView, kSideView}) {
        const ViewFrame& frame = one.views[view];
        EXPECT_EQ(one.points[0].at[view],
                  (Spot{frame.topLeft.x + frame.width / 2, frame.topLeft.y + frame.height / 2}));
    }
}

std::vector<std::string> Texts(const GraphDrawing& drawing, TextRole role) {
    std::vector<std::string> texts;
    for (const Caption& caption : drawing.captions) {
        if (caption.role == role) {
            texts.push_back(caption.text);
        }
    }
    return texts;
}

TEST(DrawGraph, TellsEveryPointAndLinkWithItsFindingsAndTheTypesInALegend) {
    const GraphDrawing drawing =
        Draw(Analysed({{0.1, -2.5, 1e20, 10}, {1, 2, 3, 1}, {4, 5, 6, 1}, {7, 8, 9, 0.5}},
                      {{0, 1}, {1, 2}, {2, 1}}));
    EXPECT_EQ(Texts(drawing, TextRole::Header),
              std::vector<std::string>{"ship: 4 points, 3 links, 2 findings"});
    ASSERT_EQ(drawing.points.size(), 4U);
    EXPECT_EQ(drawing.points[0].title, "point 0: 0.1, -2.5, 1E+20, type 10");
    EXPECT_EQ(drawing.points[3].title,
              "point 3: 7, 8, 9, type 0.5; point 3 is not touched by any link");
    ASSERT_EQ(drawing.links.size(), 3U);
    EXPECT_EQ(drawing.links[0].title, "link 0: 0-1");
    EXPECT_EQ(drawing.links[2].title,
              "link 2: 2-1; link 2 joins points 2 and 1, as link 1 does already");
    std::vector<std::string> legend;
    for (const LegendEntry& entry : drawing.legend) {
        legend.push_back(entry.caption.text);
    }
    EXPECT_EQ(legend,
              (std::vector<std::string>{"type 0.5: 1 point", "type 1: 2 points", "type 10: 1 point",
                                        "finding: 1 point, 1 link", "ring: touched by no link"}));
    // The types in the colours of their legend entries.
    EXPECT_EQ(drawing.points[0].color, drawing.legend[2].color);
    EXPECT_EQ(drawing.points[1].color, drawing.legend[1].color);
    EXPECT_EQ(drawing.points[2].color, drawing.legend[1].color);
    EXPECT_NE(drawing.legend[0].color, drawing.legend[1].color);
    EXPECT_EQ(Texts(drawing, TextRole::ViewTitle),
              (std::vector<std::string>{"Top view", "Side view"}));
    EXPECT_EQ(Texts(drawing, TextRole::AxisName), (std::vector<std::string>{"z", "x", "z", "y"}));
    EXPECT_EQ(Texts(drawing, TextRole::Range),
              (std::vector<std::string>{"3", "1E+20", "7", "0.1", "3", "1E+20", "8", "-2.5"}));
}

TEST(DrawGraph, LabelsEachDotWithItsNumberUpTo200Points) {
    for (const int points : {1, 200, 201}) {
        const GraphDrawing drawing = Draw(Analysed(points, {{0, 0}}));
        const std::vector<std::string> labels = Texts(drawing, TextRole::PointLabel);
        EXPECT_EQ(labels.size(), points <= 200 ? 2U * static_cast<std::size_t>(points) : 0U);
        if (!labels.empty()) {
            EXPECT_EQ(labels.back(), std::to_string(points - 1));
        }
    }
}

TEST(DrawGraph, DrawsWhatFindingsAreAboutInTheFindingColour) {
    // Point 3 is touched by no link; point 2 and the points 4 and 5 are groups apart from 0-1.
    const GraphDrawing drawing =
        Draw(Analysed(6, {{0, 1}, {1, 0}, {2, 2}, {1, 7}, {8, 9}, {4, 5}, {-1, 4}}));
    struct Expected {
        LinkMark mark;
        bool flagged;
    };
    const std::vector<Expected> links{{LinkMark::Line, false},  {LinkMark::Line, true},
                                      {LinkMark::Ring, true},   {LinkMark::Stub, true},
                                      {LinkMark::Listed, true}, {LinkMark::Line, false}};
    ASSERT_EQ(drawing.links.size(), links.size());
    for (std::size_t i = 0; i < links.size(); ++i) {
        SCOPED_TRACE(drawing.links[i].title);
        EXPECT_EQ(drawing.links[i].mark, links[i].mark);
        EXPECT_EQ(drawing.links[i].flagged, links[i].flagged);
        EXPECT_EQ(drawing.links[i].color == kFindingColor, links[i].flagged);
    }
    const DrawnPoint& one = drawing.points[1];
    EXPECT_EQ(drawing.links[2].from, drawing.points[2].at);
    EXPECT_EQ(drawing.links[2].to, drawing.points[2].at);
    EXPECT_EQ(drawing.links[3].from, one.at);
    for (std::size_t view : {kTopView, kSideView}) {
        EXPECT_GT(drawing.links[3].to[view].x, one.at[view].x);  // the stub points down and right
        EXPECT_GT(drawing.links[3].to[view].y, one.at[view].y);
        EXPECT_TRUE(Within(drawing.links[3].to[view], drawing.views[view]));
    }
    const DrawnLink& listed = drawing.links[4];
    EXPECT_GT(listed.listedAt.y,
              drawing.views[kSideView].topLeft.y + drawing.views[kSideView].height);
    EXPECT_LT(listed.listedAt.y, drawing.height);

    const std::vector<bool> flagged{false, false, true, true, true, true};
    for (const DrawnPoint& point : drawing.points) {
        SCOPED_TRACE(point.title);
        EXPECT_EQ(point.flagged, flagged[static_cast<std::size_t>(point.number)]);
        EXPECT_EQ(point.color == kFindingColor, point.flagged);
        EXPECT_EQ(point.mark, point.number == 3 ? PointMark::HollowRing : PointMark::Dot);
    }
    EXPECT_EQ(drawing.points[4].title,
              "point 4: 0, 0, 0, type 0; points 4, 5 (2 points) have no path to the rest");
    EXPECT_EQ(Texts(drawing, TextRole::Listing),
              (std::vector<std::string>{"Not shown in the views:",
                                        "warning: 1 link with a negative end was dropped"}));
}

}  // namespace
}  // namespace walkconv
