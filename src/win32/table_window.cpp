#include "win32/table_window.h"

#include "win32/window_style.h"

namespace walkconv::win32 {

TableWindow::TableWindow(const app::WindowSpec& spec) : TopWindow(Role::Main), spec_(spec) {}

TableWindow::~TableWindow() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

HWND TableWindow::Control(std::string_view name) const {
    return win32::Control(Handle(), spec_, name);
}

void TableWindow::Create() {
    TopWindow::Create(spec_.caption, kFixedWindowStyle);
    CreateControls(Handle(), spec_);
    LayOut(GetDpiForWindow(Handle()));
    CentreOnItsMonitor(Handle());
}

void TableWindow::LayOut(UINT dpi) {
    if (GetDlgItem(Handle(), kFirstControlId) == nullptr) {
        return;  // the controls come after the window
    }
    const HFONT font = CreateMessageFont(dpi);
    LayOutControls(Handle(), spec_, dpi, font);
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    font_ = font;
}

}  // namespace walkconv::win32
