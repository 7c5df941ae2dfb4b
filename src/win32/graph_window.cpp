#include "win32/graph_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "app/window_tables.h"
#include "win32/gdiplus_canvas.h"
#include "win32/wide_text.h"
#include "win32/window_style.h"

namespace walkconv::win32 {

namespace {

constexpr wchar_t kViewClass[] = L"WalkConverterGraphView";

// Room around and between the parts of the window, and the heights of the label and button,
// in pixels at 96 DPI.
constexpr int kMargin = 8;
constexpr int kLabelHeight = 18;
constexpr int kButtonHeight = 28;
constexpr int kLeastWidth = 480;
constexpr int kLeastHeight = 320;

// Ctrl+S saves the picture, as the button does.
HACCEL SaveKey() {
    static const HACCEL keys = [] {
        ACCEL save{FCONTROL | FVIRTKEY, 'S', GraphWindow::kSavePictureId};
        return CreateAcceleratorTableW(&save, 1);
    }();
    return keys;
}

HWND CreateChild(HWND parent, const wchar_t* className, std::string_view text, DWORD style,
                 DWORD exStyle, int id) {
    return CreateWindowExW(exStyle, className, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR{id}),
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

GraphWindow::GraphWindow() : TopWindow(Role::Companion), measure_(PictureTextMeasure()) {}

GraphWindow::~GraphWindow() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

GraphWindow& GraphWindow::Make() {
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
    auto* window = new GraphWindow();
    window->TopWindow::Create({}, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    const HWND handle = window->Handle();
    window->host_.SetOwner(handle);
    // The view takes the focus first, as a scrolling view does, so that the wheel reaches it
    // and the findings list selects nothing of itself.
    CreateChild(handle, MAKEINTATOM(viewClass), {}, WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE,
                kViewId);
    CreateChild(handle, L"STATIC", app::kFindingsCaption, SS_LEFT | SS_NOPREFIX, 0,
                kFindingsLabelId);
    CreateChild(handle, L"LISTBOX", {},
                WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE, kFindingListId);
    KeepFromBeingDefault(CreateChild(handle, L"BUTTON", app::kSavePictureCaption,
                                     WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, kSavePictureId));
    window->toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle;
    tool.uId = reinterpret_cast<UINT_PTR>(window->View());
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(window->toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(window->toolTip_, TTM_SETMAXTIPWIDTH, 0,
                 ScalePixels(480, GetDpiForWindow(handle)));
    window->SetAccelerators(SaveKey());

    const UINT dpi = GetDpiForWindow(handle);
    window->LayOut(dpi);
    SetClientSize(handle, ScalePixels(app::kGraphWindowWidth, dpi),
                  ScalePixels(app::kGraphWindowHeight, dpi), dpi);
    return *window;
}

void GraphWindow::ShowContent(std::shared_ptr<const app::GraphContent> content) {
    if (content == nullptr || content.get() == behaviour_.Content()) {
        return;
    }
    behaviour_.Show(std::move(content));
    SetText(Handle(), behaviour_.Title());
    const HWND list = GetDlgItem(Handle(), kFindingListId);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    // The list scrolls sideways as far as its longest row reaches.
    int widest = 0;
    const HDC dc = GetDC(list);
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    for (const std::string& row : behaviour_.Rows()) {
        const std::wstring text = Widen(row);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    // Without findings the one row says so and cannot be selected.
    EnableWindow(list, behaviour_.RowsSelectable() ? TRUE : FALSE);
    InvalidateRect(View(), nullptr, FALSE);
}

void GraphWindow::PaintView(HDC dc, int width, int height) const {
    Gdiplus::Graphics graphics(dc);
    GdiplusCanvas canvas(graphics);
    if (width > 0 && height > 0) {
        behaviour_.Paint(canvas);
    }
}

LRESULT GraphWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kSavePictureId &&
                (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 1 /* accelerator */)) {
                SavePicture();
            } else if (LOWORD(wParam) == kFindingListId && HIWORD(wParam) == LBN_SELCHANGE) {
                SelectFinding();
            }
            return 0;
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
            // Closed by the user it only hides, keeping its place, zoom and selection for when
            // Show graph opens it again; it goes with its converter window.
            ShowWindow(Handle(), SW_HIDE);
            if (onClosed) {
                onClosed();
            }
            return 0;
        default:
            return TopWindow::HandleMessage(message, wParam, lParam);
    }
}

void GraphWindow::LayOut(UINT dpi) {
    const HWND view = View();
    if (view == nullptr) {
        return;  // the controls come after the window
    }
    HFONT font = CreateMessageFont(dpi);
    for (const int id : {kFindingsLabelId, kFindingListId, kSavePictureId}) {
        SendMessageW(GetDlgItem(Handle(), id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    font_ = font;
    Place(dpi);
}

void GraphWindow::Place(UINT dpi) {
    if (View() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const int margin = ScalePixels(kMargin, dpi);
    const int side = ScalePixels(app::kGraphListWidth, dpi) - margin;
    const int sideLeft = std::max(margin, static_cast<int>(client.right) - margin - side);
    const int bottom = static_cast<int>(client.bottom) - margin;
    const int labelHeight = ScalePixels(kLabelHeight, dpi);
    const int buttonHeight = ScalePixels(kButtonHeight, dpi);
    const auto place = [this](int id, int left, int top, int width, int height) {
        SetWindowPos(GetDlgItem(Handle(), id), nullptr, left, top, std::max(0, width),
                     std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(kViewId, margin, margin, sideLeft - 2 * margin, bottom - margin);
    place(kFindingsLabelId, sideLeft, margin, side, labelHeight);
    place(kFindingListId, sideLeft, margin + labelHeight, side,
          bottom - buttonHeight - margin - (margin + labelHeight));
    place(kSavePictureId, sideLeft, bottom - buttonHeight, side, buttonHeight);
}

void GraphWindow::SavePicture() {
    RECT client{};
    GetClientRect(Handle(), &client);
    GdiplusPngEncoder png;
    behaviour_.SavePicture(host_, png, client.right, client.bottom);
}

void GraphWindow::SelectFinding() {
    const auto row =
        static_cast<int>(SendMessageW(GetDlgItem(Handle(), kFindingListId), LB_GETCURSEL, 0, 0));
    behaviour_.SelectFinding(row, measure_);
    InvalidateRect(View(), nullptr, FALSE);
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
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(view, &paint);
            RECT client{};
            GetClientRect(view, &client);
            // Painted off the screen first, so that nothing flickers.
            const HDC buffer = CreateCompatibleDC(dc);
            const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            const HGDIOBJ old = SelectObject(buffer, bitmap);
            PaintView(buffer, client.right, client.bottom);
            BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
            SelectObject(buffer, old);
            DeleteObject(bitmap);
            DeleteDC(buffer);
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
            SetFocus(view);
            SetCapture(view);
            dragFrom_ = at;
            SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
            return 0;
        case WM_MOUSEMOVE:
            if (dragFrom_ && (wParam & MK_LBUTTON) != 0) {
                behaviour_.Drag(at.x - dragFrom_->x, at.y - dragFrom_->y);
                dragFrom_ = at;
                InvalidateRect(view, nullptr, FALSE);
            }
            Hover(at);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            dragFrom_.reset();
            return 0;
        case WM_LBUTTONDBLCLK:
            behaviour_.DoubleClick();
            InvalidateRect(view, nullptr, FALSE);
            return 0;
        default:
            return DefWindowProcW(view, message, wParam, lParam);
    }
}

void GraphWindow::Hover(POINT at) {
    const std::wstring text = Widen(behaviour_.HoverText({double(at.x), double(at.y)}, measure_));
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
