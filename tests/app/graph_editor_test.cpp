// The graph window as an editor: tables of the user's steps (clicks and drags at places of the
// picture, keys, typed fields, fixes, saves) and the document, selection, title and findings
// they leave.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/converter.h"
#include "app/graph_keys.h"
#include "core/editing/document_file.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::ScriptedHost;
using testing::TempDir;

// Three points in a row along z, linked 0-1 and 1-2, then link 1 again (a duplicate) and a
// self-link on point 2; point 0 has the walk source's type 5, which a sailorpoints file calls 10.
const char kShipWalk[] =
    "float ship_walk_verts[9];\nint ship_walk_types[3];\nint ship_walk_graph[4];\n"
    "ship_walk_verts[0] = 0;ship_walk_verts[1] = 0;ship_walk_verts[2] = 0;\n"
    "ship_walk_verts[3] = 0;ship_walk_verts[4] = 0;ship_walk_verts[5] = 5;\n"
    "ship_walk_verts[6] = 0;ship_walk_verts[7] = 0;ship_walk_verts[8] = 10;\n"
    "ship_walk_types[0] = 5;ship_walk_types[1] = 1;ship_walk_types[2] = 1;\n"
    "ship_walk_graph[0] = (0)*256 + (1);\nship_walk_graph[1] = (1)*256 + (2);\n"
    "ship_walk_graph[2] = (2)*256 + (1);\nship_walk_graph[3] = (2)*256 + (2);\n";

// A walk-to-sailorpoints window with the ship analysed and its graph window open.
struct Editor {
    Editor() : converter(WalkToSailorpoints()) {
        path = Utf8FromPath(dir.Write("ship_walk.c", kShipWalk));
        converter.TypeInputPath(path);
        converter.Analyse(host);
        converter.ShowGraph();
        Graph().ResizeView(600, 500);
    }

    TempDir dir;
    ScriptedHost host;
    Converter converter;
    std::string path;

    GraphWindowBehaviour& Graph() { return converter.Graph(); }
    GraphEditing& Editing() { return Graph().Editing(); }
    const GraphDocument& Document() { return Editing().Document(); }
    std::vector<Point> Points() { return Document().points; }
    std::vector<std::pair<int, int>> Links() {
        std::vector<std::pair<int, int>> links;
        for (const DocumentLink& link : Document().links) {
            links.emplace_back(link.ends.from, link.ends.to);
        }
        return links;
    }
    // The screen place of point `n` in a view.
    ScreenPoint At(int n, std::size_t view = kTopView) {
        return Graph().ToScreen(
            view, Graph().Content()->drawing.points[static_cast<std::size_t>(n)].at[view]);
    }
    void Click(ScreenPoint at, bool ctrl = false) {
        Graph().Press(at, ctrl);
        Graph().Release();
    }
    // Drags from `from` by `dx`, `dy` pixels, in a few moves.
    void Drag(ScreenPoint from, double dx, double dy) {
        Graph().Press(from, false);
        for (int step = 1; step <= 4; ++step) {
            Graph().Move({from.x + dx * step / 4, from.y + dy * step / 4});
        }
        Graph().Release();
    }
    // Picture units per coordinate unit, as the screen shows them.
    double PixelsPerUnit() { return Graph().Content()->drawing.scale * Graph().View().Zoom(); }
    std::vector<std::string> Codes() {
        std::vector<std::string> codes;
        for (const Finding& finding : Graph().Content()->findings) {
            codes.emplace_back(finding.code);
        }
        return codes;
    }
};

TEST(GraphEditor, EditsApplyAsOneStepEachAndUndoAndRedoWithoutLimit) {
    struct Row {
        const char* name;
        std::function<void(Editor&)> steps;
        std::function<void(Editor&)> check;  // after the steps
    };
    const std::vector<Row> rows = {
        {"a click selects a point, and the panel shows it in the written form",
         [](Editor& e) { e.Click(e.At(1, kSideView)); },
         [](Editor& e) {
             EXPECT_EQ(e.Editing().Selected(), Selection::Point(1));
             EXPECT_EQ(e.Editing().Panel(),
                       (PanelView{"1", "0", "0", "5", "1", "", "point 1", true}));
             EXPECT_FALSE(e.Editing().Unsaved());  // selecting is no edit
         }},
        {"a drag moves the point by the pointer's displacement, rounded, in one step",
         [](Editor& e) {
             const double unit = e.PixelsPerUnit();
             e.Drag(e.At(1, kTopView), 2.25 * unit + 0.0004 * unit, -1.5 * unit);
         },
         [](Editor& e) {
             EXPECT_EQ(e.Points()[1], (Point{1.5, 0, 7.25, 1}));  // x up, z right
             e.Editing().Undo();
             EXPECT_EQ(e.Points()[1], (Point{0, 0, 5, 1}));
             EXPECT_FALSE(e.Editing().Unsaved());
         }},
        {"in the side view a drag changes y and z",
         [](Editor& e) {
             e.Drag(e.At(2, kSideView), -e.PixelsPerUnit(), -0.5 * e.PixelsPerUnit());
         },
         [](Editor& e) {
             EXPECT_EQ(e.Points()[2], (Point{0, 0.5, 9, 1}));
         }},
        {"dragging the empty page pans and edits nothing",
         [](Editor& e) {
             const double offset = e.Graph().View().OffsetX();
             e.Drag({3, 3}, 40, 0);
             EXPECT_EQ(e.Graph().View().OffsetX(), offset + 40);
         },
         [](Editor& e) { EXPECT_FALSE(e.Editing().CanUndo()); }},
        {"Ctrl+click links the selected point to the one clicked and selects the link",
         [](Editor& e) {
             e.Click(e.At(0));
             e.Click(e.At(2), true);
         },
         [](Editor& e) {
             EXPECT_EQ(e.Links().back(), (std::pair{0, 2}));
             EXPECT_EQ(e.Editing().Selected(), Selection::Link(4));
         }},
        {"typed fields move, retype and link; Enter on the number goes to a point",
         [](Editor& e) {
             e.Graph().EnterField(PanelField::Number, "2");
             e.Graph().EnterField(PanelField::X, "-0.861877");
             e.Graph().EnterField(PanelField::Type, "4");
             e.Graph().EnterField(PanelField::LinkTo, "0");
         },
         [](Editor& e) {
             EXPECT_EQ(e.Points()[2], (Point{-0.861877, 0, 10, 4}));
             EXPECT_EQ(e.Links().back(), (std::pair{2, 0}));
             for (int step = 0; step < 3; ++step) {
                 e.Editing().Undo();
             }
             EXPECT_EQ(e.Points()[2], (Point{0, 0, 10, 1}));
             e.Editing().Redo();
             EXPECT_EQ(e.Points()[2].x, -0.861877);
         }},
        {"Ctrl+Insert adds a point at the selected one's place and type, and selects it",
         [](Editor& e) {
             e.Editing().GoTo(1);
             e.Graph().AddPoint();
         },
         [](Editor& e) {
             EXPECT_EQ(e.Points().back(), (Point{0, 0, 5, 1}));
             EXPECT_EQ(e.Editing().Panel().number, "3");
         }},
        {"removing a point takes its links and renumbers the rest",
         [](Editor& e) {
             e.Editing().GoTo(1);
             e.Graph().Remove();
         },
         [](Editor& e) {
             EXPECT_EQ(e.Points().size(), 2U);
             EXPECT_EQ(e.Links(), (std::vector<std::pair<int, int>>{{1, 1}}));
             EXPECT_EQ(e.Editing().Selected(), Selection{});
             e.Editing().Undo();
             EXPECT_EQ(e.Links(),
                       (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 1}, {2, 2}}));
         }},
        {"an edit the core refuses changes nothing and says why",
         [](Editor& e) {
             e.Editing().GoTo(0);
             e.Graph().EnterField(PanelField::LinkTo, "7");
             e.Graph().EnterField(PanelField::X, "a lot");
         },
         [](Editor& e) {
             EXPECT_EQ(e.Links().size(), 4U);
             EXPECT_FALSE(e.Editing().CanUndo());
             EXPECT_EQ(e.Editing().Status(), "\"a lot\" is not a number");
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Editor e;
        row.steps(e);
        row.check(e);
        EXPECT_EQ(e.host.unexpectedDialogs, 0);
    }
}

TEST(GraphEditor, FindingsFollowEveryEditAndOfferTheirFix) {
    Editor e;
    EXPECT_EQ(e.Codes(), (std::vector<std::string>{"self-link", "duplicate-link"}));
    e.Graph().SelectFinding(1);  // link 2 repeats link 1
    ASSERT_TRUE(e.Graph().CanFix());
    e.Graph().Fix();
    EXPECT_EQ(e.Links(), (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 2}}));
    EXPECT_EQ(e.Codes(), (std::vector<std::string>{"self-link"}));
    e.Editing().Undo();
    e.Graph().FixAll();  // one step for both
    EXPECT_EQ(e.Links(), (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}}));
    EXPECT_TRUE(e.Codes().empty());
    EXPECT_FALSE(e.Graph().CanFixAll());
    e.Editing().Undo();
    EXPECT_EQ(e.Links().size(), 4U);
}

TEST(GraphEditor, SaveWritesTheFileInItsOwnKindAndCodesAndTheConverterFollows) {
    Editor e;
    e.Graph().SelectFinding(0);
    e.Graph().FixAll();
    EXPECT_EQ(e.Graph().Title(), "ship* - graph");
    ASSERT_TRUE(e.Graph().Save(e.host));
    e.converter.FollowGraph(e.host);
    EXPECT_EQ(e.Graph().Title(), "ship - graph");
    // Only the statements of the two links removed, and the declared size, changed.
    std::string kept = kShipWalk;
    kept.replace(kept.find("graph[4];"), 9, "graph[2];");
    kept.erase(kept.find("ship_walk_graph[2] ="));
    EXPECT_EQ(TempDir::Read(PathFromUtf8(e.path)), kept);

    // The file reads back as the document, types in the walk source's codes (5 stays 5), and
    // the converter window analysed it again.
    const DocumentReading reading = ReadDocument(e.path, InputKind::WalkSource);
    ASSERT_TRUE(reading.document.has_value());
    EXPECT_EQ(*reading.document, e.Document());
    EXPECT_EQ(e.Points()[0].type, 5);
    EXPECT_EQ(e.converter.State().LinkCount, 2);
    EXPECT_EQ(e.converter.State().Points[0].type, 10);  // Convert! still maps it
    EXPECT_TRUE(e.converter.View().graphShown);
    // The history goes on after the save.
    e.Editing().Undo();
    EXPECT_TRUE(e.Editing().Unsaved());
}

TEST(GraphEditor, SaveAsWritesEitherKindByTheEndingAndMapsTypesAsConvertDoes) {
    Editor e;
    e.host.fileAnswers.push_back(Utf8FromPath(e.dir.path() / "brig1.ini"));
    ASSERT_TRUE(e.Graph().SaveAs(e.host));
    const FileRequest& request = e.host.fileRequests.back();
    EXPECT_EQ(request.fileName, "ship_walk.c");
    EXPECT_EQ(request.filters[0].pattern, "*.c");
    EXPECT_TRUE(request.addTypeEnding);
    const DocumentReading copy =
        ReadDocument(Utf8FromPath(e.dir.path() / "brig1.ini"), InputKind::Sailorpoints);
    ASSERT_TRUE(copy.document.has_value());
    EXPECT_EQ(copy.document->points[0].type, 10);
    EXPECT_EQ(e.Editing().Path(), e.path);  // a copy in the other kind

    // In its own kind the file becomes the graph's, analysed in the converter window.
    e.host.fileAnswers.push_back(Utf8FromPath(e.dir.path() / "brig_walk.c"));
    ASSERT_TRUE(e.Graph().SaveAs(e.host));
    e.converter.FollowGraph(e.host);
    EXPECT_EQ(e.Editing().Path(), Utf8FromPath(e.dir.path() / "brig_walk.c"));
    EXPECT_EQ(e.converter.View().text1, e.Editing().Path());
    EXPECT_EQ(e.Graph().Title(), "brig - graph");
}

TEST(GraphEditor, UnsavedEditsAreAskedAboutBeforeTheyGo) {
    struct Row {
        const char* name;
        Host::Answer answer;
        std::function<bool(Editor&)> action;  // whether it went ahead
        bool goesAhead;
        bool savedToFile;
    };
    const std::vector<Row> rows = {
        {"closing the graph window, cancelled", Host::Answer::Cancel,
         [](Editor& e) { return e.converter.CloseGraph(e.host); }, false, false},
        {"closing the graph window, discarded", Host::Answer::Discard,
         [](Editor& e) { return e.converter.CloseGraph(e.host); }, true, false},
        {"closing the converter window, saved", Host::Answer::Save,
         [](Editor& e) { return e.converter.Close(e.host); }, true, true},
        {"analysing another file, cancelled", Host::Answer::Cancel,
         [](Editor& e) {
             e.converter.TypeInputPath(Utf8FromPath(e.dir.path() / "missing_walk.c"));
             e.converter.Analyse(e.host);
             return e.converter.View().label2.empty();
         },
         false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Editor e;
        const std::string before = TempDir::Read(PathFromUtf8(e.path));
        e.Editing().GoTo(0);
        e.Graph().Remove();
        e.host.answers.push_back(row.answer);
        EXPECT_EQ(row.action(e), row.goesAhead);
        EXPECT_EQ(e.host.questions,
                  std::vector<std::string>{"Save changes to the walking graph of ship?"});
        EXPECT_EQ(TempDir::Read(PathFromUtf8(e.path)) != before, row.savedToFile);
        EXPECT_EQ(e.Editing().Unsaved(), !row.goesAhead);
    }
    // With nothing unsaved nothing is asked.
    Editor e;
    EXPECT_TRUE(e.converter.CloseGraph(e.host));
    EXPECT_TRUE(e.host.questions.empty());
}

TEST(GraphEditor, AFailedSaveSaysWhyAndLeavesTheFileWhole) {
    Editor e;
    e.Graph().FixAll();
    std::filesystem::remove(PathFromUtf8(e.path));
    std::filesystem::create_directory(PathFromUtf8(e.path));  // a folder in the way
    EXPECT_FALSE(e.Graph().Save(e.host));
    ASSERT_EQ(e.host.messages.size(), 1U);
    EXPECT_TRUE(e.host.messages[0].starts_with("The walking graph could not be saved: "));
    EXPECT_TRUE(e.Editing().Unsaved());
}

TEST(GraphShortcuts, EveryKeyOfTheWindowWorksWhereverTheFocusIs) {
    struct Row {
        KeyPress press;
        std::optional<GraphCommand> command;
    };
    const std::vector<Row> rows = {
        {{Key::G, true, false, false}, GraphCommand::GoTo},
        {{Key::Z, true, false, false}, GraphCommand::Undo},
        {{Key::Y, true, false, false}, GraphCommand::Redo},
        {{Key::Z, true, true, false}, GraphCommand::Redo},
        {{Key::Insert, true, false, false}, GraphCommand::AddPoint},
        {{Key::D, true, false, false}, GraphCommand::DropToDeck},
        {{Key::Delete, true, false, false}, GraphCommand::Remove},
        {{Key::Delete, false, false, true}, GraphCommand::Remove},
        {{Key::Delete, false, false, false}, std::nullopt},  // a field deletes its text
        {{Key::S, true, false, false}, GraphCommand::Save},
        {{Key::S, true, true, false}, GraphCommand::SaveAs},
        {{Key::E, true, true, false}, GraphCommand::SavePicture},
        {{Key::Z, false, false, true}, std::nullopt},
        {{Key::A, true, false, true}, GraphCommand::SelectAll},
        {{Key::A, true, false, false}, std::nullopt},  // a field selects its text
        {{Key::M, true, false, false}, GraphCommand::Mirror},
        {{Key::Left, false, false, true}, GraphCommand::NudgeLeft},
        {{Key::Down, false, false, true}, GraphCommand::NudgeDown},
        {{Key::Up, false, true, true}, GraphCommand::FineUp},
        {{Key::Right, false, false, false}, std::nullopt},  // a field moves its cursor
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CommandFor(row.press), row.command);
    }
}

TEST(GraphShortcuts, KeyCodesOfEachFrontEndNameTheirKeys) {
    const KeyCodes codes{1, 2, 3, 4, 5, 6};
    const std::vector<std::pair<int, Key>> rows{
        {1, Key::Insert}, {2, Key::Delete}, {3, Key::Left}, {4, Key::Right}, {5, Key::Up},
        {6, Key::Down},   {'A', Key::A},    {'M', Key::M},  {7, Key::Other},
    };
    for (const auto& [code, key] : rows) {
        EXPECT_EQ(KeyOfCode(code, codes), key) << code;
    }
}

}  // namespace
}  // namespace walkconv::app
