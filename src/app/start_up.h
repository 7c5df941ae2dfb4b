#pragma once

#include <span>
#include <string>

#include "app/direction.h"

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

}  // namespace walkconv::app
