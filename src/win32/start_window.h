#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace walkconv::win32 {

// Opens and shows the program's first window for its command-line arguments (without the
// program's name), as app::FirstWindowFor decides: the chooser, or a converter window that
// then opens the file.
HWND OpenFirstWindow(std::span<const std::string> arguments);

}  // namespace walkconv::win32
