#include "app/converter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/direction.h"
#include "app/model_choice.h"
#include "core/editing/document_file.h"
#include "core/messages.h"
#include "core/platform/system_file.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text_file.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"
#include "support/odd_paths.h"
#include "support/output_faults.h"
#include "support/scripted_host.h"
#include "support/ship_model.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::ScriptedHost;
using testing::TempDir;

// The declarations give the counts; the values follow in the init function.
const char kTwoPointWalk[] =
    "int ship_walk_count;\nfloat ship_walk_verts[6];\nint ship_walk_types[2];\n"
    "int ship_walk_graph[1];\nvoid ship_walk_init()\n{\n"
    "ship_walk_count = 2;\n"
    "ship_walk_verts[0] = 1.5;ship_walk_verts[1] = 2;ship_walk_verts[2] = -0.25;\n"
    "ship_walk_verts[3] = 0;ship_walk_verts[4] = 3;ship_walk_verts[5] = 4;\n"
    "ship_walk_types[0] = 5;ship_walk_types[1] = 1;\n"
    "ship_walk_graph[0] = (0)*256 + (1);\n}\n";

const char kTwoPointSailorpoints[] =
    "[SIZE]\npoints = 2\nlinks = 1\n[POINT_DATA]\n"
    "point 0 = 1.5,2,-0.25,5\npoint 1 = 0,3,4,1\n[LINK_DATA]\nlink 0 = 0,1\n";

// A converter window of one direction with the files of that direction in a folder of its own.
struct Window {
    explicit Window(const Direction& d) : direction(d), converter(d) {}

    const Direction& direction;
    Converter converter;
    ScriptedHost host;
    TempDir dir;

    bool Walk() const { return direction.reads == InputKind::WalkSource; }

    // A valid input of the model `model`, written under its usual name.
    std::string Valid(const std::string& model = "ship") const {
        std::string text = Walk() ? kTwoPointWalk : kTwoPointSailorpoints;
        for (std::size_t at = text.find("ship"); at != std::string::npos;
             at = text.find("ship", at + model.size())) {
            text.replace(at, 4, model);
        }
        return Utf8FromPath(dir.Write(model + (Walk() ? "_walk.c" : "1.ini"), text));
    }
    std::string NotValid() const {
        return Utf8FromPath(Walk()
                                ? dir.Write("boat_walk.c", "float boat_walk_verts[6];\n")
                                : dir.Write("nolinks1.ini", "[POINT_DATA]\npoint 0 = 1,2,3,0\n"));
    }
    // Too short a name to cut the model name's ending from.
    std::string Failing() const {
        return Utf8FromPath(
            dir.Write(Walk() ? "ship.c" : "a.in", Walk() ? kTwoPointWalk : kTwoPointSailorpoints));
    }
    std::string Missing() const { return Utf8FromPath(dir.path() / "missing"); }
    std::string Other() const { return Utf8FromPath(dir.path() / "other"); }

    // The state that an analysis of `path` leaves, made by the core's own analysis.
    ConversionState StateOf(const std::string& path, AnalysisDetails* details = nullptr,
                            WalkSourceFacts* facts = nullptr) const {
        ConversionState state;
        if (Walk()) {
            AnalyseWalk(path, state, details, facts);
        } else {
            AnalyseSailorpoints(path, state, details);
        }
        return state;
    }

    // What the window shows after a valid analysis of `path`.
    ConverterView Ready(const std::string& path) const {
        const ConversionState state = StateOf(path);
        ConverterView view;
        view.text1 = path;
        view.label2 = AnalysisSummary(state);
        if (direction.namesOutput) {
            view.text2 = state.ModelName;
            view.text2Enabled = true;
        }
        view.command3Enabled = view.command4Enabled = true;
        return view;
    }

    // What the window shows with `path` in the input box and nothing to convert.
    static ConverterView NotReady(const std::string& path, const std::string& result = {}) {
        ConverterView view;
        view.text1 = path;
        view.label2 = result;
        return view;
    }

    void Convert(const std::optional<std::string>& answer) {
        host.fileAnswers.push_back(answer);
        converter.Convert(host);
    }
};

struct Row {
    const char* name;
    // The user's steps, then what the window shows after them.
    std::function<void(Window&)> steps;
    std::function<ConverterView(const Window&)> expected;
    std::vector<std::string> messages = {};
};

void Analyse(Window& w, const std::string& path) {
    w.converter.TypeInputPath(path);
    w.converter.Analyse(w.host);
}

void Browse(Window& w, const std::optional<std::string>& answer) {
    w.host.fileAnswers.push_back(answer);
    w.converter.Browse(w.host);
}

std::vector<Row> Rows() {
    const std::string converted = kConvertedMessage;
    return {
        {"a new window is empty with nothing to convert", [](Window&) {},
         [](const Window&) { return ConverterView{}; }},
        {"a valid file shows its summary and may be converted and drawn",
         [](Window& w) { Analyse(w, w.Valid()); },
         [](const Window& w) { return w.Ready(w.Valid()); }},
        {"a file without points or links is refused in the result area",
         [](Window& w) {
             Analyse(w, w.Valid());
             Analyse(w, w.NotValid());
         },
         [](const Window& w) {
             return Window::NotReady(w.NotValid(), std::string(w.direction.notValidText));
         }},
        {"a failing file clears the result and says so in a message box",
         [](Window& w) {
             Analyse(w, w.Valid());
             Analyse(w, w.Failing());
         },
         [](const Window& w) { return Window::NotReady(w.Failing()); },
         {kInputCorruptedMessage}},
        {"a missing file, a folder or no path only clear the result",
         [](Window& w) {
             for (const std::string& path :
                  {w.Missing(), Utf8FromPath(w.dir.path()), std::string()}) {
                 Analyse(w, w.Valid());
                 Analyse(w, path);
             }
             // What was analysed last is still what the state holds.
             EXPECT_EQ(w.converter.State().ModelName, "ship");
         },
         [](const Window&) { return Window::NotReady(""); }},
        {"typing changes nothing else",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.converter.TypeInputPath("elsewhere");
         },
         [](const Window& w) {
             ConverterView view = w.Ready(w.Valid());
             view.text1 = "elsewhere";
             return view;
         }},
        {"a conversion disables Convert! and the name box, and keeps the rest",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.Convert(Utf8FromPath(w.dir.path() / "out"));
         },
         [](const Window& w) {
             ConverterView view = w.Ready(w.Valid());
             view.command3Enabled = view.text2Enabled = false;
             return view;
         },
         {converted}},
        {"a cancelled save changes nothing",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.Convert(std::nullopt);
         },
         [](const Window& w) { return w.Ready(w.Valid()); }},
        {"browsing puts the chosen path in, even after a conversion, and ends readiness",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.Convert(Utf8FromPath(w.dir.path() / "out"));
             Browse(w, w.Other());
         },
         [](const Window& w) { return Window::NotReady(w.Other()); },
         {converted}},
        {"cancelling the first browse empties a typed path",
         [](Window& w) {
             w.converter.TypeInputPath("typed by hand");
             Browse(w, std::nullopt);
         },
         [](const Window&) { return Window::NotReady(""); }},
        {"cancelling a later browse puts the last choice back",
         [](Window& w) {
             Analyse(w, w.Valid());
             Browse(w, w.Other());
             w.converter.TypeInputPath("typed by hand");
             Browse(w, std::nullopt);
         },
         [](const Window& w) { return Window::NotReady(w.Other()); }},
        {"the graph window opens on Show graph",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.converter.ShowGraph();
         },
         [](const Window& w) {
             ConverterView view = w.Ready(w.Valid());
             view.graphShown = true;
             return view;
         }},
        {"Show graph does nothing without a valid analysis",
         [](Window& w) {
             Analyse(w, w.NotValid());
             w.converter.ShowGraph();
         },
         [](const Window& w) {
             return Window::NotReady(w.NotValid(), std::string(w.direction.notValidText));
         }},
        {"the graph window follows each valid analysis and stays open after Convert!",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.converter.ShowGraph();
             Analyse(w, w.Valid("boat"));
             w.Convert(Utf8FromPath(w.dir.path() / "out"));
         },
         [](const Window& w) {
             ConverterView view = w.Ready(w.Valid("boat"));
             view.command3Enabled = view.text2Enabled = false;
             view.graphShown = true;
             return view;
         },
         {converted}},
        {"the graph window closes without a valid analysis and does not reopen by itself",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.converter.ShowGraph();
             Analyse(w, w.Failing());
             Analyse(w, w.Valid());
         },
         [](const Window& w) { return w.Ready(w.Valid()); },
         {kInputCorruptedMessage}},
        {"the user may close the graph window",
         [](Window& w) {
             Analyse(w, w.Valid());
             w.converter.ShowGraph();
             EXPECT_TRUE(w.converter.CloseGraph(w.host));
         },
         [](const Window& w) { return w.Ready(w.Valid()); }},
        {"a dropped file is analysed: the first of several",
         [](Window& w) {
             const std::vector<std::string> files{w.Valid(), w.NotValid()};
             w.converter.Drop(files, w.host);
         },
         [](const Window& w) { return w.Ready(w.Valid()); }},
        {"a dropped missing file is opened as typed",
         [](Window& w) {
             const std::vector<std::string> files{w.Missing()};
             w.converter.Drop(files, w.host);
         },
         [](const Window& w) { return Window::NotReady(w.Missing()); }},
        {"a dropped folder is no file and changes nothing",
         [](Window& w) {
             w.converter.TypeInputPath("typed");
             const std::vector<std::string> files{Utf8FromPath(w.dir.path()), w.Valid()};
             EXPECT_FALSE(Converter::TakesDrop(files));
             w.converter.Drop(files, w.host);
         },
         [](const Window&) { return Window::NotReady("typed"); }},
        {"the model name cannot be typed before a valid analysis",
         [](Window& w) { w.converter.TypeModelName("typed"); },
         [](const Window&) { return ConverterView{}; }},
    };
}

class ConverterSteps : public ::testing::TestWithParam<const Direction*> {};

TEST_P(ConverterSteps, EveryRowOfStepsLeavesTheWindowAsExpected) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        Window w(*GetParam());
        row.steps(w);
        EXPECT_EQ(w.converter.View(), row.expected(w));
        // The graph window holds the graph of the valid analysis standing, in the file's codes.
        const GraphWindowBehaviour& graph = w.converter.Graph();
        if (w.converter.View().command4Enabled) {
            const DocumentReading reading = ReadDocument(
                graph.Editing().Path(), w.Walk() ? InputKind::WalkSource : InputKind::Sailorpoints);
            ASSERT_TRUE(reading.document.has_value());
            EXPECT_EQ(graph.Editing().Document(), *reading.document);
        } else {
            EXPECT_EQ(graph.Content(), nullptr);
        }
        EXPECT_EQ(w.host.messages, row.messages);
        EXPECT_EQ(w.host.unexpectedDialogs, 0);
    }
}

TEST_P(ConverterSteps, DialogsOfferTheDirectionsFileTypesAndProposeAsTheyShould) {
    Window w(*GetParam());
    Browse(w, w.Other());
    Browse(w, std::nullopt);
    ASSERT_EQ(w.host.fileRequests.size(), 2U);
    EXPECT_EQ(w.host.fileRequests[0].mode, FileRequest::Mode::Open);
    EXPECT_EQ(w.host.fileRequests[0].fileName, "");
    EXPECT_EQ(w.host.fileRequests[1].fileName, w.Other());  // the choice before
    const std::vector<FileFilter> walkSources{{"C files (*.c)", "*.c"}, {"All files (*.)", "*"}};
    const std::vector<FileFilter> sailorpoints{{"INI files (*.ini)", "*.ini"},
                                               {"All files (*.)", "*"}};
    EXPECT_TRUE(
        std::ranges::equal(w.host.fileRequests[0].filters, w.Walk() ? walkSources : sailorpoints));

    Analyse(w, w.Valid());
    w.Convert(std::nullopt);
    const FileRequest& save = w.host.fileRequests.back();
    EXPECT_EQ(save.mode, FileRequest::Mode::Save);
    EXPECT_EQ(save.fileName, w.Walk() ? "ship1.ini" : "ship_walk.c");
    EXPECT_TRUE(std::ranges::equal(save.filters, w.Walk() ? sailorpoints : walkSources));
    EXPECT_FALSE(save.addTypeEnding);
}

TEST_P(ConverterSteps, ConvertWritesTheAnalysedStateUnderTheNameInTheBoxAndThenDisables) {
    Window w(*GetParam());
    Analyse(w, w.Valid());
    if (w.direction.namesOutput) {
        w.converter.TypeModelName(" my boat");  // as typed: blanks and all
    }
    bool enabledWhileMessageShown = false;
    w.host.onMessage = [&](std::string_view) {
        enabledWhileMessageShown = w.converter.View().command3Enabled;
    };
    const auto target = w.dir.path() / "out";
    w.Convert(Utf8FromPath(target));

    ConversionState expected = w.StateOf(w.Valid());
    if (w.direction.namesOutput) {
        expected.ModelName = " my boat";
        EXPECT_EQ(w.host.fileRequests.back().fileName, " my boat_walk.c");
        EXPECT_EQ(w.converter.View().text2, " my boat");
    }
    EXPECT_EQ(TempDir::Read(target),
              w.Walk() ? FormatSailorpoints(expected) : FormatWalkSource(expected));
    EXPECT_TRUE(enabledWhileMessageShown);  // the message before Convert! is disabled
    EXPECT_FALSE(w.converter.View().command3Enabled);
}

TEST_P(ConverterSteps, FailedSavesSayNothingLeaveTheFolderAsItWasAndStayReady) {
    Window w(*GetParam());
    Analyse(w, w.Valid());
    testing::PrepareOutputFaults(w.dir);
    const auto before = testing::FolderListing(w.dir.path());
    for (const testing::OutputFault& fault : testing::OutputFaults()) {
        SCOPED_TRACE(fault.name);
        const ScopedStorageFaults faults(fault.faults);
        w.Convert(Utf8FromPath(w.dir.path() / fault.target));
        EXPECT_TRUE(w.host.messages.empty());
        EXPECT_EQ(w.converter.View(), w.Ready(w.Valid()));
        EXPECT_EQ(testing::FolderListing(w.dir.path()), before);
    }
    // Once the disk is back, the same window saves over the old file.
    w.Convert(Utf8FromPath(w.dir.path() / "old1.ini"));
    EXPECT_EQ(w.host.messages, std::vector<std::string>{kConvertedMessage});
    const ConversionState state = w.StateOf(w.Valid());
    EXPECT_EQ(TempDir::Read(w.dir.path() / "old1.ini"),
              w.Walk() ? FormatSailorpoints(state) : FormatWalkSource(state));
}

TEST_P(ConverterSteps, OddPathsAnalyseAndConvertWithTheModelNameCutByCharacters) {
    Window w(*GetParam());
    for (const testing::OddPlace& place : testing::OddPlaces(w.dir)) {
        SCOPED_TRACE(place.kind);
        const auto input =
            place.folder / PathFromUtf8(w.Walk() ? place.walkName : place.sailorpointsName);
        TempDir::WriteFile(input, w.Walk() ? kTwoPointWalk : kTwoPointSailorpoints);
        Analyse(w, Utf8FromPath(input));
        EXPECT_EQ(w.converter.State().ModelName, place.model);
        const auto output = place.folder / "out";
        w.Convert(Utf8FromPath(output));
        EXPECT_EQ(w.host.fileRequests.back().fileName,
                  place.model + std::string(w.direction.outputSuffix));
        const ConversionState state = w.StateOf(Utf8FromPath(input));
        EXPECT_EQ(TempDir::Read(output),
                  w.Walk() ? FormatSailorpoints(state) : FormatWalkSource(state));
    }
}

TEST_P(ConverterSteps, DialogsOpenInTheFolderLastUsedByTheSameKindOfWindowWhileItExists) {
    Window w(*GetParam());
    const auto in = w.dir.path() / "in";
    const auto out = w.dir.path() / "out";
    std::filesystem::create_directory(in);
    std::filesystem::create_directory(out);

    Browse(w, Utf8FromPath(in / "x"));
    EXPECT_EQ(w.host.fileRequests.back().folder, "");
    Analyse(w, w.Valid());
    w.Convert(Utf8FromPath(out / "x"));
    EXPECT_EQ(w.host.fileRequests.back().folder, Utf8FromPath(in));
    const std::string kind(w.direction.window.name);
    EXPECT_EQ(w.host.folders, (decltype(w.host.folders){{kind, Utf8FromPath(out)}}));

    // A window of the same kind, as in a later run, starts there; the other kind has its own.
    Converter again(w.direction);
    w.host.fileAnswers.push_back(std::nullopt);
    again.Browse(w.host);
    EXPECT_EQ(w.host.fileRequests.back().folder, Utf8FromPath(out));
    Converter other(w.Walk() ? SailorpointsToWalk() : WalkToSailorpoints());
    w.host.fileAnswers.push_back(std::nullopt);
    other.Browse(w.host);
    EXPECT_EQ(w.host.fileRequests.back().folder, "");

    // A folder that is gone is not proposed.
    std::filesystem::remove_all(out);
    w.host.fileAnswers.push_back(std::nullopt);
    again.Browse(w.host);
    EXPECT_EQ(w.host.fileRequests.back().folder, "");
}

TEST_P(ConverterSteps, TheGraphHoldsWhatTheAnalysisNoticed) {
    Window w(*GetParam());
    // A count assignment that disagrees is a fact of walk sources; a dropped link a detail.
    const std::string path = Utf8FromPath(
        w.Walk()
            ? w.dir.Write("ship_walk.c", std::string(kTwoPointWalk)
                                             .replace(std::string(kTwoPointWalk).find("count = 2"),
                                                      9, "count = 3"))
            : w.dir.Write("ship1.ini", std::string(kTwoPointSailorpoints) + "link 1 = -1,0\n"));
    Analyse(w, path);
    ASSERT_NE(w.converter.Graph().Content(), nullptr);
    const std::vector<Finding>& findings = w.converter.Graph().Content()->findings;
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings.front().code,
              w.Walk() ? finding_code::kCountMismatch : finding_code::kNegativeEnd);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, ConverterSteps,
                         ::testing::Values(&WalkToSailorpoints(), &SailorpointsToWalk()),
                         [](const auto& info) { return std::string(info.param->window.name); });

TEST(Converter, TheGraphShowsTheModelRememberedForItsFileAlsoAfterEditsAreDiscarded) {
    Window w(WalkToSailorpoints());
    const std::string path = w.Valid();
    w.dir.Write("ship.obj", testing::ObjOfBoxes(testing::SampleShipBoxes()));
    w.dir.Write("other.obj", testing::ObjOfBoxes({testing::SampleShipBoxes().front()}));
    const ModelChoice other{Utf8FromPath(w.dir.path() / "other.obj"), {UpAxis::Y, 2, {}}};
    RememberModel(w.host, path, other);
    Analyse(w, path);
    const GraphEditing& editing = w.converter.Graph().Editing();
    EXPECT_EQ(editing.ModelChosen(), other);

    w.converter.ShowGraph();
    w.converter.Graph().AddPoint();
    w.host.answers.push_back(Host::Answer::Discard);
    EXPECT_TRUE(w.converter.CloseGraph(w.host));
    EXPECT_FALSE(editing.Unsaved());
    EXPECT_EQ(editing.ModelChosen(), other);
    EXPECT_NE(editing.Model(), nullptr);
}

TEST(Converter, ASecondAnalysisWritesOnlyTheSecondFilesData) {
    Window w(WalkToSailorpoints());
    Analyse(w, w.Valid());
    // Fewer points, no types: nothing of the first file may show through.
    Analyse(
        w, Utf8FromPath(w.dir.Write("boat_walk.c",
                                    "boat_walk_verts[0] = 7;boat_walk_verts[3] = 8;"
                                    "boat_walk_graph[0] = (1)*256 + (0);boat_walk_graph[1] = 0;")));
    const auto target = w.dir.path() / "boat1.ini";
    w.Convert(Utf8FromPath(target));
    EXPECT_EQ(TempDir::Read(target),
              "\r\n[SIZE]\r\npoints = 1\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n"
              "point 0 = 7,0,0,0\r\n\r\n[LINK_DATA]\r\nlink 0 = 1,0\r\n");
}

}  // namespace
}  // namespace walkconv::app
