#pragma once

#include <windows.h>

#include <filesystem>
#include <span>
#include <string>

#include "app/host.h"

namespace walkconv::win32 {

// Opens and shows the program's first window for its command-line arguments (without the
// program's name), as app::FirstWindowFor decides: the chooser, or a converter window that
// then opens the file.
// `host` takes the windows' dialogs; none: each window's own.
HWND OpenFirstWindow(std::span<const std::string> arguments, app::Host* host = nullptr);

// At start: asks about the edits earlier runs left unsaved (their journals in `folder`), and
// opens a converter window with its graph window for each graph restored; how many.
int RestoreUnsavedGraphs(const std::filesystem::path& folder, app::Host* host = nullptr);

}  // namespace walkconv::win32
