#include "app/journal_keeper.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/converter.h"
#include "app/direction.h"
#include "app/journal_store.h"
#include "app/start_up.h"
#include "core/text_file.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::ScriptedHost;
using testing::TempDir;

const char kFourPoints[] =
    "[SIZE]\npoints = 4\nlinks = 3\n[POINT_DATA]\n"
    "point 0 = 0,1,0,0\npoint 1 = 1,1,0,0\npoint 2 = 1,1,1,0\npoint 3 = 0,1,1,0\n"
    "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,2\nlink 2 = 2,3\n";
// The same ship after another program took point 3 away.
const char kThreePoints[] =
    "[SIZE]\npoints = 3\nlinks = 2\n[POINT_DATA]\n"
    "point 0 = 0,1,0,0\npoint 1 = 1,1,0,0\npoint 2 = 1,1,1,0\n"
    "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,2\n";

// A sailorpoints file, its journal folder, and converter windows over them, one per run of
// the program: a run ends with a crash by simply being dropped.
struct Runs {
    TempDir dir;
    std::filesystem::path folder = dir.path() / "journal";
    std::string file = Utf8FromPath(dir.Write("ship1.ini", kFourPoints));
    ScriptedHost host;
    std::unique_ptr<Converter> run;

    // A new run, with the file analysed and its graph shown.
    Converter& Start() {
        run = std::make_unique<Converter>(SailorpointsToWalk(), folder);
        run->TypeInputPath(file);
        run->Analyse(host);
        run->ShowGraph();
        return *run;
    }
    GraphEditing& Editing() { return run->Graph().Editing(); }
    // An edit made in the graph window, then the timer's flush.
    void Edit(const Edit& edit) {
        Editing().Apply(edit);
        Event();
    }
    void Event() {
        run->FollowGraph(host);
        run->FlushJournal();
    }
    bool Journalled() const { return FindJournal(folder, file).has_value(); }
};

using Steps = std::function<void(Runs&)>;

void Undo(Runs& runs) {
    runs.run->Graph().Undo();
    runs.Event();
}

void Save(Runs& runs) {
    runs.run->Graph().Save(runs.host);
    runs.Event();
}

// The history as values, to compare two runs.
struct HistoryValue {
    std::vector<Edit> undo;
    std::vector<Edit> redo;
    std::optional<std::size_t> saved;
    friend bool operator==(const HistoryValue&, const HistoryValue&) = default;
};
HistoryValue HistoryOf(const GraphEditing& editing) {
    GraphEditing::History history = editing.HistoryOf();
    return {history.undo, history.redo, history.saved};
}

TEST(JournalKeeper, WrittenWhenFlushedAfterEditsButNotDuringADrag) {
    Runs runs;
    Converter& run = runs.Start();
    run.FlushJournal();
    EXPECT_FALSE(runs.Journalled()) << "no edits yet";
    runs.Editing().Apply(MovePoint{1, 2, 1, 0});
    run.FollowGraph(runs.host);
    EXPECT_TRUE(run.JournalDue());
    EXPECT_FALSE(runs.Journalled()) << "due, not yet flushed";
    runs.Editing().BeginMove(2);
    runs.Editing().MoveTo(5, 1, 1);
    run.FlushJournal();
    EXPECT_FALSE(runs.Journalled()) << "a drag in progress";
    runs.Editing().EndMove();
    runs.Event();
    EXPECT_FALSE(run.JournalDue());
    const std::optional<FoundJournal> found = FindJournal(runs.folder, runs.file);
    ASSERT_TRUE(found && found->journal);
    EXPECT_EQ(found->journal->steps.size(), 2u);
    EXPECT_EQ(found->journal->identity, IdentityOf(kFourPoints));
    EXPECT_EQ(found->journal->model, "ship");
}

TEST(JournalKeeper, RemovedWhenTheGraphHoldsWhatItsFileHoldsOrCloses) {
    const std::vector<std::pair<const char*, Steps>> rows = {
        {"saved", Save},
        {"undone to the file's graph", Undo},
        {"graph window closed, Discard",
         [](Runs& runs) {
             runs.host.answers = {Host::Answer::Discard};
             runs.run->CloseGraph(runs.host);
         }},
        {"converter window closed, Save",
         [](Runs& runs) {
             runs.host.answers = {Host::Answer::Save};
             runs.run->Close(runs.host);
         }},
        {"another file analysed, Discard",
         [](Runs& runs) {
             runs.host.answers = {Host::Answer::Discard};
             runs.run->TypeInputPath(Utf8FromPath(runs.dir.path() / "missing.ini"));
             runs.run->Analyse(runs.host);
         }},
    };
    for (const auto& [name, steps] : rows) {
        Runs runs;
        runs.Start();
        runs.Edit(MovePoint{1, 2, 1, 0});
        ASSERT_TRUE(runs.Journalled()) << name;
        steps(runs);
        EXPECT_FALSE(runs.Journalled()) << name;
        EXPECT_EQ(runs.host.unexpectedDialogs, 0) << name;
    }
}

TEST(JournalKeeper, ARunThatCrashedIsRestoredWithTheSameGraphAndHistory) {
    const std::vector<std::pair<const char*, Steps>> rows = {
        {"edits",
         [](Runs& runs) {
             runs.Edit(MovePoint{1, 2, 1, 0});
             runs.Edit(AddLink{3, 0});
         }},
        {"an edit undone",
         [](Runs& runs) {
             runs.Edit(MovePoint{1, 2, 1, 0});
             runs.Edit(AddPoint{{5, 1, 5, 2}});
             runs.Edit(RemovePoint{0});
             Undo(runs);
         }},
        {"saved between edits",
         [](Runs& runs) {
             runs.Edit(MovePoint{1, 2, 1, 0});
             Save(runs);
             runs.Edit(SetPointType{2, 1});
         }},
        {"saved, then undone past the save",
         [](Runs& runs) {
             runs.Edit(MovePoint{1, 2, 1, 0});
             runs.Edit(RemoveLink{2});
             Save(runs);
             Undo(runs);
             Undo(runs);
         }},
        // The file's graph is in no state of the history: one step leads from it.
        {"saved, undone past the save and edited another way",
         [](Runs& runs) {
             runs.Edit(MovePoint{1, 2, 1, 0});
             runs.Edit(RemoveLink{2});
             runs.Edit(AddPoint{{3, 1, 3, 1}});
             Save(runs);
             Undo(runs);
             Undo(runs);
             Undo(runs);
             runs.Edit(SetPointType{2, 7});
             runs.Edit(AddLink{0, 2});
         }},
    };
    for (const auto& [name, steps] : rows) {
        Runs runs;
        runs.Start();
        steps(runs);
        const GraphDocument crashed = runs.Editing().Document();
        const HistoryValue history = HistoryOf(runs.Editing());
        runs.run.reset();

        runs.host.restoreAnswers = {Host::Restoring::Restore};
        Converter& again = runs.Start();
        ASSERT_FALSE(runs.host.questions.empty()) << name;
        EXPECT_EQ(runs.host.questions.back(),
                  "The walking graph of ship has edits that were not saved when the program "
                  "ended. Restore them?")
            << name;
        EXPECT_TRUE(again.View().graphShown) << name;
        EXPECT_TRUE(runs.Editing().Unsaved()) << name;
        EXPECT_EQ(runs.Editing().Document(), crashed) << name;
        EXPECT_EQ(runs.Editing().Status(), "Restored the edits that were not saved.") << name;
        if (history.saved) {
            EXPECT_EQ(HistoryOf(runs.Editing()), history) << name;
        } else {
            EXPECT_TRUE(runs.Editing().CanUndo()) << name;
            runs.Editing().Undo();
            EXPECT_FALSE(runs.Editing().Unsaved()) << name << ": undone to the file's graph";
        }
        EXPECT_EQ(runs.host.unexpectedDialogs, 0) << name;
    }
}

TEST(JournalKeeper, OnAFileChangedSinceTheEditsAreAppliedAndThoseThatNoLongerFitRefused) {
    struct Row {
        const char* name;
        const char* changedFile;
        std::vector<Edit> edits;
        int refused;
        std::vector<Point> points;  // after the restore
    };
    const std::vector<Row> rows = {
        {"edits that still fit",
         kThreePoints,
         {MovePoint{1, 2, 1, 0}},
         0,
         {{0, 1, 0, 0}, {2, 1, 0, 0}, {1, 1, 1, 0}}},
        {"an edit of a point gone",
         kThreePoints,
         {MovePoint{3, 2, 2, 2}, MovePoint{0, 0, 3, 0}},
         1,
         {{0, 3, 0, 0}, {1, 1, 0, 0}, {1, 1, 1, 0}}},
    };
    for (const Row& row : rows) {
        Runs runs;
        runs.Start();
        for (const Edit& edit : row.edits) {
            runs.Edit(edit);
        }
        runs.run.reset();
        TempDir::WriteFile(PathFromUtf8(runs.file), row.changedFile);

        runs.host.restoreAnswers = {Host::Restoring::Restore};
        runs.Start();
        EXPECT_EQ(runs.host.questions.back(),
                  "The walking graph of ship has edits that were not saved when the program "
                  "ended. The file has changed since. Restore them?")
            << row.name;
        EXPECT_EQ(runs.Editing().Document().points, row.points) << row.name;
        EXPECT_EQ(runs.Editing().Status(),
                  row.refused == 0
                      ? "Restored the edits that were not saved."
                      : "Restored the edits that were not saved; " + std::to_string(row.refused) +
                            " no longer applied to the file and were refused.")
            << row.name;
    }
}

TEST(JournalKeeper, AnAnalysedFilesJournalDiscardedOrDamagedGoesWithoutRestoring) {
    for (const bool damaged : {false, true}) {
        Runs runs;
        runs.Start();
        runs.Edit(MovePoint{1, 2, 1, 0});
        runs.run.reset();
        const std::filesystem::path place = JournalPlace(runs.folder, runs.file);
        if (damaged) {
            TempDir::WriteFile(place, "{\"version\": 1, \"steps\": [");
        }
        runs.host.restoreAnswers = {Host::Restoring::Discard};
        runs.host.questions.clear();
        Converter& again = runs.Start();
        EXPECT_EQ(runs.host.questions.size(), damaged ? 0u : 1u);
        EXPECT_FALSE(runs.Editing().Unsaved());
        EXPECT_TRUE(again.View().graphShown);
        EXPECT_FALSE(std::filesystem::exists(place));
        EXPECT_EQ(std::filesystem::exists(place.string() + ".set-aside"), damaged);
    }
}

TEST(JournalKeeper, AtStartEveryJournalIsAskedAboutExceptThoseThatCannotBeRestored) {
    Runs runs;
    const auto crashWith = [&](const std::string& name) {
        runs.file = Utf8FromPath(runs.dir.Write(name, kFourPoints));
        runs.Start();
        runs.Edit(MovePoint{1, 2, 1, 0});
        runs.run.reset();
        return JournalPlace(runs.folder, runs.file);
    };
    const std::filesystem::path restored = crashWith("a1.ini");
    const std::filesystem::path discarded = crashWith("b1.ini");
    const std::filesystem::path gone = crashWith("c1.ini");
    const std::filesystem::path damaged = crashWith("d1.ini");
    std::filesystem::remove(runs.dir.path() / "c1.ini");
    TempDir::WriteFile(damaged, "not a journal");
    // The journals are asked about in the order of their names.
    std::vector<std::filesystem::path> asked = {restored, discarded};
    std::sort(asked.begin(), asked.end());
    runs.host.restoreAnswers = {
        asked.front() == restored ? Host::Restoring::Restore : Host::Restoring::Discard,
        asked.front() == restored ? Host::Restoring::Discard : Host::Restoring::Restore};
    runs.host.questions.clear();

    const std::vector<GraphToRestore> graphs = GraphsToRestore(runs.host, runs.folder);
    EXPECT_EQ(runs.host.questions.size(), 2u);
    ASSERT_EQ(graphs.size(), 1u);
    EXPECT_EQ(graphs[0].direction, &SailorpointsToWalk());
    EXPECT_EQ(graphs[0].journal.file, Utf8FromPath(runs.dir.path() / "a1.ini"));
    EXPECT_TRUE(std::filesystem::exists(restored));
    EXPECT_FALSE(std::filesystem::exists(discarded));
    for (const std::filesystem::path& aside : {gone, damaged}) {
        EXPECT_FALSE(std::filesystem::exists(aside));
        EXPECT_TRUE(std::filesystem::exists(aside.string() + ".set-aside"));
    }

    Converter window(*graphs[0].direction, runs.folder);
    window.Restore(graphs[0].journal, runs.host);
    EXPECT_TRUE(window.View().graphShown);
    EXPECT_EQ(window.Graph().Editing().Document().points[1].x, 2);
}

}  // namespace
}  // namespace walkconv::app
