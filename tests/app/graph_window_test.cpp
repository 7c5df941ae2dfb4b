#include "app/graph_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/graph_controls.h"
#include "core/drawing/svg_writer.h"
#include "core/platform/system_file.h"
#include "core/text_file.h"
#include "support/analysed_graph.h"
#include "support/output_faults.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::Analysed;
using testing::ScriptedHost;
using testing::TempDir;

// Four points, one touched by no link; a plain link, a self-link, a link to a point beyond
// the count, the first link again, and one between two points that do not exist.
GraphDocument SmallGraph(const std::string& model = "ship") {
    auto graph = Analysed({{0, 0, 0, 1}, {2, 1, 10, 1}, {-1, 3, 4, 2}, {1, 2, 7, 3}},
                          {{0, 1}, {1, 2}, {2, 2}, {1, 9}, {0, 1}, {7, 8}});
    graph.state.ModelName = model;
    return DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr);
}

Spot Middle(Spot a, Spot b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// Records what is painted: each primitive with its colour, in order.
class RecordingCanvas : public Canvas {
  public:
    struct Mark {
        std::string what;
        Rgb color;
        std::uint8_t alpha;
    };
    std::vector<Mark> marks;

    void SetTransform(double, double, double) override {}
    void FillRect(const PictureRect&, Ink ink) override { Add("rect", ink); }
    void StrokeRect(const PictureRect&, Ink ink, double) override { Add("frame", ink); }
    void Line(Spot, Spot, Ink ink, double) override { Add("line", ink); }
    void Disc(Spot, double, Ink ink) override { Add("disc", ink); }
    void Ring(Spot, double, Ink ink, double) override { Add("ring", ink); }
    void Text(Spot, TextAnchor, std::string_view, const FontSpec&, Ink ink) override {
        Add("text", ink);
    }
    double TextWidth(std::string_view text, const FontSpec& font) override {
        return 0.6 * font.pixelSize * static_cast<double>(text.size());
    }

    int Halos() const {
        int halos = 0;
        for (const Mark& mark : marks) {
            halos += mark.alpha == kHaloAlpha ? 1 : 0;
        }
        return halos;
    }

  private:
    void Add(const char* what, Ink ink) { marks.push_back({what, ink.color, ink.alpha}); }
};

// Paints into a recording canvas instead of an image of 640 by 520 pixels, and answers with
// fixed bytes.
class FakeDrawer : public Drawer {
  public:
    RecordingCanvas painted;
    int width = 0;
    int height = 0;
    bool fails = false;

    double TextWidth(std::string_view text, const FontSpec& font) override {
        return painted.TextWidth(text, font);
    }
    std::optional<std::string> EncodePng(const std::function<void(Canvas&, int, int)>& paint,
                                         std::string& why) override {
        width = 640;
        height = 520;
        paint(painted, width, height);
        if (fails) {
            why = "no memory for the image";
            return std::nullopt;
        }
        return std::string("PNG bytes");
    }
};

class GraphWindowTest : public ::testing::Test {
  protected:
    // A graph window of 560 by 560 pixels showing the small graph.
    struct Opened {
        Opened() {
            window.ResizeView(560, 560);
            window.Open(SmallGraph(), "ship1.ini");
        }
        GraphWindowBehaviour window;
    };

    Opened opened;
    GraphWindowBehaviour& window = opened.window;
    std::shared_ptr<const GraphContent> content = window.Editing().Content();
    const GraphDrawing& drawing = content->drawing;
    ScriptedHost host;
    TempDir dir;
    FakeDrawer png;

    void Run(GraphCommand command, const CommandInput& input = {}) {
        window.Run(command, host, png, input);
    }

    std::string SaveAs(const std::string& name) {
        const std::string path = Utf8FromPath(dir.path() / name);
        host.fileAnswers.push_back(path);
        window.SavePicture(host, png);
        return path;
    }
};

TEST_F(GraphWindowTest, ShowsTheModelsTitleTheFindingsRowsAndTheWholePicture) {
    EXPECT_EQ(window.Title(), "ship - graph");
    ASSERT_EQ(window.Rows().size(), content->findings.size());
    EXPECT_EQ(window.Rows()[0], "warning: " + content->findings[0].message);
    EXPECT_TRUE(window.RowsSelectable());
    EXPECT_TRUE(window.View().IsFitted());

    auto plain = Analysed({{0, 0, 0, 1}, {1, 1, 1, 1}}, {{0, 1}});
    window.Open(DocumentOf(InputKind::Sailorpoints, plain.state, plain.details, nullptr), "x");
    EXPECT_EQ(window.Rows(), std::vector<std::string>{"No findings"});
    EXPECT_FALSE(window.RowsSelectable());
}

// The names of the controls of `view` that take input, in the table's order.
std::string Enabled(const GraphWindowView& view) {
    std::string names;
    for (std::size_t i = 0; i < view.controls.size(); ++i) {
        if (view.controls[i].enabled) {
            names += (names.empty() ? "" : " ") + std::string(GraphControls()[i].name);
        }
    }
    return names;
}

TEST_F(GraphWindowTest, TheViewAfterEachCommandSaysWhatWorksAndWhatTheControlsShow) {
    const std::string kAlways =
        "FindingsLabel FindingList FixAll Save SaveAs SavePicture Model SameScale";
    struct Row {
        const char* name;
        std::function<void()> event;
        std::string enabled;
        std::string selection;  // of the label that shows it
        std::string x;          // of the field
        std::string title;
        std::string status;
    };
    const std::vector<Row> rows = {
        {"opened", [] {}, "PointLabel PointNumber SelectionText AddPoint " + kAlways,
         "nothing selected", "", "ship - graph", ""},
        {"a point chosen by its number", [&] { Run(GraphCommand::EnterNumber, {"1"}); },
         "PointLabel PointNumber XLabel X YLabel Y ZLabel Z TypeLabel Type LinkToLabel LinkTo "
         "SelectionText AddPoint Mirror " +
             kAlways,
         "point 1", "2", "ship - graph", ""},
        {"a value that is no number", [&] { Run(GraphCommand::EnterX, {"abc"}); },
         "PointLabel PointNumber XLabel X YLabel Y ZLabel Z TypeLabel Type LinkToLabel LinkTo "
         "SelectionText AddPoint Mirror " +
             kAlways,
         "point 1", "2", "ship - graph", "\"abc\" is not a number"},
        {"a finding with a repair",
         [&] {
             Run(GraphCommand::SelectFinding, {{}, 1});
         },
         "PointLabel PointNumber XLabel X YLabel Y ZLabel Z TypeLabel Type LinkToLabel LinkTo "
         "SelectionText AddPoint Mirror FindingsLabel FindingList Fix FixAll Save SaveAs "
         "SavePicture Model SameScale",
         "point 1", "2", "ship - graph", "\"abc\" is not a number"},
        {"every repair", [&] { Run(GraphCommand::FixAll); },
         "PointLabel PointNumber XLabel X YLabel Y ZLabel Z TypeLabel Type LinkToLabel LinkTo "
         "SelectionText AddPoint Mirror FindingsLabel FindingList Save SaveAs SavePicture Model "
         "SameScale",
         "point 1", "2", "ship* - graph", ""},
        {"undone", [&] { Run(GraphCommand::Undo); },
         "PointLabel PointNumber XLabel X YLabel Y ZLabel Z TypeLabel Type LinkToLabel LinkTo "
         "SelectionText AddPoint Mirror " +
             kAlways,
         "point 1", "2", "ship - graph", ""},
        {"closed", [&] { window.Close(); }, "", "", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.event();
        const GraphWindowView view = window.WindowView();
        EXPECT_EQ(Enabled(view), row.enabled);
        EXPECT_EQ(view.Control("SelectionText").text, row.selection);
        EXPECT_EQ(view.Control("X").text, row.x);
        EXPECT_EQ(view.Control("SaveAs").text, "Save as\u2026");
        EXPECT_EQ(view.title, row.title);
        EXPECT_EQ(view.status, row.status);
        EXPECT_EQ(view.rows, window.Rows());
    }
}

// The side column's table, which the front-ends walk: each name and each command once, a field
// for each panel field, a command for each control but the labels, and each row's controls next
// to each other.
TEST(GraphControls, NamesAndCommandsAreOneEachAndRowsStandTogether) {
    std::set<std::string_view> names;
    std::set<GraphCommand> commands;
    const std::span<const GraphControl> controls = GraphControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const GraphControl& control = controls[i];
        SCOPED_TRACE(control.name);
        EXPECT_TRUE(names.insert(control.name).second);
        EXPECT_TRUE(control.command == GraphCommand::None ||
                    commands.insert(control.command).second);
        EXPECT_EQ(control.kind == ControlKind::Label, control.command == GraphCommand::None);
        EXPECT_EQ(control.kind == ControlKind::TextBox, PanelFieldOf(control.command) != nullptr);
        EXPECT_TRUE(i == 0 || control.row == controls[i - 1].row ||
                    control.row == controls[i - 1].row + 1);
    }
    for (const PanelFieldSpec& field : PanelFields()) {
        EXPECT_TRUE(GraphControlIndex(field.command).has_value());
    }
}

TEST_F(GraphWindowTest, TheSameGraphSavedKeepsZoomAndSelectionANewOneFitsAndSelectsNothing) {
    window.Wheel({200, 200}, 240);
    window.Editing().Select(Selection::Point(1));
    const double zoomed = window.View().Zoom();
    window.Reopen(SmallGraph(), "ship1.ini");
    EXPECT_EQ(window.View().Zoom(), zoomed);
    EXPECT_EQ(window.Editing().Selected(), Selection::Point(1));

    window.Open(SmallGraph("boat"), "boat1.ini");
    EXPECT_EQ(window.Title(), "boat - graph");
    EXPECT_TRUE(window.View().IsFitted());
    EXPECT_EQ(window.SelectedFinding(), -1);
    EXPECT_EQ(window.Editing().Selected(), Selection{});
}

TEST_F(GraphWindowTest, HoveringShowsTheTitleOfWhatIsUnderTheMouseThroughAnyZoom) {
    // Zoomed out at one place and in at another, so the places go through a transform that is
    // not the fitted one.
    window.Wheel({100, 80}, -120);
    window.Wheel({300, 200}, 60);
    const auto& points = drawing.points;
    const auto& links = drawing.links;
    const ViewStyle& style = window.Panes().Style();
    const double ring = drawing.ringRadius * style.markScale;
    struct Row {
        const char* name;
        std::size_t view;
        Spot at;           // in the picture
        ScreenPoint away;  // from there, in pixels
        std::string title;
    };
    const std::vector<Row> rows = {
        {"point 1, top view", kTopView, points[1].at[kTopView], {}, points[1].title},
        {"point 2, side view, off its centre",
         kSideView,
         points[2].at[kSideView],
         {1, 1},
         points[2].title},
        {"untouched point 3 (a hollow ring)",
         kTopView,
         points[3].at[kTopView],
         {},
         points[3].title},
        {"link 1 half way",
         kTopView,
         Middle(links[1].from[kTopView], links[1].to[kTopView]),
         {},
         links[1].title},
        {"self-link: its ring below its point",
         kSideView,
         links[2].from[kSideView],
         {0, ring},
         links[2].title},
        {"link beyond the points: its stub, as long in pixels as in the picture",
         kTopView,
         links[3].from[kTopView],
         {(links[3].to[kTopView].x - links[3].from[kTopView].x) / 2 * style.markScale,
          (links[3].to[kTopView].y - links[3].from[kTopView].y) / 2 * style.markScale},
         links[3].title},
        {"the grey around the frame", kTopView, drawing.views[kTopView].topLeft, {-8, -8}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScreenPoint at = window.ToScreen(row.view, row.at);
        EXPECT_EQ(window.HoverText({at.x + row.away.x, at.y + row.away.y}), row.title);
    }
    // The printed picture's layout, which the views do not show, is hit in picture units; a
    // link between missing points is its line of text below the views.
    EXPECT_EQ(HitTest(drawing, points[1].at[kTopView]), (Hit{Hit::Kind::Point, 1}));
    EXPECT_EQ(HitTest(drawing, {links[2].from[kSideView].x, links[2].from[kSideView].y + 6}),
              (Hit{Hit::Kind::Link, 2}));
    EXPECT_EQ(HoverText(drawing, {links[5].listedAt.x + 10, links[5].listedAt.y - 4}),
              links[5].title);
}

TEST_F(GraphWindowTest, AFindingHighlightsItsExistingPointsAndLinkWithAHalo) {
    for (std::size_t row = 0; row < content->findings.size(); ++row) {
        const Finding& finding = content->findings[row];
        SCOPED_TRACE(finding.message);
        window.SelectFinding(static_cast<int>(row));
        Highlight expected;
        for (const int point : finding.points) {
            if (point < 4) {
                expected.points.push_back(point);
            }
        }
        if (finding.link) {
            expected.links.push_back(*finding.link);
        }
        EXPECT_EQ(window.Highlighted(), expected);

        RecordingCanvas canvas;
        window.Paint(canvas);
        // Each in both views; a link between missing points is in the findings only.
        int halos = 2 * static_cast<int>(expected.points.size());
        for (const int link : expected.links) {
            halos += drawing.links[static_cast<std::size_t>(link)].mark == LinkMark::Listed ? 0 : 2;
        }
        EXPECT_EQ(canvas.Halos(), halos);
    }
    window.SelectFinding(-1);
    EXPECT_TRUE(window.Highlighted().Empty());
}

TEST_F(GraphWindowTest, TheModelIsPaintedOverTheFramesAndUnderTheGraphInItsShades) {
    GraphDrawing withModel = drawing;
    withModel.model[0].fills[2].push_back({10, 10, 4, 2});
    withModel.model[1].outlines[3].push_back({{1, 1}, {5, 1}});
    RecordingCanvas canvas;
    PaintGraph(canvas, withModel);
    const std::size_t frames = 1 + withModel.views.size();  // the page, then each view's frame
    ASSERT_GT(canvas.marks.size(), frames + 2);
    EXPECT_EQ(canvas.marks[frames - 1].what, "frame");
    EXPECT_EQ(canvas.marks[frames].what, "rect");
    EXPECT_EQ(canvas.marks[frames].color, ModelFill(2));
    EXPECT_EQ(canvas.marks[frames + 1].what, "line");
    EXPECT_EQ(canvas.marks[frames + 1].color, ModelOutline(3));

    RecordingCanvas plain;
    PaintGraph(plain, drawing);
    EXPECT_EQ(plain.marks.size() + 2, canvas.marks.size());
}

TEST_F(GraphWindowTest, SavingWritesSvgOrPngByTheNamesEndingWithoutTheHighlight) {
    window.SelectFinding(0);
    const std::string svg = SaveAs("PICTURE.SVG");
    EXPECT_EQ(TempDir::Read(PathFromUtf8(svg)), FormatGraphSvg(drawing));

    const FileRequest& request = host.fileRequests.front();
    EXPECT_EQ(request.mode, FileRequest::Mode::Save);
    EXPECT_EQ(request.fileName, "ship_graph.png");
    EXPECT_TRUE(std::ranges::equal(request.filters, PictureFilters()));
    EXPECT_TRUE(request.addTypeEnding);

    for (const char* name : {"picture.png", "picture.image"}) {
        const std::string path = SaveAs(name);
        EXPECT_EQ(TempDir::Read(PathFromUtf8(path)), "PNG bytes");
    }
    EXPECT_EQ(png.painted.Halos(), 0);
    EXPECT_EQ(window.SelectedFinding(), 0);  // still shown in the window
    EXPECT_TRUE(host.messages.empty());
    // The folder of the last picture is remembered for the graph windows.
    EXPECT_EQ(host.folders.at(std::string(GraphWindowBehaviour::kWindowKind)),
              Utf8FromPath(dir.path()));
}

TEST_F(GraphWindowTest, AFailedSaveSaysWhyAndLeavesTheFolderAsItWas) {
    testing::PrepareOutputFaults(dir);
    std::filesystem::create_directory(dir.path() / "taken.svg");
    dir.Write("old.svg", "<svg/>");
    const auto before = testing::FolderListing(dir.path());
    struct Row {
        const char* name;
        StorageFaults faults;
        bool encoderFails;
    };
    const std::vector<Row> rows = {
        {"missing/picture.png", {}, false},
        {"taken1.ini", {}, false},
        {"old1.ini/picture.png", {}, false},
        {"missing/picture.svg", {}, false},
        {"taken.svg", {}, false},
        {"old.svg", {.spaceLeft = 0}, false},
        {"picture.png", {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        host.messages.clear();
        png.fails = row.encoderFails;
        {
            const ScopedStorageFaults faults(row.faults);
            SaveAs(row.name);
        }
        ASSERT_EQ(host.messages.size(), 1U);
        EXPECT_TRUE(host.messages[0].starts_with("The picture could not be saved: "));
        EXPECT_GT(host.messages[0].size(), 33U);
        EXPECT_EQ(testing::FolderListing(dir.path()), before);
    }

    host.messages.clear();
    host.fileAnswers.push_back(std::nullopt);
    window.SavePicture(host, png);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(testing::FolderListing(dir.path()), before);
}

}  // namespace
}  // namespace walkconv::app
