#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "app/direction.h"
#include "app/host.h"
#include "app/journal.h"

namespace walkconv::app {

// The first window of a run: the chooser, or the converter window of a direction with a file
// to open in it.
struct FirstWindow {
    const Direction* direction = nullptr;  // none: the chooser
    std::string path;                      // to open in the converter window (UTF-8)
};

// The first window for the program's arguments (without the program's name). With a file, the
// converter window of the file's kind (a walk source or a sailorpoints file, as walkconv
// decides), which then opens it; a missing file opens the window that its ending ".c" or ".ini"
// (either case) names. Without an argument, or for a missing file with neither ending (or a
// folder), the chooser.
FirstWindow FirstWindowFor(std::span<const std::string> arguments);

// A graph whose edits a run left unsaved, to be restored in a converter window of `direction`.
struct GraphToRestore {
    const Direction* direction = nullptr;
    Journal journal;
};

// At start: every journal left in `folder` is asked about with RestoreQuestion, in the order of
// their names; Discard removes it, Restore lists it. A journal that cannot be read, or whose
// file is gone, is set aside without a question.
std::vector<GraphToRestore> GraphsToRestore(Host& host, const std::filesystem::path& folder);

}  // namespace walkconv::app
