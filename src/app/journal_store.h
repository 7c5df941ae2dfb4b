#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/journal.h"

// The journals on disk: one file for each graph's file, in one folder beside the user's
// settings, named by a hash of the graph file's full path. Every write replaces a journal
// atomically; a journal that cannot be read is set aside under another name, never deleted.
namespace walkconv::app {

// The graph's file as journals name it: its full, normal path (UTF-8).
std::string JournalKey(const std::string& file);

// Where the journal of `file` lies in `folder`.
std::filesystem::path JournalPlace(const std::filesystem::path& folder, const std::string& file);

// Writes `journal` (of journal.file) into `folder`, made when missing. Throws ConversionError.
void WriteJournal(const std::filesystem::path& folder, const Journal& journal);
// Removes the journal of `file`, if there is one. Never throws.
void RemoveJournal(const std::filesystem::path& folder, const std::string& file) noexcept;

// A journal found in the folder: where it lies, and what it holds when it can be read.
struct FoundJournal {
    std::filesystem::path place;
    std::optional<Journal> journal;
};
// The journals in `folder`, in the order of their names; none when there is no such folder.
std::vector<FoundJournal> FindJournals(const std::filesystem::path& folder);
// The journal of `file` in `folder`, if there is one.
std::optional<FoundJournal> FindJournal(const std::filesystem::path& folder,
                                        const std::string& file);
// Renames a journal that cannot be read or restored out of the way ("NAME.json.set-aside").
// Never throws.
void SetAside(const std::filesystem::path& place) noexcept;

}  // namespace walkconv::app
