#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/graph_window.h"
#include "app/view_layout.h"
#include "app/view_panes.h"
#include "support/analysed_graph.h"
#include "support/scripted_host.h"

namespace walkconv::app {
namespace {

using testing::Analysed;
using testing::ScriptedHost;

constexpr double kNear = 1e-9;

TEST(ViewLayout, TheTopViewTakesItsShareAboveTheBarWithinTheLeastHeights) {
    struct Row {
        const char* name;
        double width, height, split;
        double topHeight, sideHeight;
    };
    const std::vector<Row> rows = {
        {"halved", 800, 606, 0.5, 300, 300},
        {"two thirds on top", 900, 906, 2.0 / 3, 600, 300},
        {"the bar dragged to the top edge", 800, 606, 0, kLeastViewHeight, 600 - kLeastViewHeight},
        {"the bar dragged below the bottom", 800, 606, 7, 600 - kLeastViewHeight, kLeastViewHeight},
        {"too low for both least heights", 500, 86, 0.9, 40, 40},
        {"no room at all", 0, 0, 0.5, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ViewLayout layout = LayOutViews(row.width, row.height, row.split);
        const ViewRect& top = layout.views[kTopView];
        const ViewRect& side = layout.views[kSideView];
        EXPECT_EQ(top, (ViewRect{0, 0, row.width, row.topHeight}));
        EXPECT_EQ(layout.splitBar.top, top.height);
        EXPECT_EQ(side.top, layout.splitBar.top + layout.splitBar.height);
        EXPECT_NEAR(side.height, row.sideHeight, kNear);
        EXPECT_EQ(side.width, row.width);
        EXPECT_NEAR(side.top + side.height, row.height, kNear);
    }
}

TEST(ViewLayout, TheBarFollowsThePointerAndEachPlaceBelongsToOneView) {
    const double height = 606;
    for (const double y : {150.0, 303.0, 420.5}) {
        SCOPED_TRACE(y);
        const ViewLayout layout = LayOutViews(800, height, SplitAt(y, height));
        EXPECT_NEAR(layout.splitBar.top + layout.splitBar.height / 2, y, kNear);
    }
    const ViewLayout layout = LayOutViews(800, height, 0.5);
    EXPECT_EQ(ViewAt(layout, {10, 0}), kTopView);
    EXPECT_EQ(ViewAt(layout, {10, 299.5}), kTopView);
    EXPECT_EQ(ViewAt(layout, {10, 302}), std::nullopt);  // on the bar
    EXPECT_EQ(ViewAt(layout, {10, 306}), kSideView);
    EXPECT_EQ(ViewAt(layout, {800, 10}), std::nullopt);
}

// Five points spread along z, across and up; one link.
GraphDocument Spread() {
    auto graph = Analysed({{0, 0, 0, 1}, {3, 1, 10, 1}, {-2, 6, 20, 1}, {1, 2, 30, 2}}, {{0, 1}});
    graph.state.ModelName = "spread";
    return DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr);
}

// A drawer that measures texts by their length and makes no pictures.
class NoDrawer : public Drawer {
  public:
    double TextWidth(std::string_view text, const FontSpec& font) override {
        return 0.6 * font.pixelSize * static_cast<double>(text.size());
    }
    std::optional<std::string> EncodePng(const std::function<void(Canvas&, int, int)>&,
                                         std::string& why) override {
        why = "no pictures here";
        return std::nullopt;
    }
};

// A graph window of 700 by 606 pixels over Spread().
struct Window {
    Window() {
        behaviour.ResizeView(700, 606);
        behaviour.Open(Spread(), "spread1.ini");
    }
    const GraphDrawing& Drawing() const { return behaviour.Content()->drawing; }
    ScreenPoint At(int point, std::size_t view) const {
        return behaviour.ToScreen(view, Drawing().points[static_cast<std::size_t>(point)].at[view]);
    }
    // The middle of a view, in the room's pixels.
    ScreenPoint Middle(std::size_t view) const {
        const ViewRect& rect = behaviour.Panes().Layout().views[view];
        return {rect.left + rect.width / 2, rect.top + rect.height / 2};
    }
    void Run(GraphCommand command) { behaviour.Run(command, host, drawer); }
    void Drag(ScreenPoint from, double dx, double dy) {
        behaviour.Press(from, false);
        behaviour.Move({from.x + dx, from.y + dy});
        behaviour.Release();
    }

    GraphWindowBehaviour behaviour;
    ScriptedHost host;
    NoDrawer drawer;
};

TEST(GraphViews, EachViewZoomsAndPansOnItsOwnOrBothAlongZWithSameScale) {
    struct Row {
        const char* name;
        bool sameScale;
        std::function<void(Window&)> event;  // done in the top view
        bool sideZoomFollows;
        bool sidePansAlongZ;
    };
    const std::vector<Row> rows = {
        {"wheel, same scale", true, [](Window& w) { w.behaviour.Wheel(w.Middle(kTopView), 240); },
         true, true},
        {"wheel, each its own", false,
         [](Window& w) { w.behaviour.Wheel(w.Middle(kTopView), 240); }, false, false},
        {"drag on an empty place, same scale", true,
         [](Window& w) {
             w.Drag({3, 3}, 40, 25);
         },
         false, true},
        {"drag on an empty place, each its own", false,
         [](Window& w) {
             w.Drag({3, 3}, 40, 25);
         },
         false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        if (!row.sameScale) {
            w.Run(GraphCommand::SameScale);
        }
        EXPECT_EQ(w.behaviour.WindowView().Control("SameScale").checked, row.sameScale);
        const Viewport side = w.behaviour.View(kSideView);
        const Viewport top = w.behaviour.View(kTopView);
        const ScreenPoint sideMiddle{side.ViewWidth() / 2, side.ViewHeight() / 2};
        const double sideMiddleY = side.ToPicture(sideMiddle).y;
        row.event(w);

        const Viewport& topNow = w.behaviour.View(kTopView);
        const Viewport& sideNow = w.behaviour.View(kSideView);
        EXPECT_NE(topNow.ToScreen({0, 0}), top.ToScreen({0, 0}));
        EXPECT_EQ(sideNow.Zoom() != side.Zoom(), row.sideZoomFollows);
        EXPECT_EQ(sideNow.OffsetX() != side.OffsetX(), row.sidePansAlongZ);
        // Up and down the side view keeps its middle; along z, with Same scale, both views show
        // the same z at the same pixel.
        EXPECT_NEAR(sideNow.ToPicture(sideMiddle).y, sideMiddleY, 1e-6);
        if (row.sameScale) {
            EXPECT_EQ(sideNow.Zoom(), topNow.Zoom());
            for (int point = 0; point < 4; ++point) {
                EXPECT_NEAR(w.At(point, kTopView).x, w.At(point, kSideView).x, 1e-6);
            }
        }
    }
}

TEST(GraphViews, TheBarMovesTheSplitAndTheViewsFindTheirPointsWhereverItIs) {
    Window w;
    const ViewRect bar = w.behaviour.Panes().Layout().splitBar;
    const ScreenPoint onBar{100, bar.top + bar.height / 2};
    EXPECT_TRUE(w.behaviour.OnSplitBar(onBar));
    w.Drag(onBar, 0, -120);
    EXPECT_NEAR(w.behaviour.Panes().Layout().splitBar.top, bar.top - 120, kNear);
    EXPECT_FALSE(w.behaviour.Editing().CanUndo());
    EXPECT_EQ(w.behaviour.Editing().Selected(), Selection{});

    for (const std::size_t view : {kTopView, kSideView}) {
        for (int point = 0; point < 4; ++point) {
            SCOPED_TRACE(std::to_string(view) + ", point " + std::to_string(point));
            const ScreenPoint at = w.At(point, view);
            EXPECT_EQ(w.behaviour.Panes().ViewAt(at), view);
            EXPECT_EQ(w.behaviour.HoverText(at), w.Drawing().points[std::size_t(point)].title);
        }
    }
    // A drag in the side view, now taller, moves the point up by the side view's scale.
    const double unit = w.Drawing().scale * w.behaviour.View(kSideView).Zoom();
    w.Drag(w.At(2, kSideView), 0, -2 * unit);
    EXPECT_NEAR(w.behaviour.Editing().Document().points[2].y, 8, 1e-9);
}

TEST(GraphViews, ADoubleClickFitsTheViewClickedOrWithSameScaleBothAtOneZoom) {
    for (const bool sameScale : {false, true}) {
        SCOPED_TRACE(sameScale ? "same scale" : "each its own");
        Window w;
        if (!sameScale) {
            w.Run(GraphCommand::SameScale);
        }
        // So low that the side view, the taller picture, needs the smaller zoom.
        w.behaviour.ResizeView(700, 260);
        w.behaviour.Wheel(w.Middle(kSideView), 480);
        w.behaviour.Wheel(w.Middle(kTopView), -240);
        const double top = w.behaviour.View(kTopView).Zoom();
        w.behaviour.DoubleClick(w.Middle(kSideView));
        const Viewport& side = w.behaviour.View(kSideView);
        EXPECT_TRUE(side.IsFitted());
        EXPECT_LT(side.FittedZoom(), w.behaviour.View(kTopView).FittedZoom());
        EXPECT_EQ(side.Zoom(), side.FittedZoom());
        EXPECT_EQ(w.behaviour.View(kTopView).Zoom(), sameScale ? side.Zoom() : top);
        EXPECT_EQ(w.behaviour.View(kTopView).IsFitted(), sameScale);
    }
}

TEST(GraphViews, AFindingSelectedIsBroughtIntoBothViewsStillAlignedAlongZ) {
    for (const bool sameScale : {true, false}) {
        SCOPED_TRACE(sameScale ? "same scale" : "each its own");
        Window w;
        if (!sameScale) {
            w.Run(GraphCommand::SameScale);
        }
        w.behaviour.Wheel(w.Middle(kTopView), 600);
        w.Drag({3, 3}, -3000, 900);
        w.Drag(w.Middle(kSideView), 2000, -700);
        ASSERT_FALSE(w.behaviour.Rows().empty());
        w.behaviour.SelectFinding(0);
        const Highlight& shown = w.behaviour.Highlighted();
        ASSERT_FALSE(shown.points.empty());
        for (const std::size_t view : {kTopView, kSideView}) {
            for (const int point : shown.points) {
                EXPECT_TRUE(w.behaviour.Panes().Layout().views[view].Contains(w.At(point, view)))
                    << "point " << point << " in view " << view;
                if (sameScale) {
                    EXPECT_NEAR(w.At(point, kTopView).x, w.At(point, kSideView).x, 1e-6);
                }
            }
        }
    }
}

// Counts the layers painted anew (one for each view: its frame, its model and what stands
// still of the graph), and the sizes of the texts written.
class LayerCanvas : public Canvas {
  public:
    std::map<int, std::uint64_t> versions;
    std::map<int, int> painted;
    std::vector<double> textSizes;

    void SetTransform(double, double, double) override {}
    void FillRect(const PictureRect&, Ink) override {}
    void StrokeRect(const PictureRect&, Ink, double) override {}
    void Line(Spot, Spot, Ink, double) override {}
    void Disc(Spot, double, Ink) override {}
    void Ring(Spot, double, Ink, double) override {}
    void Text(Spot, TextAnchor, std::string_view, const FontSpec& font, Ink) override {
        textSizes.push_back(font.pixelSize);
    }
    double TextWidth(std::string_view, const FontSpec&) override { return 0; }
    void Layer(int slot, std::uint64_t version, const PictureRect&,
               const std::function<void(Canvas&)>& paint) override {
        const auto kept = versions.find(slot);
        if (kept == versions.end() || kept->second != version) {
            versions[slot] = version;
            ++painted[slot];
            paint(*this);
        }
    }
    // The layers painted anew by one more paint of `window`.
    int PaintedBy(const GraphWindowBehaviour& window) {
        const std::map<int, int> before = painted;
        textSizes.clear();
        window.Paint(*this);
        const auto anew = [&](int slot) {
            const auto was = before.find(slot);
            return painted[slot] - (was == before.end() ? 0 : was->second);
        };
        return anew(0) + anew(1);
    }
};

TEST(GraphViews, TheLayersArePaintedAgainOnlyWhenWhatTheyShowChanges) {
    Window w;
    LayerCanvas canvas;
    EXPECT_EQ(canvas.PaintedBy(w.behaviour), 2);
    struct Row {
        const char* name;
        std::function<void()> event;
        int layers;
    };
    const std::vector<Row> rows = {
        {"nothing changed", [] {}, 0},
        {"a point pressed: it is held, out of the layers",
         [&] { w.behaviour.Press(w.At(1, kTopView), false); }, 2},
        {"dragged within the others",
         [&] {
             w.behaviour.Move({w.At(1, kTopView).x + 5, w.At(1, kTopView).y});
         },
         0},
        {"dragged again",
         [&] {
             w.behaviour.Move({w.At(1, kTopView).x + 9, w.At(1, kTopView).y});
         },
         0},
        {"released: back in the layers", [&] { w.behaviour.Release(); }, 2},
        {"dragged beyond the others: the side view's frame grows",
         [&] { w.Drag(w.At(2, kSideView), 0, -80); }, 2},
        {"undone", [&] { w.behaviour.Undo(); }, 2},
        {"the side view panned, Same scale: both move along z",
         [&] { w.Drag(w.Middle(kSideView), 30, 0); }, 2},
        {"the side view panned up only: the top stays", [&] { w.Drag(w.Middle(kSideView), 0, 30); },
         1},
        {"zoomed", [&] { w.behaviour.Wheel(w.Middle(kTopView), 120); }, 2},
        {"the window resized", [&] { w.behaviour.ResizeView(720, 606); }, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.event();
        EXPECT_EQ(canvas.PaintedBy(w.behaviour), row.layers);
    }
}

TEST(GraphViews, TextsAreWrittenInTheWindowsFontWhateverTheZoom) {
    Window w;
    LayerCanvas canvas;
    for (const double font : {12.0, 18.0}) {
        w.behaviour.SetViewStyle({font, font / 12});
        EXPECT_EQ(w.behaviour.View(kTopView).Zoom(), w.behaviour.View(kSideView).Zoom());
        EXPECT_EQ(w.behaviour.View(kTopView).OffsetX(), w.behaviour.View(kSideView).OffsetX());
        for (const int eighths : {0, -240, -960}) {
            SCOPED_TRACE(std::to_string(font) + " px, wheel " + std::to_string(eighths));
            w.behaviour.Wheel(w.Middle(kTopView), eighths);
            canvas.PaintedBy(w.behaviour);
            // Point numbers, values and names of the axes, and each view's title.
            std::map<double, int> sizes;
            for (const double size : canvas.textSizes) {
                ++sizes[size];
            }
            const std::map<double, int> expected{
                {font * 9 / 11, 8}, {font, 12}, {font * 13 / 11, 2}};
            EXPECT_EQ(sizes, expected);
        }
    }
}

}  // namespace
}  // namespace walkconv::app
