#include "win32/top_window.h"

#include <windowsx.h>

#include "win32/wide_text.h"
#include "win32/window_style.h"

namespace walkconv::win32 {

namespace {

constexpr wchar_t kClassName[] = L"WalkConverterWindow";

int mainWindows = 0;

ATOM WindowClass(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    return atom;
}

// The first control in tab order that can take the focus.
HWND FirstTabStop(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(child) &&
            IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

bool IsEdit(HWND control) {
    return (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
}

}  // namespace

TopWindow::TopWindow(Role role) : role_(role) {}

TopWindow::~TopWindow() = default;

TopWindow* TopWindow::FromHandle(HWND window) {
    if (window == nullptr || GetClassLongPtrW(window, GCW_ATOM) != WindowClass(Procedure)) {
        return nullptr;
    }
    return reinterpret_cast<TopWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void TopWindow::Create(std::string_view caption, DWORD style) {
    const HWND handle =
        CreateWindowExW(0, MAKEINTATOM(WindowClass(Procedure)), Widen(caption).c_str(), style,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                        nullptr, GetModuleHandleW(nullptr), this);
    if (handle == nullptr) {
        // Without a window there is nothing to show, and this object may be gone with the
        // window that was begun: the program cannot go on.
        FatalAppExitW(0, L"walk-converter could not create a window.");
    }
    if (role_ == Role::Main) {
        ++mainWindows;
    }
    LayOut(GetDpiForWindow(handle_));
}

void TopWindow::Show(HWND first) {
    ShowWindow(handle_, SW_SHOWNORMAL);
    SetForegroundWindow(handle_);
    // The focus is set now, whether or not the activation has arrived yet.
    focus_ = first != nullptr ? first : FirstTabStop(handle_);
    SetFocus(focus_);
}

void TopWindow::Focus(HWND control) {
    focus_ = control;
    if (control != nullptr && GetActiveWindow() == handle_) {
        SetFocus(control);
    }
}

bool TopWindow::PreTranslate(MSG& message) {
    if (message.message == WM_MOUSEWHEEL) {
        const POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        const HWND under = WindowFromPoint(at);
        if (under != nullptr && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
            message.hwnd = under;
        }
    }
    const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    TopWindow* window = FromHandle(root);
    if (window == nullptr) {
        return false;
    }
    if (message.message == WM_KEYDOWN && window->TakeKey(message)) {
        return true;
    }
    return IsDialogMessageW(root, &message) != 0;
}

LRESULT CALLBACK TopWindow::Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<TopWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->handle_ = handle;
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<TopWindow*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(handle, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        const bool main = window->role_ == Role::Main;
        delete window;
        if (main && --mainWindows == 0) {
            PostQuitMessage(0);  // the last window is gone: the program ends
        }
        return DefWindowProcW(handle, message, wParam, lParam);
    }
    return window->HandleMessage(message, wParam, lParam);
}

bool TopWindow::TakeKey(const MSG&) {
    return false;
}

LRESULT TopWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CommonMessage(message, wParam, lParam);
}

LRESULT TopWindow::CommonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(handle_, focus)) {
                    focus_ = focus;
                }
            } else if (HIWORD(wParam) == 0) {
                // Not minimised: the control that had the focus takes it again, or the first
                // one that can.
                if (focus_ == nullptr) {
                    focus_ = FirstTabStop(handle_);
                } else if (!IsWindowEnabled(focus_)) {
                    focus_ = GetNextDlgTabItem(handle_, focus_, FALSE);
                }
                if (focus_ != nullptr) {
                    SetFocus(focus_);
                }
            }
            return 0;
        case WM_NEXTDLGCTL: {
            // What IsDialogMessageW asks of a window for Tab and the arrow keys: the next or
            // previous control in the tab order, or the one named.
            const HWND next =
                lParam != 0 ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(handle_, GetFocus(), wParam != 0 ? TRUE : FALSE);
            if (next != nullptr) {
                SetFocus(next);
                focus_ = next;
                if (lParam == 0 && IsEdit(next)) {
                    SendMessageW(next, EM_SETSEL, 0, -1);  // a box tabbed into is selected whole
                }
            }
            return 0;
        }
        case WM_COMMAND:
            // Enter and Escape arrive as the commands IDOK and IDCANCEL, which no control has:
            // they trigger nothing.
            return 0;
        case WM_DPICHANGED: {
            // A fixed window takes its size from its table at the new DPI; a resizable one the
            // size the system suggests. Both go where the system suggests.
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            const bool fixed = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_THICKFRAME) == 0;
            if (!fixed) {
                SetWindowPos(handle_, nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            LayOut(HIWORD(wParam));
            if (fixed) {
                SetWindowPos(handle_, nullptr, suggested->left, suggested->top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        }
        default:
            return DefWindowProcW(handle_, message, wParam, lParam);
    }
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TopWindow::PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

int OpenMainWindows() {
    return mainWindows;
}

}  // namespace walkconv::win32
