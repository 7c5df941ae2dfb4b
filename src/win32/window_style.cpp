#include "win32/window_style.h"

#include <commctrl.h>

#include "win32/wide_text.h"

namespace walkconv::win32 {

using app::ControlKind;
using app::ControlSpec;

namespace {

// The class and style of a control of each kind. Buttons are plain push buttons, never
// default ones; labels show an "&" as it is; text boxes scroll sideways under long paths; lists
// tell of every selection and scroll both ways.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::Button:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::OptionButton:
            return {L"BUTTON", WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0};
        case ControlKind::List:
            return {L"LISTBOX",
                    WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

LRESULT CALLBACK NeverDefault(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            return (DefSubclassProc(button, message, wParam, lParam) & ~DLGC_DEFPUSHBUTTON) |
                   DLGC_UNDEFPUSHBUTTON;
        case BM_SETSTYLE:
            if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                wParam = (wParam & ~WPARAM{BS_TYPEMASK}) | BS_PUSHBUTTON;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void KeepFromBeingDefault(HWND button) {
    SetWindowSubclass(button, NeverDefault, 0, 0);
}

int ControlId(const app::WindowSpec& spec, std::string_view name) {
    const ControlSpec& control = app::Control(spec, name);
    return kFirstControlId + static_cast<int>(&control - spec.controls.data());
}

HWND Control(HWND window, const app::WindowSpec& spec, std::string_view name) {
    return GetDlgItem(window, ControlId(spec, name));
}

std::string_view ControlName(const app::WindowSpec& spec, int id) {
    const int index = id - kFirstControlId;
    if (index < 0 || static_cast<std::size_t>(index) >= spec.controls.size()) {
        return {};
    }
    return spec.controls[static_cast<std::size_t>(index)].name;
}

int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

int ScalePixels(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

HWND CreateControl(HWND window, ControlKind kind, std::string_view caption, int id, bool group) {
    const ControlClass type = ClassOf(kind);
    const DWORD style = WS_CHILD | WS_VISIBLE | type.style | (group ? WS_GROUP : 0);
    const HWND handle =
        CreateWindowExW(type.exStyle, type.name, Widen(caption).c_str(), style, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
    if (kind == ControlKind::TextBox) {
        SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // as long as a path may be
    } else if (kind == ControlKind::Button) {
        KeepFromBeingDefault(handle);
    }
    return handle;
}

void CreateControls(HWND window, const app::WindowSpec& spec) {
    bool firstOption = true;
    for (const ControlSpec& control : spec.controls) {
        // The option buttons form one group: it starts at the first of them, and the next
        // control that takes the focus starts another.
        const bool group = control.kind == ControlKind::OptionButton
                               ? firstOption
                               : (ClassOf(control.kind).style & WS_TABSTOP) != 0;
        if (control.kind == ControlKind::OptionButton) {
            firstOption = false;
        }
        CreateControl(window, control.kind, control.caption, ControlId(spec, control.name), group);
    }
}

HFONT CreateMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // The metrics are those of the system's DPI; a window on a monitor of another one scales.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(GetDpiForSystem()));
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

void LayOutControls(HWND window, const app::WindowSpec& spec, UINT dpi, HFONT font) {
    for (const ControlSpec& control : spec.controls) {
        const HWND handle = Control(window, spec, control.name);
        SetWindowPos(handle, nullptr, TwipsToPixels(control.left, dpi),
                     TwipsToPixels(control.top, dpi), TwipsToPixels(control.width, dpi),
                     TwipsToPixels(control.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    SetClientSize(window, TwipsToPixels(spec.widthTwips, dpi), TwipsToPixels(spec.heightTwips, dpi),
                  dpi);
}

void SetClientSize(HWND window, int width, int height, UINT dpi) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
                             dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnItsMonitor(HWND window) {
    const app::ScreenRect frame = FrameOf(window);
    const app::ScreenPosition place = app::CentreOn(WorkAreaOf(window), frame.width, frame.height);
    SetWindowPos(window, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

app::ScreenRect FrameOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

app::ScreenRect WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

HICON ProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR | LR_SHARED));
}

HWND CreateToolTip(HWND window, HWND tool) {
    const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, ScalePixels(480, GetDpiForWindow(window)));
    return tip;
}

void PaintOffScreen(HWND window, HDC dc, const std::function<void(HDC, int, int)>& paint) {
    RECT client{};
    GetClientRect(window, &client);
    const HDC buffer = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ old = SelectObject(buffer, bitmap);
    paint(buffer, client.right, client.bottom);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

}  // namespace walkconv::win32
