#include "app/ship_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/graph_editing.h"
#include "app/graph_window.h"
#include "core/text_file.h"
#include "support/analysed_graph.h"
#include "support/scripted_host.h"
#include "support/ship_model.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::Analysed;
using testing::ObjOfBoxes;
using testing::SampleShipBoxes;
using testing::TempDir;

TEST(ModelBeside, IsTheFirstModelFileNamedLikeTheGraphsFile) {
    struct Row {
        const char* graph;
        std::vector<const char*> files;
        const char* found;  // empty: none
    };
    const std::vector<Row> rows{
        {"brig_walk.c", {"brig.obj"}, "brig.obj"},
        {"brig1.ini", {"brig.gltf"}, "brig.gltf"},
        {"brig1.ini", {"brig.glb", "brig.obj"}, "brig.obj"},
        {"brig.txt", {"brig.glb"}, "brig.glb"},
        {"brig1.ini", {"brig1.obj", "brig.stl"}, ""},
        {"sloop_walk.c", {"brig.obj"}, ""},
        {"_walk.c", {".obj"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.graph);
        TempDir dir;
        for (const char* file : row.files) {
            dir.Write(file, "o");
        }
        const auto found = ModelBeside(dir.path() / row.graph);
        if (*row.found == '\0') {
            EXPECT_FALSE(found);
        } else {
            ASSERT_TRUE(found);
            EXPECT_EQ(found->filename(), row.found);
        }
    }
}

// A graph on the sample ship: point 0 on the main deck, point 1 floating above it, point 2 on
// the quarterdeck, point 3 beside the hull; the link from 0 to 2 runs through the quarterdeck's
// front.
GraphDocument ShipGraph() {
    auto graph = Analysed({{0, 2, 5, 1}, {1, 2.6, 5, 1}, {0, 3, 17, 2}, {5, 2.8, 5, 1}},
                          {{0, 1}, {0, 2}, {1, 3}});
    graph.state.ModelName = "brig";
    return DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr);
}

bool Names(const Finding& finding, std::string_view code) {
    return finding.code == code;
}

TEST(GraphEditingWithModel, AModelBesideTheFileIsCheckedDrawnAndRepairedAgainst) {
    TempDir dir;
    dir.Write("brig.obj", ObjOfBoxes(SampleShipBoxes()));
    GraphEditing editing;
    editing.Open(ShipGraph(), Utf8FromPath(dir.path() / "brig1.ini"));
    ASSERT_NE(editing.Model(), nullptr);
    EXPECT_EQ(editing.Status(), "");
    const auto& content = *editing.Content();
    EXPECT_FALSE(content.drawing.model[0].Empty());

    const auto& findings = content.findings;
    const auto off = std::find_if(findings.begin(), findings.end(),
                                  [](const Finding& f) { return Names(f, "point-off-deck"); });
    ASSERT_NE(off, findings.end());
    EXPECT_EQ(off->points, std::vector<int>{1});
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(),
                            [](const Finding& f) { return Names(f, "link-through-model"); }));

    editing.Fix(static_cast<int>(off - findings.begin()));
    EXPECT_DOUBLE_EQ(editing.Document().points[1].y, 2);
    EXPECT_FALSE(std::any_of(editing.Content()->findings.begin(), editing.Content()->findings.end(),
                             [](const Finding& f) { return f.points == std::vector<int>{1}; }));
}

TEST(GraphEditingWithModel, AModelThatCannotBeReadIsLeftOutWithAStatusMessage) {
    TempDir dir;
    dir.Write("brig.obj", "v 0 0 0\nf 1 2 3\n");
    GraphEditing editing;
    editing.Open(ShipGraph(), Utf8FromPath(dir.path() / "brig1.ini"));
    EXPECT_EQ(editing.Model(), nullptr);
    EXPECT_NE(editing.Status().find("brig.obj"), std::string::npos);
    EXPECT_TRUE(editing.Content()->drawing.model[0].Empty());
}

// A graph window of 560 by 560 pixels showing ShipGraph with the sample ship beside its file.
class ShipWindowTest : public ::testing::Test {
  protected:
    ShipWindowTest() {
        dir.Write("brig.obj", ObjOfBoxes(SampleShipBoxes()));
        window.ResizeView(560, 560);
        window.Open(ShipGraph(), Utf8FromPath(dir.path() / "brig1.ini"));
    }

    // Where (x, z) of the ship shows in the top view, on the screen.
    ScreenPoint InTopView(double x, double z) const {
        const GraphDrawing& drawing = window.Content()->drawing;
        const Spot& dot = drawing.points[0].at[kTopView];
        const Point& at = window.Editing().Document().points[0];
        return window.View().ToScreen(
            {dot.x + (z - at.z) * drawing.scale, dot.y - (x - at.x) * drawing.scale});
    }
    const Point& PointAt(int number) const {
        return window.Editing().Document().points[static_cast<std::size_t>(number)];
    }

    TempDir dir;
    GraphWindowBehaviour window;
};

TEST_F(ShipWindowTest, APointDraggedInTheTopViewKeepsToTheSurfaceItStoodOn) {
    struct Row {
        int point;
        double x, z;  // where it is dragged to
        double y;     // its height then
    };
    const std::vector<Row> rows{
        {2, 0, 5, 2},    // from the quarterdeck down onto the main deck
        {0, 0, 17, 2},   // under the quarterdeck, the main deck stays nearest
        {1, 1, 12, 2},   // a floating point comes down onto the deck
        {0, 0, 10, 2},   // at the foot of the mast
        {1, 4, 5, 2.6},  // beside the hull, no surface: its height stays
        {3, -1, 18, 3},  // from beside the hull onto the highest deck there
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.point);
        const Point start = PointAt(row.point);
        window.Press(InTopView(start.x, start.z), false);
        window.Move(InTopView(row.x, row.z));
        window.Release();
        EXPECT_NEAR(PointAt(row.point).x, row.x, 1e-9);
        EXPECT_NEAR(PointAt(row.point).z, row.z, 1e-9);
        EXPECT_DOUBLE_EQ(PointAt(row.point).y, row.y);
        window.Undo();
        EXPECT_EQ(PointAt(row.point), start);
    }
}

TEST_F(ShipWindowTest, SelectedPointsDraggedInTheTopViewEachKeepToTheirOwnSurface) {
    struct Row {
        double dz;      // the drag along z
        double y0, y2;  // the heights of points 0 and 2 then
    };
    const std::vector<Row> rows{
        {2, 2, 3},   // the main deck and the quarterdeck
        {-4, 2, 2},  // point 2 off the quarterdeck's front, down onto the main deck
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dz);
        window.Editing().Select(Selection::Points({0, 2}));
        window.Press(InTopView(0, 17), false);
        window.Move(InTopView(0, 17 + row.dz));
        window.Release();
        EXPECT_NEAR(PointAt(0).z, 5 + row.dz, 1e-9);
        EXPECT_NEAR(PointAt(2).z, 17 + row.dz, 1e-9);
        EXPECT_DOUBLE_EQ(PointAt(0).y, row.y0);
        EXPECT_DOUBLE_EQ(PointAt(2).y, row.y2);
        window.Undo();
        EXPECT_EQ(PointAt(2), (Point{0, 3, 17, 2}));
    }
}

TEST_F(ShipWindowTest, DropToDeckPutsTheSelectedPointOnTheNearestSurfaceInOneStep) {
    struct Row {
        int point;
        double y;
        bool undoable;
        const char* status;
    };
    const std::vector<Row> rows{
        {1, 2, true, ""},
        {2, 3, false, ""},
        {3, 2.8, false, "No surface of the model lies under or over point 3."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.point);
        window.EnterField(PanelField::Number, std::to_string(row.point));
        EXPECT_TRUE(window.WindowView().Control("DropToDeck").enabled);
        window.DropToDeck();
        EXPECT_DOUBLE_EQ(PointAt(row.point).y, row.y);
        EXPECT_EQ(window.Editing().CanUndo(), row.undoable);
        EXPECT_EQ(window.Editing().Status(), row.status);
        window.Undo();
    }
    EXPECT_DOUBLE_EQ(PointAt(1).y, 2.6);
    window.Press({1, 1}, false);  // nothing selected
    window.Release();
    EXPECT_FALSE(window.WindowView().Control("DropToDeck").enabled);
}

TEST_F(ShipWindowTest, CtrlClickOnTheShipInTheTopViewAddsAPointOnTheHighestSurface) {
    struct Row {
        double x, z;
        bool added;
        double y;
    };
    const std::vector<Row> rows{
        {1, 17, true, 3},   // the quarterdeck
        {-1, 5, true, 2},   // the main deck
        {2, 10, true, 2},   // the main deck beside the mast
        {5, 12, false, 0},  // beside the hull
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.z);
        window.EnterField(PanelField::Number, "2");  // a type-2 point selected
        window.Press(InTopView(row.x, row.z), true);
        window.Release();
        const auto& points = window.Editing().Document().points;
        ASSERT_EQ(points.size(), row.added ? 5U : 4U);
        if (row.added) {
            EXPECT_EQ(points.back(), (Point{row.x, row.y, row.z, 2}));
            EXPECT_EQ(window.Editing().Selected(), Selection::Point(4));
            window.Undo();
        }
    }
}

// The model the window shows after "Model..." is answered, and again when the file is opened
// anew: the sample ship beside the file, or a sloop, a broken model or none chosen instead.
TEST(ModelDialogInTheWindow, OkShowsTheModelChosenAndRemembersItForTheFile) {
    struct Row {
        const char* name;
        std::optional<ModelFields> answer;  // none: Cancel
        const char* shown;                  // the file of the model shown then; empty: none
        MeshPlacement placement;
        const char* message;  // the start of the message box's text; empty: none shown
        bool remembered;
    };
    const MeshPlacement lifted{UpAxis::Z, 2, {0, 1, 0}};
    const std::vector<Row> rows{
        {"cancelled", std::nullopt, "brig.obj", {}, "", false},
        {"another model", ModelFields{"sloop.obj", UpAxis::Z, " 2", {"0", "1", "0"}}, "sloop.obj",
         lifted, "", true},
        {"none", ModelFields{"", UpAxis::Y, "1", {"0", "0", "0"}}, "", {}, "", true},
        {"unreadable",
         ModelFields{"broken.obj", UpAxis::Y, "1", {"0", "0", "0"}},
         "brig.obj",
         {},
         "The model could not be read: ",
         false},
        {"missing",
         ModelFields{"gone.glb", UpAxis::Y, "1", {"0", "0", "0"}},
         "brig.obj",
         {},
         "The model could not be read: ",
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        dir.Write("brig.obj", ObjOfBoxes(SampleShipBoxes()));
        dir.Write("sloop.obj", ObjOfBoxes({SampleShipBoxes().front()}));
        dir.Write("broken.obj", "v 0 0 0\nf 1 2 3\n");
        const std::string graphFile = Utf8FromPath(dir.path() / "brig1.ini");
        const auto inDir = [&](const char* file) {
            return *file == '\0' ? std::string() : Utf8FromPath(dir.path() / file);
        };
        std::optional<ModelFields> answer = row.answer;
        if (answer && !answer->file.empty()) {
            answer->file = inDir(answer->file.c_str());
        }
        testing::ScriptedHost host;
        host.modelAnswers.push_back(answer);
        GraphWindowBehaviour window;
        window.Open(ShipGraph(), graphFile, &host);
        window.Editing().Select(Selection::Point(0));
        window.ChooseModel(host);

        ASSERT_EQ(host.modelRequests.size(), 1U);
        EXPECT_EQ(host.modelRequests[0],
                  (ModelFields{inDir("brig.obj"), UpAxis::Y, "1", {"0", "0", "0"}}));
        const ModelChoice shown{inDir(row.shown), row.placement};
        EXPECT_EQ(window.Editing().ModelChosen(), shown);
        EXPECT_EQ(window.Editing().Model() != nullptr, *row.shown != '\0');
        EXPECT_EQ(window.Content()->drawing.model[0].Empty(), *row.shown == '\0');
        EXPECT_FALSE(window.Editing().CanUndo());
        EXPECT_EQ(window.Editing().Selected(), Selection::Point(0));
        ASSERT_EQ(host.messages.size(), *row.message == '\0' ? 0U : 1U);
        if (!host.messages.empty()) {
            EXPECT_TRUE(host.messages[0].starts_with(row.message)) << host.messages[0];
            EXPECT_NE(host.messages[0].find(row.answer->file), std::string::npos);
        }
        EXPECT_EQ(host.texts.size(), row.remembered ? 1U : 0U);

        // The file opened anew shows the same model, placed the same, the one beside it only
        // when none was chosen.
        GraphWindowBehaviour reopened;
        reopened.Open(ShipGraph(), graphFile, &host);
        EXPECT_EQ(reopened.Editing().ModelChosen(), shown);
        EXPECT_EQ(reopened.Editing().Model() != nullptr, *row.shown != '\0');
    }
}

}  // namespace
}  // namespace walkconv::app
