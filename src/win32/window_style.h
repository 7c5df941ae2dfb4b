#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "app/placement.h"
#include "app/window_tables.h"

// The look shared by the windows: controls built from their tables at the monitor's DPI, the
// system's message font, the program's icon, and places on the screen.
namespace walkconv::win32 {

// The resource id of the program's icon (walk-converter.rc.in).
inline constexpr int kProgramIconId = 1;

// A control's id is its index in the table plus this: no control has the id IDOK (1) or
// IDCANCEL (2), which Enter and Escape send.
inline constexpr int kFirstControlId = 100;

int ControlId(const app::WindowSpec& spec, std::string_view name);
HWND Control(HWND window, const app::WindowSpec& spec, std::string_view name);
// The name in the table of the control with `id`, or empty.
std::string_view ControlName(const app::WindowSpec& spec, int id);

// Keeps a push button from ever becoming the default button, which the dialog keyboard makes
// of a button that Tab reaches: Enter then triggers nothing, as Escape does not.
void KeepFromBeingDefault(HWND button);

// Pixels at `dpi` dots per inch: of twips (1440 to an inch), and of pixels at 96 DPI.
int TwipsToPixels(int twips, UINT dpi);
int ScalePixels(int pixels, UINT dpi);

// The styles of the table's windows: a fixed border and a close box only.
inline constexpr DWORD kFixedWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// Creates a control of `kind` with `caption` and `id` as the last child of `window` (in tab
// order), starting a group of the dialog keyboard if `group`; unplaced.
HWND CreateControl(HWND window, app::ControlKind kind, std::string_view caption, int id,
                   bool group);

// Creates the controls of `spec` as children of `window`, in tab order, each with its caption;
// LayOutControls places them.
void CreateControls(HWND window, const app::WindowSpec& spec);

// The system's message font at `dpi`; the caller deletes it.
HFONT CreateMessageFont(UINT dpi);

// Gives the controls of `spec` their places at `dpi` and `font`, and `window` the client size
// of the table.
void LayOutControls(HWND window, const app::WindowSpec& spec, UINT dpi, HFONT font);

// Sizes `window` so that its client area is `width` by `height` pixels at `dpi`.
void SetClientSize(HWND window, int width, int height, UINT dpi);

// Moves `window` to the middle of the work area of its monitor.
void CentreOnItsMonitor(HWND window);

app::ScreenRect FrameOf(HWND window);
app::ScreenRect WorkAreaOf(HWND window);

// The program's icon at `size` pixels square (shared; not to be destroyed).
HICON ProgramIcon(int size);

// A tool tip of `window` for its child `tool`, its text set as the mouse moves, at most 480
// pixels wide at 96 DPI.
HWND CreateToolTip(HWND window, HWND tool);

// Paints a window into `dc` through a bitmap off the screen, so that nothing flickers: `paint`
// is given the bitmap's device context and the window's client size.
void PaintOffScreen(HWND window, HDC dc, const std::function<void(HDC, int, int)>& paint);

}  // namespace walkconv::win32
