#include "win32/graph_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <span>

#include "app/graph_controls.h"
#include "app/graph_keys.h"
#include "app/graph_side_layout.h"
#include "app/window_tables.h"
#include "win32/gdiplus_canvas.h"
#include "win32/wide_text.h"
#include "win32/window_style.h"

namespace walkconv::win32 {

namespace {

using app::ControlKind;
using app::GraphControl;

constexpr wchar_t kViewClass[] = L"WalkConverterGraphView";

// Room around the parts of the window, and the status line's height, in pixels at 96 DPI.
constexpr int kMargin = 8;
constexpr int kStatusHeight = 20;
constexpr int kLeastWidth = 560;
constexpr int kLeastHeight = 500;

void SetTextIfChanged(HWND control, const std::string& text) {
    if (WindowText(control) != text) {
        SetText(control, text);
    }
}

void AddStyle(HWND control, DWORD style) {
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | LONG_PTR{style});
}

}  // namespace

GraphWindow::GraphWindow(app::GraphWindowBehaviour& behaviour, app::Host* host)
    : TopWindow(Role::Companion), behaviour_(behaviour), host_(host, [this] { Changed(); }) {}

GraphWindow::~GraphWindow() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

GraphWindow& GraphWindow::Make(app::GraphWindowBehaviour& behaviour, app::Host* host) {
    static const ATOM viewClass = [] {
        WNDCLASSEXW view{};
        view.cbSize = sizeof view;
        view.style = CS_DBLCLKS;
        view.lpfnWndProc = ViewProcedure;
        view.hInstance = GetModuleHandleW(nullptr);
        view.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        view.lpszClassName = kViewClass;
        return RegisterClassExW(&view);
    }();
    auto* window = new GraphWindow(behaviour, host);
    window->TopWindow::Create({}, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    const HWND handle = window->Handle();
    window->host_.SetOwn(std::make_unique<Win32Host>(handle));
    window->drawer_.SetWindow(handle);
    // The view takes the focus first, as a scrolling view does, so that the wheel and Delete
    // reach it; the panel follows in the table's tab order.
    CreateWindowExW(WS_EX_CLIENTEDGE, MAKEINTATOM(viewClass), L"",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0, 0, 0, 0, handle,
                    reinterpret_cast<HMENU>(INT_PTR{kViewId}), GetModuleHandleW(nullptr), nullptr);
    const std::span<const GraphControl> controls = app::GraphControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const GraphControl& control = controls[i];
        const HWND created =
            CreateControl(handle, control.kind, control.caption,
                          kFirstPanelId + static_cast<int>(i), control.kind != ControlKind::Label);
        if (control.kind == ControlKind::TextBox) {
            // Enter ends the typing in a field, rather than going to the window as IDOK.
            SetWindowSubclass(created, FieldProcedure, 0, reinterpret_cast<DWORD_PTR>(window));
        } else if (control.kind == ControlKind::Label && control.caption.empty()) {
            AddStyle(created, SS_ENDELLIPSIS);
        }
    }
    AddStyle(CreateControl(handle, ControlKind::Label, {}, kStatusId, false), SS_ENDELLIPSIS);

    window->toolTip_ = CreateToolTip(handle, window->View());

    const UINT dpi = GetDpiForWindow(handle);
    window->LayOut(dpi);
    SetClientSize(handle, ScalePixels(app::kGraphWindowWidth, dpi),
                  ScalePixels(app::kGraphWindowHeight, dpi), dpi);
    return *window;
}

HWND GraphWindow::Control(std::string_view name) const {
    const std::optional<std::size_t> index = app::GraphControlIndex(name);
    return index ? GetDlgItem(Handle(), kFirstPanelId + static_cast<int>(*index)) : nullptr;
}

void GraphWindow::Render() {
    const HWND focus = GetFocus();
    const app::GraphWindowView view = behaviour_.WindowView();
    SetTextIfChanged(Handle(), view.title);
    const std::span<const GraphControl> controls = app::GraphControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const HWND handle = GetDlgItem(Handle(), kFirstPanelId + static_cast<int>(i));
        if (controls[i].kind == ControlKind::List) {
            RenderFindings(view);
        } else {
            SetTextIfChanged(handle, view.controls[i].text);
        }
        if (controls[i].kind == ControlKind::CheckBox) {
            SendMessageW(handle, BM_SETCHECK,
                         view.controls[i].checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if ((IsWindowEnabled(handle) != 0) != view.controls[i].enabled) {
            EnableWindow(handle, view.controls[i].enabled ? TRUE : FALSE);
        }
    }
    SetTextIfChanged(Status(), view.status);
    InvalidateRect(View(), nullptr, FALSE);
    // A control disabled while it had the focus hands it on, as Tab would.
    if (focus != nullptr && IsChild(Handle(), focus) && !IsWindowEnabled(focus)) {
        Focus(GetNextDlgTabItem(Handle(), focus, FALSE));
    }
}

void GraphWindow::RenderFindings(const app::GraphWindowView& view) {
    const HWND list = GetDlgItem(Handle(), kFirstPanelId + static_cast<int>(*app::GraphControlIndex(
                                                               app::GraphCommand::SelectFinding)));
    if (rows_ != view.rows) {
        rows_ = view.rows;
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        // The list scrolls sideways as far as its longest row reaches.
        int widest = 0;
        const HDC dc = GetDC(list);
        const HGDIOBJ oldFont = SelectObject(dc, font_);
        for (const std::string& row : rows_) {
            const std::wstring text = Widen(row);
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
        SelectObject(dc, oldFont);
        ReleaseDC(list, dc);
        SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    // -1, as LB_ERR, for none
    if (SendMessageW(list, LB_GETCURSEL, 0, 0) != view.selectedRow) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(view.selectedRow), 0);
    }
}

void GraphWindow::Changed() {
    if (onChanged) {
        onChanged();
    } else {
        Render();
    }
}

void GraphWindow::PaintView(HDC dc, int width, int height) const {
    Gdiplus::Graphics graphics(dc);
    GdiplusCanvas canvas(graphics, &layers_);
    if (width > 0 && height > 0) {
        behaviour_.Paint(canvas);
    }
}

LRESULT GraphWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                Command(LOWORD(wParam), HIWORD(wParam));
            }
            return 0;  // Enter and Escape (IDOK, IDCANCEL, without a control) among them
        case WM_SIZE:
            Place(GetDpiForWindow(Handle()));
            return 0;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const UINT dpi = GetDpiForWindow(Handle());
            limits->ptMinTrackSize = {ScalePixels(kLeastWidth, dpi),
                                      ScalePixels(kLeastHeight, dpi)};
            return 0;
        }
        case WM_CLOSE:
            // Closed by the user it hides, once any unsaved edits were asked about, keeping its
            // place, zoom and selection for when Show graph opens it again; it goes with its
            // converter window.
            if (onClose) {
                onClose(host_);
            } else {
                ShowWindow(Handle(), SW_HIDE);
            }
            return 0;
        default:
            return TopWindow::HandleMessage(message, wParam, lParam);
    }
}

bool GraphWindow::TakeKey(const MSG& key) {
    app::KeyPress press;
    const app::KeyCodes codes{VK_INSERT, VK_DELETE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
    press.key = app::KeyOfCode(static_cast<int>(key.wParam), codes);
    // Ctrl+Alt is AltGr on many keyboards, which types characters.
    if (press.key == app::Key::Other || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    press.ctrl = GetKeyState(VK_CONTROL) < 0;
    press.shift = GetKeyState(VK_SHIFT) < 0;
    press.focusInViews = GetFocus() == View();
    const std::optional<app::GraphCommand> command = app::CommandFor(press);
    if (!command) {
        return false;
    }
    Run(*command);
    return true;
}

void GraphWindow::Run(app::GraphCommand command, const app::CommandInput& input) {
    if (command == app::GraphCommand::GoTo) {
        const HWND number = GetDlgItem(
            Handle(), kFirstPanelId + static_cast<int>(
                                          *app::GraphControlIndex(app::GraphCommand::EnterNumber)));
        Focus(number);
        SendMessageW(number, EM_SETSEL, 0, -1);
        return;
    }
    behaviour_.Run(command, host_, drawer_, input);
    Changed();
}

void GraphWindow::Command(int id, int notification) {
    const std::span<const GraphControl> controls = app::GraphControls();
    const int index = id - kFirstPanelId;
    if (index < 0 || static_cast<std::size_t>(index) >= controls.size()) {
        return;
    }
    const GraphControl& control = controls[static_cast<std::size_t>(index)];
    if (control.kind == ControlKind::List && notification == LBN_SELCHANGE) {
        const auto row =
            static_cast<int>(SendMessageW(GetDlgItem(Handle(), id), LB_GETCURSEL, 0, 0));
        Run(control.command, {{}, row});
    } else if ((control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox) &&
               notification == BN_CLICKED) {
        Run(control.command);
    }
}

void GraphWindow::Entered(HWND field) {
    const std::span<const GraphControl> controls = app::GraphControls();
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(field) - kFirstPanelId);
    if (index >= controls.size()) {
        return;
    }
    const std::string text = WindowText(field);
    Run(controls[index].command, {text});
    // The field shows what it holds now, ready to be typed over.
    SendMessageW(field, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK GraphWindow::FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR window) {
    switch (message) {
        case WM_GETDLGCODE:
            // The dialog keyboard would make Enter the window's IDOK.
            if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
                return DefSubclassProc(field, message, wParam, lParam) | DLGC_WANTALLKEYS;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                reinterpret_cast<GraphWindow*>(window)->Entered(field);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\n') {
                return 0;  // a field of one line has no use for it, and would beep
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(field, FieldProcedure, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

void GraphWindow::LayOut(UINT dpi) {
    if (View() == nullptr) {
        return;  // the controls come after the window
    }
    HFONT font = CreateMessageFont(dpi);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    font_ = font;
    // The views write their texts in the window's font at its size.
    LOGFONTW face{};
    GetObjectW(font_, sizeof face, &face);
    behaviour_.SetViewStyle({static_cast<double>(std::max<LONG>(1, std::abs(face.lfHeight))),
                             static_cast<double>(dpi) / USER_DEFAULT_SCREEN_DPI});
    Place(dpi);
}

void GraphWindow::Place(UINT dpi) {
    if (View() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const auto scaled = [dpi](int pixels) { return ScalePixels(pixels, dpi); };
    const auto place = [this](int id, int left, int top, int width, int height) {
        SetWindowPos(GetDlgItem(Handle(), id), nullptr, left, top, std::max(0, width),
                     std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const int margin = scaled(kMargin);
    const int side = scaled(app::kGraphListWidth) - margin;
    const int sideLeft = std::max(margin, static_cast<int>(client.right) - margin - side);
    const int statusHeight = scaled(kStatusHeight);
    const int statusTop = static_cast<int>(client.bottom) - margin / 2 - statusHeight;
    const int bottom = statusTop - margin / 2;  // of the view and the side column
    place(kViewId, margin, margin, sideLeft - 2 * margin, bottom - margin);
    place(kStatusId, margin, statusTop, static_cast<int>(client.right) - 2 * margin, statusHeight);

    const std::vector<app::ControlPlace> places =
        app::LayOutGraphSide(side, bottom - margin, scaled);
    for (std::size_t i = 0; i < places.size(); ++i) {
        place(kFirstPanelId + static_cast<int>(i), sideLeft + places[i].left,
              margin + places[i].top, places[i].width, places[i].height);
    }
}

LRESULT CALLBACK GraphWindow::ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = dynamic_cast<GraphWindow*>(TopWindow::FromHandle(GetParent(view)));
    if (window == nullptr) {
        return DefWindowProcW(view, message, wParam, lParam);
    }
    return window->ViewMessage(view, message, wParam, lParam);
}

LRESULT GraphWindow::ViewMessage(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const app::ScreenPoint place{double(at.x), double(at.y)};
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(view, &paint);
            // Painted off the screen first, so that nothing flickers.
            PaintOffScreen(view, dc, [this](HDC buffer, int width, int height) {
                PaintView(buffer, width, height);
            });
            EndPaint(view, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(view, &client);
            PaintView(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            behaviour_.ResizeView(LOWORD(lParam), HIWORD(lParam));
            InvalidateRect(view, nullptr, FALSE);
            return 0;
        case WM_MOUSEWHEEL: {
            POINT cursor = at;  // the wheel's place is on the screen
            ScreenToClient(view, &cursor);
            behaviour_.Wheel({double(cursor.x), double(cursor.y)}, GET_WHEEL_DELTA_WPARAM(wParam));
            InvalidateRect(view, nullptr, FALSE);
            return 0;
        }
        case WM_LBUTTONDOWN:
            // A press selects, links with Ctrl, and starts dragging a point or the page; the
            // view keeps the mouse until the button is released.
            SetFocus(view);
            SetCapture(view);
            behaviour_.Press(place, (wParam & MK_CONTROL) != 0, (wParam & MK_SHIFT) != 0,
                             app::MeasureWith(drawer_));
            if (behaviour_.Dragging()) {
                SetCursor(
                    LoadCursorW(nullptr, behaviour_.OnSplitBar(place) ? IDC_SIZENS : IDC_SIZEALL));
            }
            Changed();
            return 0;
        case WM_MOUSEMOVE:
            if (behaviour_.Dragging()) {
                behaviour_.Move(place);
                Changed();
            } else {
                behaviour_.Hover(place);
            }
            Hover(at);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            // Released, or the mouse taken away: the drag ends either way, as one edit.
            if (behaviour_.Dragging()) {
                behaviour_.Release();
                Changed();
            }
            return 0;
        case WM_SETCURSOR: {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(view, &cursor);
            if (LOWORD(lParam) == HTCLIENT &&
                behaviour_.OnSplitBar({double(cursor.x), double(cursor.y)})) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
                return TRUE;
            }
            return DefWindowProcW(view, message, wParam, lParam);
        }
        case WM_LBUTTONDBLCLK:
            behaviour_.DoubleClick(place);
            InvalidateRect(view, nullptr, FALSE);
            return 0;
        default:
            return DefWindowProcW(view, message, wParam, lParam);
    }
}

void GraphWindow::Hover(POINT at) {
    const std::wstring text =
        Widen(behaviour_.HoverText({double(at.x), double(at.y)}, app::MeasureWith(drawer_)));
    if (text == hover_) {
        return;
    }
    hover_ = text;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(View());
    tool.lpszText = hover_.data();
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    if (hover_.empty()) {
        SendMessageW(toolTip_, TTM_POP, 0, 0);
    }
}

}  // namespace walkconv::win32
