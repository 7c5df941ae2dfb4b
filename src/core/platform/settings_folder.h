#pragma once

#include <filesystem>

// Where the program keeps what belongs to the user rather than to a file: beside the user's
// settings, never beside the files edited.
namespace walkconv {

// The environment variable that, when set and not empty, names the journal folder instead (for
// tests and for a portable installation).
inline constexpr char kJournalFolderVariable[] = "WALK_CONVERTER_JOURNAL";

// The folder of the journals of unsaved edits: on Windows %APPDATA%\walk-converter\journal, else
// $XDG_CONFIG_HOME/walk-converter/journal (or ~/.config/walk-converter/journal). Empty when the
// environment names no such place. Never throws; the folder need not exist yet.
std::filesystem::path JournalFolder();

}  // namespace walkconv
