// Several points at once in the graph window: choosing them (band, Shift+click, Ctrl+A), what
// the panel, a drag, the arrow keys, Delete and Mirror do to all of them, and the selection
// that undo and redo bring back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/graph_window.h"
#include "support/analysed_graph.h"
#include "support/scripted_host.h"

namespace walkconv::app {
namespace {

// Four points of the port half and the centre line, spread out in both views:
// 0 (1, 1, 0), 1 (1, 2, 6), 2 (2, 3, 6), 3 (0, 4, 12); linked 0-1, 1-2, 2-3, 1-3.
GraphDocument PortHalf() {
    auto graph = testing::Analysed({{1, 1, 0, 1}, {1, 2, 6, 1}, {2, 3, 6, 2}, {0, 4, 12, 1}},
                                   {{0, 1}, {1, 2}, {2, 3}, {1, 3}});
    return DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr);
}

// Paints nothing but counts the discs in the selection colour and the band's wash.
class SelectionCanvas : public Canvas {
  public:
    int selectedDiscs = 0;
    int bandWashes = 0;

    void SetTransform(double, double, double) override {}
    void FillRect(const PictureRect&, Ink ink) override {
        bandWashes += ink.color == kSelectionColor && ink.alpha < 255 ? 1 : 0;
    }
    void StrokeRect(const PictureRect&, Ink, double) override {}
    void Line(Spot, Spot, Ink, double) override {}
    void Disc(Spot, double, Ink ink) override {
        selectedDiscs += ink.color == kSelectionColor ? 1 : 0;
    }
    void Ring(Spot, double, Ink, double) override {}
    void Text(Spot, TextAnchor, std::string_view, const FontSpec&, Ink) override {}
    double TextWidth(std::string_view text, const FontSpec&) override {
        return 6.0 * static_cast<double>(text.size());
    }
};

class NullDrawer : public Drawer {
  public:
    double TextWidth(std::string_view text, const FontSpec&) override {
        return 6.0 * static_cast<double>(text.size());
    }
    std::optional<std::string> EncodePng(const std::function<void(Canvas&, int, int)>&,
                                         std::string& why) override {
        why = "none";
        return std::nullopt;
    }
};

class GraphSelectionTest : public ::testing::Test {
  protected:
    GraphSelectionTest() {
        window.ResizeView(800, 800);
        window.Open(PortHalf(), "ship.ini");
    }

    // The screen place of point `n` in a view.
    ScreenPoint At(int n, std::size_t view = kTopView) const {
        return window.ToScreen(
            view, window.Content()->drawing.points[static_cast<std::size_t>(n)].at[view]);
    }
    // A place 8 pixels beyond the dots of `points` in a view, up and left (-1) or down and
    // right (+1), where no point or link lies.
    ScreenPoint Beyond(std::vector<int> points, double side, std::size_t view = kTopView) const {
        ScreenPoint corner = At(points.front(), view);
        for (const int point : points) {
            const ScreenPoint at = At(point, view);
            corner.x = side < 0 ? std::min(corner.x, at.x) : std::max(corner.x, at.x);
            corner.y = side < 0 ? std::min(corner.y, at.y) : std::max(corner.y, at.y);
        }
        return {corner.x + side * 8, corner.y + side * 8};
    }
    // The middle of a view's frame on the screen.
    ScreenPoint InView(std::size_t view) const {
        const ViewFrame& frame = window.Content()->drawing.views[view];
        return window.ToScreen(
            view, {frame.topLeft.x + frame.width / 2, frame.topLeft.y + frame.height / 2});
    }
    void Click(ScreenPoint at, bool shift = false) {
        window.Press(at, false, shift);
        window.Release();
    }
    void Drag(ScreenPoint from, ScreenPoint to, bool shift = false) {
        window.Press(from, false, shift);
        window.Move({(from.x + to.x) / 2, (from.y + to.y) / 2});
        window.Move(to);
        window.Release();
    }
    void Run(GraphCommand command, std::string_view text = {}) {
        window.Run(command, host, drawer, {text});
    }
    const Point& PointAt(int n) const {
        return window.Editing().Document().points[static_cast<std::size_t>(n)];
    }
    Selection Selected() const { return window.Editing().Selected(); }

    GraphWindowBehaviour window;
    testing::ScriptedHost host;
    NullDrawer drawer;
};

TEST_F(GraphSelectionTest, BandShiftClickAndCtrlAChooseThePointsAPlainClickOne) {
    struct Row {
        const char* name;
        std::function<void()> event;
        Selection selected;
        std::string text;  // the panel's
    };
    const std::vector<Row> rows{
        {"a click on a point", [&] { Click(At(1)); }, Selection::Point(1), "point 1"},
        {"Shift+click on another", [&] { Click(At(2), true); }, Selection::Points({1, 2}),
         "2 points selected"},
        {"Shift+click on a selected one takes it out", [&] { Click(At(1), true); },
         Selection::Point(2), "point 2"},
        {"a band in the top view adds the points inside",
         [&] {
             Drag(Beyond({0, 1}, -1), Beyond({0, 1}, +1), true);
         },
         Selection::Points({0, 1, 2}), "3 points selected"},
        {"a click on an empty place", [&] { Click(Beyond({3}, +1)); }, Selection{},
         "nothing selected"},
        {"a band in the side view, drawn up and left",
         [&] {
             Drag(Beyond({2, 3}, +1, kSideView), Beyond({2, 3}, -1, kSideView), true);
         },
         Selection::Points({2, 3}), "2 points selected"},
        {"a drag without Shift pans and keeps the selection",
         [&] {
             Drag(Beyond({3}, +1), {Beyond({3}, +1).x - 30, Beyond({3}, +1).y});
         },
         Selection::Points({2, 3}), "2 points selected"},
        {"Ctrl+A", [&] { Run(GraphCommand::SelectAll); }, Selection::Points({0, 1, 2, 3}),
         "4 points selected"},
        {"a click on one of them", [&] { Click(At(3)); }, Selection::Point(3), "point 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.event();
        EXPECT_EQ(Selected(), row.selected);
        EXPECT_EQ(window.WindowView().Control("SelectionText").text, row.text);
        SelectionCanvas canvas;
        window.Paint(canvas);
        // Each selected point in both views, in the selection colour.
        EXPECT_EQ(canvas.selectedDiscs, 2 * static_cast<int>(row.selected.PointNumbers().size()));
    }
}

TEST_F(GraphSelectionTest, TheBandIsPaintedWhileItIsDrawnInTheViewsPixels) {
    const ScreenPoint from = Beyond({0, 1}, -1);
    window.Press(from, false, true);
    window.Move({from.x + 40, from.y + 30});
    EXPECT_EQ(window.DrawnBand(), (Band{from, {from.x + 40, from.y + 30}}));
    EXPECT_EQ(window.DrawnBand()->Rect(), (PictureRect{from.x, from.y, 40, 30}));
    SelectionCanvas drawing;
    window.Paint(drawing);
    EXPECT_EQ(drawing.bandWashes, 1);
    window.Release();
    EXPECT_EQ(window.DrawnBand(), std::nullopt);
    SelectionCanvas after;
    window.Paint(after);
    EXPECT_EQ(after.bandWashes, 0);
}

TEST_F(GraphSelectionTest, TheFieldsForSeveralPointsSetThemAllOrMoveThemAllByASignedValue) {
    struct Row {
        PanelField field;
        const char* text;
        std::vector<Point> points;  // 0 and 1 afterwards
        std::string x, z, type;     // the fields then
    };
    const std::vector<Row> rows{
        {PanelField::Z, "3", {{1, 1, 3, 1}, {1, 2, 3, 1}}, "1", "3", "1"},
        {PanelField::X, "+0.5", {{1.5, 1, 3, 1}, {1.5, 2, 3, 1}}, "1.5", "3", "1"},
        {PanelField::Y, " -0.5 ", {{1.5, 0.5, 3, 1}, {1.5, 1.5, 3, 1}}, "1.5", "3", "1"},
        {PanelField::Type, "2", {{1.5, 0.5, 3, 2}, {1.5, 1.5, 3, 2}}, "1.5", "3", "2"},
        {PanelField::X, "left", {{1.5, 0.5, 3, 2}, {1.5, 1.5, 3, 2}}, "1.5", "3", "2"},
    };
    window.Editing().Select(Selection::Points({0, 1}));
    const GraphWindowView before = window.WindowView();
    EXPECT_EQ(before.Control("X").text, "1");
    EXPECT_EQ(before.Control("Z").text, "");  // they differ
    EXPECT_TRUE(before.Control("Z").enabled);
    EXPECT_FALSE(before.Control("LinkTo").enabled);
    EXPECT_EQ(before.Control("PointNumber").text, "");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        window.EnterField(row.field, row.text);
        EXPECT_EQ(PointAt(0), row.points[0]);
        EXPECT_EQ(PointAt(1), row.points[1]);
        const GraphWindowView view = window.WindowView();
        EXPECT_EQ(view.Control("X").text, row.x);
        EXPECT_EQ(view.Control("Z").text, row.z);
        EXPECT_EQ(view.Control("Type").text, row.type);
        EXPECT_EQ(Selected(), Selection::Points({0, 1}));
    }
    EXPECT_EQ(window.Editing().Status(), "\"left\" is not a number");
    window.Undo();  // each value one step for all the points
    EXPECT_EQ(PointAt(0), (Point{1.5, 0.5, 3, 1}));
    EXPECT_EQ(PointAt(1), (Point{1.5, 1.5, 3, 1}));

    // For one point a signed value is the value, as ever.
    window.Editing().Select(Selection::Point(2));
    window.EnterField(PanelField::X, "-0.5");
    EXPECT_EQ(PointAt(2).x, -0.5);
}

TEST_F(GraphSelectionTest, DraggingOneOfTheSelectedPointsMovesThemAllInOneStep) {
    struct Row {
        const char* name;
        std::size_t view;
        double dx, dy;  // in pixels
        Point moved;    // the change of each point
    };
    const double pixels = window.Content()->drawing.scale * window.View().Zoom();
    const std::vector<Row> rows{
        {"top view: z rightward, x upward", kTopView, pixels, -2 * pixels, {2, 0, 1, 0}},
        {"side view: z rightward, y upward", kSideView, -pixels, -pixels / 2, {0, 0.5, -1, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        window.Editing().Select(Selection::Points({0, 2, 3}));
        const std::vector<Point> before = window.Editing().Document().points;
        const ScreenPoint from = At(2, row.view);
        Drag(from, {from.x + row.dx, from.y + row.dy});
        for (const int n : {0, 2, 3}) {
            const Point& was = before[static_cast<std::size_t>(n)];
            EXPECT_NEAR(PointAt(n).x, was.x + row.moved.x, 1e-9);
            EXPECT_NEAR(PointAt(n).y, was.y + row.moved.y, 1e-9);
            EXPECT_NEAR(PointAt(n).z, was.z + row.moved.z, 1e-9);
        }
        EXPECT_EQ(PointAt(1), before[1]);
        EXPECT_EQ(Selected(), Selection::Points({0, 2, 3}));
        window.Undo();
        EXPECT_EQ(window.Editing().Document().points, before);
        EXPECT_FALSE(window.Editing().CanUndo());
    }
}

TEST_F(GraphSelectionTest, ArrowKeysMoveTheSelectionInTheViewUnderTheMouseOneStepEach) {
    struct Row {
        GraphCommand key;
        std::size_t view;  // under the mouse
        Point moved;
    };
    const std::vector<Row> rows{
        {GraphCommand::NudgeRight, kTopView, {0, 0, 0.1, 0}},
        {GraphCommand::NudgeUp, kTopView, {0.1, 0, 0, 0}},
        {GraphCommand::FineDown, kTopView, {-0.01, 0, 0, 0}},
        {GraphCommand::FineLeft, kTopView, {0, 0, -0.01, 0}},
        {GraphCommand::NudgeUp, kSideView, {0, 0.1, 0, 0}},
        {GraphCommand::NudgeLeft, kSideView, {0, 0, -0.1, 0}},
        {GraphCommand::FineUp, kSideView, {0, 0.01, 0, 0}},
    };
    window.Editing().Select(Selection::Points({1, 3}));
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.key));
        window.Hover(InView(row.view));
        const std::vector<Point> before = window.Editing().Document().points;
        Run(row.key);
        for (const int n : {1, 3}) {
            const Point& was = before[static_cast<std::size_t>(n)];
            EXPECT_NEAR(PointAt(n).x - was.x, row.moved.x, 1e-12);
            EXPECT_NEAR(PointAt(n).y - was.y, row.moved.y, 1e-12);
            EXPECT_NEAR(PointAt(n).z - was.z, row.moved.z, 1e-12);
        }
        window.Undo();
        EXPECT_EQ(window.Editing().Document().points, before);
        window.Redo();
    }
    EXPECT_EQ(Selected(), Selection::Points({1, 3}));
}

TEST_F(GraphSelectionTest, DeleteAndMirrorAreOneStepAndUndoAndRedoBringBackTheirSelection) {
    struct Row {
        const char* name;
        GraphCommand command;
        Selection selected;    // before
        std::size_t points;    // after
        std::size_t links;     // after
        Selection afterwards;  // selected after the command, and again after its redo
    };
    const std::vector<Row> rows{
        {"Delete removes the points with their links", GraphCommand::Remove,
         Selection::Points({0, 2}), 2, 1, Selection{}},
        {"Mirror: the centre-line point is its own image", GraphCommand::Mirror,
         Selection::Points({0, 1, 2, 3}), 7, 8, Selection::Points({3, 4, 5, 6})},
        {"Mirror of one point", GraphCommand::Mirror, Selection::Point(0), 5, 4,
         Selection::Point(4)},
    };
    const GraphDocument start = window.Editing().Document();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        window.Editing().Select(row.selected);
        Run(row.command);
        EXPECT_EQ(window.Editing().Document().points.size(), row.points);
        EXPECT_EQ(window.Editing().Document().links.size(), row.links);
        EXPECT_EQ(Selected(), row.afterwards);
        window.Undo();
        EXPECT_EQ(window.Editing().Document(), start);
        EXPECT_EQ(Selected(), row.selected);
        window.Redo();
        EXPECT_EQ(Selected(), row.afterwards);
        window.Undo();
    }
    window.Editing().Select({});
    Run(GraphCommand::Mirror);
    EXPECT_EQ(window.Editing().Status(), "Select the points to mirror first.");
    EXPECT_FALSE(window.WindowView().Control("Mirror").enabled);
}

}  // namespace
}  // namespace walkconv::app
