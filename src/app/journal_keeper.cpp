#include "app/journal_keeper.h"

#include "app/journal_store.h"
#include "core/conversion_error.h"

namespace walkconv::app {

std::optional<Journal> JournalOf(const GraphEditing& editing, const FileIdentity& identity) {
    if (!editing.HasDocument()) {
        return std::nullopt;
    }
    const GraphEditing::History history = editing.HistoryOf();
    if (!history.saved) {
        return std::nullopt;
    }
    Journal journal;
    journal.file = editing.Path();
    journal.identity = identity;
    journal.kind = editing.Document().kind;
    journal.model = editing.Document().modelName;
    journal.done = history.undo.size();
    journal.saved = *history.saved;
    journal.steps.resize(history.undo.size() + history.redo.size());
    // Undoing the steps done on a copy gives back, newest first, the edits that do them; redoing
    // the steps undone on another gives the edits that undo them.
    GraphDocument back = editing.Document();
    for (std::size_t i = history.undo.size(); i-- > 0;) {
        EditResult result = ApplyEdit(back, history.undo[i]);
        if (!result.Applied()) {
            return std::nullopt;
        }
        journal.steps[i] = {std::move(*result.undo), history.undo[i]};
    }
    GraphDocument forward = editing.Document();
    std::size_t at = journal.done;
    for (auto redo = history.redo.rbegin(); redo != history.redo.rend(); ++redo, ++at) {
        EditResult result = ApplyEdit(forward, *redo);
        if (!result.Applied()) {
            return std::nullopt;
        }
        journal.steps[at] = {*redo, std::move(*result.undo)};
    }
    return journal;
}

namespace {

// The history whole, on the file as the journal found it: false, changing nothing, when the
// steps do not lead back from the file's graph to the oldest state.
bool RestoreWhole(GraphEditing& editing, GraphDocument document, const Journal& journal) {
    for (std::size_t i = journal.saved; i-- > 0;) {
        if (!ApplyEdit(document, journal.steps[i].undo).Applied()) {
            return false;
        }
    }
    editing.Open(std::move(document), journal.file);
    std::size_t applied = 0;
    for (std::size_t i = 0; i < journal.steps.size(); ++i) {
        if (!editing.Apply(journal.steps[i].redo)) {
            return false;
        }
        ++applied;
        if (i + 1 == journal.saved) {
            editing.MarkSaved(journal.file);
        }
    }
    for (std::size_t i = journal.done; i < applied; ++i) {
        editing.Undo();
    }
    return true;
}

}  // namespace

int RestoreJournal(GraphEditing& editing, GraphDocument document, const Journal& journal,
                   bool fileChanged) {
    if (!fileChanged && RestoreWhole(editing, document, journal)) {
        editing.SetStatus("Restored the edits that were not saved.");
        return 0;
    }
    editing.Open(std::move(document), journal.file);
    int refused = 0;
    for (std::size_t i = journal.saved; i < journal.done; ++i) {
        if (!editing.Apply(journal.steps[i].redo)) {
            ++refused;
        }
    }
    // Steps undone after the file was saved: undone again, newest first.
    for (std::size_t i = journal.saved; i-- > journal.done;) {
        if (!editing.Apply(journal.steps[i].undo)) {
            ++refused;
        }
    }
    editing.SetStatus(refused == 0
                          ? "Restored the edits that were not saved."
                          : "Restored the edits that were not saved; " + std::to_string(refused) +
                                " no longer applied to the file and were refused.");
    return refused;
}

void JournalKeeper::Follow(const GraphEditing& editing) {
    if (!editing.HasDocument()) {
        if (followed_) {
            Remove(followed_->file);
        }
        followed_.reset();
        identity_.reset();
        return;
    }
    const Mark mark{editing.Path(), editing.StateId(), editing.Unsaved()};
    if (followed_ == mark) {
        return;
    }
    const bool newFile = !followed_ || followed_->file != mark.file;
    followed_ = mark;
    if (newFile || !mark.unsaved) {
        identity_ = IdentityOfFile(mark.file);
    }
    if (!mark.unsaved) {
        Remove(mark.file);
        return;
    }
    if (written_ && *written_ != mark.file) {
        Remove(*written_);
    }
    due_ = true;
}

void JournalKeeper::Flush(const GraphEditing& editing) {
    if (!due_ || folder_.empty() || editing.Moving() || !identity_) {
        return;
    }
    const std::optional<Journal> journal = JournalOf(editing, *identity_);
    if (!journal) {
        due_ = false;  // nothing to write until the next change
        return;
    }
    try {
        WriteJournal(folder_, *journal);
    } catch (const ConversionError&) {
        return;  // the folder cannot take it now; the next flush tries again
    }
    written_ = journal->file;
    due_ = false;
}

void JournalKeeper::Remove(const std::string& file) {
    due_ = false;
    written_.reset();
    // Also a journal this run did not write: one left by an earlier run, restored or not.
    if (!folder_.empty()) {
        RemoveJournal(folder_, file);
    }
}

}  // namespace walkconv::app
