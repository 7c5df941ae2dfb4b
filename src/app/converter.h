#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "app/direction.h"
#include "app/graph_window.h"
#include "app/host.h"
#include "app/journal.h"
#include "app/journal_keeper.h"
#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/platform/settings_folder.h"
#include "core/walk/walk_reader.h"

namespace walkconv::app {

// Everything a converter window shows, as a value: after every event the front-end sets its
// controls from it, and tests compare it whole.
struct ConverterView {
    std::string text1;   // the input path box
    std::string label2;  // the result area; lines separated by CR LF
    std::string text2;   // the model name box (the sailorpoints to walk source window only)
    bool text2Enabled = false;
    bool command3Enabled = false;  // Convert!
    bool command4Enabled = false;  // Show graph
    // The graph window is open; what it shows is Graph().
    bool graphShown = false;

    friend bool operator==(const ConverterView&, const ConverterView&) = default;
};

// The behaviour of a converter window of either direction: the load step, browse, Analyse,
// Convert!, drops, Show graph. It owns the window's conversion state, what the last analysis
// noticed, and its graph window's behaviour, the editor of the analysed file's walking graph;
// the front-end forwards the user's events and shows View() and Graph() after each. Whatever
// would replace or close a graph with unsaved edits asks about them first. While the graph has
// unsaved edits they are journalled in `journalFolder`, and a file analysed with a journal
// there has its edits offered back.
class Converter {
  public:
    // The window as the load step leaves it: empty boxes and result, nothing to convert.
    explicit Converter(const Direction& direction,
                       std::filesystem::path journalFolder = JournalFolder());

    const Direction& direction() const { return direction_; }
    const ConverterView& View() const { return view_; }
    const ConversionState& State() const { return state_; }
    GraphWindowBehaviour& Graph() { return graph_; }
    const GraphWindowBehaviour& Graph() const { return graph_; }

    // The user typed into the input path box, or the model name box while it is enabled.
    void TypeInputPath(std::string text);
    void TypeModelName(std::string text);

    // "...": the open dialog proposes the file chosen last; its file name goes into the input
    // path box whether chosen or cancelled, and the window is no longer ready to convert.
    void Browse(Host& host);

    // "Analyse": reads the input path box's file into the state and shows the outcome: the
    // summary and "ready", the refusal text, nothing for no file, or the error message box.
    void Analyse(Host& host);

    // Whether a drop of `paths` (the first counts) would be taken: a file, not a folder.
    static bool TakesDrop(std::span<const std::string> paths);
    // A file dropped on the window, or given at start: into the input box, then Analyse.
    void Drop(std::span<const std::string> paths, Host& host);
    void Open(const std::string& path, Host& host);

    // "Convert!": proposes the model name and the output's ending in the save dialog, writes
    // the file, reports success and then disables Convert!. A cancelled dialog or a failed
    // write ends it without a word, ready to try again.
    void Convert(Host& host);

    // "Show graph" opens the graph window of the valid analysis.
    void ShowGraph();
    // The user closes the graph window, or the converter window: false when the question about
    // unsaved edits was answered Cancel, and the window stays.
    bool CloseGraph(Host& host);
    bool Close(Host& host);
    // After an event of the graph window: a graph it saved to its file is read again, as if
    // typed and analysed, so that the counts, the findings and Convert! follow it.
    void FollowGraph(Host& host);

    // The file of `journal` analysed, and its graph made again from the journal and shown
    // with the edits unsaved, without a question; the status line says how many edits were
    // refused. A journal whose file no longer reads as valid is set aside.
    void Restore(const Journal& journal, Host& host);
    // The journal is written when due; the front-end calls this at least once a second.
    void FlushJournal() { journal_.Flush(graph_.Editing()); }
    bool JournalDue() const { return journal_.Due(); }

    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

  private:
    // Whether the graph with unsaved edits, if one is shown, may make way for another.
    bool MayReplaceGraph(Host& host);
    void AnalyseNow(Host& host);
    // What an analysis reads: another file, or the graph's own file just saved (whose editing
    // goes on), or a file whose journal is restored.
    enum class Reading { AnotherFile, SavedGraph, Restoring };
    void ShowAnalysis(AnalysisOutcome outcome, Host& host, Reading reading,
                      const Journal* journal = nullptr);
    // After a file was analysed: its journal, if it has one, offered back.
    void OfferJournal(const GraphDocument& document, Host& host);
    void RestoreFrom(const GraphDocument& document, Journal journal, bool fileChanged);
    void SetReady(bool ready);

    const Direction& direction_;
    ConverterView view_;
    ConversionState state_;
    AnalysisDetails details_;  // what the last analysis noticed beside the state
    WalkSourceFacts facts_;
    std::string openFileName_;  // the file the open dialog chose last
    GraphWindowBehaviour graph_;
    JournalKeeper journal_;
};

}  // namespace walkconv::app
