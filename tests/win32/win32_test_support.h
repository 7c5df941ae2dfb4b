#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/scripted_host.h"
#include "support/temp_dir.h"
#include "win32/top_window.h"
#include "win32/win32_host.h"

namespace walkconv::testing {

// Handles the messages waiting, as the program's message loop does; whether the program was
// asked to end (WM_QUIT).
inline bool Pump() {
    bool quit = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (message.message == WM_QUIT) {
            quit = true;
        } else if (!win32::TopWindow::PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return quit;
}

// A key pressed and released in the control that has the focus, through the message loop.
inline void Press(UINT key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
}

// A key pressed with Ctrl held (and Shift, if `shift`), as the keyboard sends it.
inline void PressWithCtrl(UINT key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    Press(key);
    keys[VK_CONTROL] = 0;
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// The program's visible windows of the class `Window`.
template <typename Window>
std::vector<Window*> Shown() {
    std::vector<Window*> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND handle, LPARAM list) {
            if (auto* window = dynamic_cast<Window*>(win32::TopWindow::FromHandle(handle));
                window != nullptr && IsWindowVisible(handle)) {
                reinterpret_cast<std::vector<Window*>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A walk source and a sailorpoints file of the model "ship", two points and one link.
inline constexpr char kShipWalk[] =
    "float ship_walk_verts[6];\nint ship_walk_types[2];\nint ship_walk_graph[1];\n"
    "ship_walk_verts[0] = 1.5;ship_walk_verts[4] = 3;ship_walk_types[1] = 7;\n"
    "ship_walk_graph[0] = (0)*256 + (1);\n";
inline constexpr char kShipSailorpoints[] =
    "[POINT_DATA]\npoint 0 = 1.5,0,0,0\npoint 1 = 0,3,0,7\n[LINK_DATA]\nlink 0 = 0,1\n";

}  // namespace walkconv::testing
