#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editing/graph_edit.h"
#include "core/input_kind.h"

// The journal of a graph with unsaved edits: enough to make the same graph again from its file
// after the program ended without saving it. It names the file and what the file held when it
// was read (its size and a hash of its bytes), and holds the undo history as edit values.
namespace walkconv::app {

// What a file held, told apart from other content by its size and a 64-bit FNV-1a hash of its
// bytes (16 lower-case hex digits).
struct FileIdentity {
    std::uintmax_t size = 0;
    std::string hash;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
FileIdentity IdentityOf(std::string_view bytes);
// The identity of the file at `path` (UTF-8) as it is now; none when it cannot be read.
std::optional<FileIdentity> IdentityOfFile(const std::string& path);

// One step of the history: the edit that does it and the edit that undoes it.
struct JournalStep {
    Edit redo;
    Edit undo;
    friend bool operator==(const JournalStep&, const JournalStep&) = default;
};

struct Journal {
    static constexpr int kVersion = 1;

    std::string file;  // the graph's file (UTF-8)
    FileIdentity identity;
    InputKind kind = InputKind::WalkSource;
    std::string model;
    // The history from its oldest step: the first `done` steps are done, the rest were undone
    // (the next to redo first). The file holds the graph as it is after the first `saved`.
    std::vector<JournalStep> steps;
    std::size_t done = 0;
    std::size_t saved = 0;

    friend bool operator==(const Journal&, const Journal&) = default;
};

// The journal as JSON text whose first member is "version"; ParseJournal reads it back, and
// gives none for text that is no journal of this version (damaged, cut short, or newer).
std::string FormatJournal(const Journal& journal);
std::optional<Journal> ParseJournal(std::string_view text);

// The question asked about a journal: "The walking graph of MODEL has edits that were not saved
// when the program ended. Restore them?", saying so when the file has changed since.
std::string RestoreQuestion(const std::string& model, bool fileChanged);

}  // namespace walkconv::app
