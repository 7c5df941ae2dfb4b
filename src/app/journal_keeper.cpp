#include "app/journal_keeper.h"

#include <algorithm>

#include "app/journal_store.h"
#include "core/conversion_error.h"

namespace walkconv::app {

Edit ReplacingEdit(const GraphDocument& from, const GraphDocument& to) {
    EditGroup group;
    const std::size_t points = std::min(from.points.size(), to.points.size());
    for (std::size_t i = 0; i < points; ++i) {
        const Point& was = from.points[i];
        const Point& is = to.points[i];
        const int at = static_cast<int>(i);
        if (was.x != is.x || was.y != is.y || was.z != is.z) {
            group.steps.emplace_back(MovePoint{at, is.x, is.y, is.z});
        }
        if (was.type != is.type) {
            group.steps.emplace_back(SetPointType{at, is.type});
        }
    }
    for (std::size_t i = points; i < to.points.size(); ++i) {
        group.steps.emplace_back(AddPoint{to.points[i]});
    }
    // A link is put in before the one it replaces goes, so that the graph never lacks one;
    // in a full table, the other way round.
    const std::size_t links = std::min(from.links.size(), to.links.size());
    const bool full = from.links.size() >= static_cast<std::size_t>(kMostLinks);
    for (std::size_t i = 0; i < links; ++i) {
        if (from.links[i] == to.links[i]) {
            continue;
        }
        const int at = static_cast<int>(i);
        if (full) {
            group.steps.emplace_back(RemoveLink{at});
            group.steps.emplace_back(InsertLink{at, to.links[i]});
        } else {
            group.steps.emplace_back(InsertLink{at, to.links[i]});
            group.steps.emplace_back(RemoveLink{at + 1});
        }
    }
    for (std::size_t i = links; i < to.links.size(); ++i) {
        group.steps.emplace_back(InsertLink{static_cast<int>(i), to.links[i]});
    }
    for (std::size_t i = links; i < from.links.size(); ++i) {
        group.steps.emplace_back(RemoveLink{static_cast<int>(links)});
    }
    for (std::size_t i = from.points.size(); i-- > points;) {
        group.steps.emplace_back(RemovePoint{static_cast<int>(i)});
    }
    return group;
}

namespace {

Journal JournalHead(const GraphEditing& editing, const FileIdentity& identity) {
    Journal journal;
    journal.file = editing.Path();
    journal.identity = identity;
    journal.kind = editing.Document().kind;
    journal.model = editing.Document().modelName;
    return journal;
}

// The graph as it stands as one step from `asRead`; none when the edits cannot make it.
std::optional<Journal> OneStep(const GraphEditing& editing, const FileIdentity& identity,
                               const GraphDocument& asRead) {
    Journal journal = JournalHead(editing, identity);
    const GraphDocument& now = editing.Document();
    JournalStep step{ReplacingEdit(asRead, now), ReplacingEdit(now, asRead)};
    GraphDocument check = asRead;
    if (!ApplyEdit(check, step.redo).Applied() || check != now) {
        return std::nullopt;
    }
    journal.steps.push_back(std::move(step));
    journal.done = 1;
    return journal;
}

}  // namespace

std::optional<Journal> JournalOf(const GraphEditing& editing, const FileIdentity& identity,
                                 const GraphDocument* asRead) {
    if (!editing.HasDocument()) {
        return std::nullopt;
    }
    const GraphEditing::History history = editing.HistoryOf();
    if (!history.saved) {
        return asRead != nullptr ? OneStep(editing, identity, *asRead) : std::nullopt;
    }
    Journal journal = JournalHead(editing, identity);
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
        asRead_.reset();
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
        // A graph restored with its edits is not what its file holds.
        asRead_.reset();
        if (!mark.unsaved) {
            asRead_ = editing.Document();
        }
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
    const std::optional<Journal> journal =
        JournalOf(editing, *identity_, asRead_ ? &*asRead_ : nullptr);
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
