// walk-converter.exe: the windows on Windows.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "core/platform/command_line.h"
#include "core/platform/settings_folder.h"
#include "win32/gdiplus_canvas.h"
#include "win32/start_window.h"
#include "win32/top_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The common file dialogs host parts of Explorer, which need COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int status = 0;
    {
        walkconv::win32::GdiplusSession gdiplus;
        // Edits an earlier run left unsaved are offered back first; the graphs restored stand
        // in for the chooser.
        const int restored = walkconv::win32::RestoreUnsavedGraphs(walkconv::JournalFolder());
        // "walk-converter.exe FILE" opens FILE in the converter window of its kind.
        const std::vector<std::string> arguments = walkconv::CommandLineArguments(0, nullptr);
        if (restored == 0 || !arguments.empty()) {
            walkconv::win32::OpenFirstWindow(arguments);
        }
        status = walkconv::win32::RunMessageLoop();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return status;
}
