#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/graph_editing.h"
#include "app/journal.h"

// Keeping the journal of one graph while it has unsaved edits, and making the graph again
// from a journal.
namespace walkconv::app {

// The journal of the graph being edited, as it stands, on a file of `identity`; none without a
// document. When no state of its history is what the file holds (saved, undone before the save,
// then edited another way), its one step leads from `asRead`, the graph the file holds, to the
// graph as it stands; none without it.
std::optional<Journal> JournalOf(const GraphEditing& editing, const FileIdentity& identity,
                                 const GraphDocument* asRead = nullptr);

// One edit that makes the graph of `from` that of `to`, as far as edits can: points moved,
// retyped, added or removed at the end, links put in place one by one.
Edit ReplacingEdit(const GraphDocument& from, const GraphDocument& to);

// Makes in `editing` the graph of `journal` on `document`, read from the journal's file as it
// is now, and the number of edits refused. When the file is as the journal found it
// (`fileChanged` false) the history comes back whole: the same graph, the same undo and redo,
// unsaved. Else the edits done since the file was read are applied one by one to it as it
// is now, those that no longer apply refused. The status line says what came back.
int RestoreJournal(GraphEditing& editing, GraphDocument document, const Journal& journal,
                   bool fileChanged);

// The journal of one graph: follows it after every event, and is written when due.
class JournalKeeper {
  public:
    // Journals go to `folder`; none are kept for an empty one.
    explicit JournalKeeper(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& Folder() const { return folder_; }

    // After an event: the journal falls due when the graph has unsaved edits that it does not
    // hold yet; without unsaved edits, or without a graph, the graph's journal is removed at
    // once.
    void Follow(const GraphEditing& editing);
    bool Due() const { return due_; }
    // Writes the journal if it is due, unless a drag is in progress (it stays due). A journal
    // that cannot be written stays due too.
    void Flush(const GraphEditing& editing);

  private:
    struct Mark {
        std::string file;
        int state = 0;
        bool unsaved = false;
        friend bool operator==(const Mark&, const Mark&) = default;
    };

    void Remove(const std::string& file);

    std::filesystem::path folder_;
    std::optional<Mark> followed_;  // the state of the graph last followed
    // What the graph's file held when the graph was last what it holds, and that graph.
    std::optional<FileIdentity> identity_;
    std::optional<GraphDocument> asRead_;
    std::optional<std::string> written_;  // the file whose journal is on disk
    bool due_ = false;
};

}  // namespace walkconv::app
