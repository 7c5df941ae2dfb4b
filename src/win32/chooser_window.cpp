#include "win32/chooser_window.h"

#include "win32/converter_window.h"
#include "win32/window_style.h"

namespace walkconv::win32 {

ChooserWindow::ChooserWindow(app::Host* host) : TableWindow(app::ChooserWindow()), host_(host) {}

ChooserWindow& ChooserWindow::Open(app::Host* host) {
    auto* window = new ChooserWindow(host);
    window->Create();
    window->Render();
    window->ShowFirst();
    return *window;
}

LRESULT ChooserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED || lParam == 0) {
        return TableWindow::HandleMessage(message, wParam, lParam);
    }
    const std::string_view name = ControlName(Spec(), LOWORD(wParam));
    const HWND button = reinterpret_cast<HWND>(lParam);
    // An option button also reports a click when it takes the focus unselected (Windows
    // does, Wine does not); only one that is now selected was chosen.
    const bool selected = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (name == "Option1" && selected) {
        chooser_.SelectOption1();
    } else if (name == "Option2" && selected) {
        chooser_.SelectOption2();
    } else if (name == "Command1") {
        Ok();
        return 0;  // the chooser may be gone
    }
    Render();
    return 0;
}

void ChooserWindow::Render() {
    const app::ChooserView& view = chooser_.View();
    // Only a change is set: the control takes Tab's stop from an option it unchecks, which
    // would leave the group out of Tab's reach while neither option is selected.
    const auto check = [](HWND option, bool selected) {
        const LRESULT state = selected ? BST_CHECKED : BST_UNCHECKED;
        if (SendMessageW(option, BM_GETCHECK, 0, 0) != state) {
            SendMessageW(option, BM_SETCHECK, static_cast<WPARAM>(state), 0);
        }
    };
    check(Control("Option1"), view.option1);
    check(Control("Option2"), view.option2);
}

void ChooserWindow::Ok() {
    const std::optional<const app::Direction*> direction = chooser_.Ok();
    if (!direction) {
        return;  // no direction chosen yet
    }
    // The converter window is shown before the chooser closes, so the program always has a
    // window; from here on closing the converter window ends the program.
    ConverterWindow::Open(**direction, host_);
    DestroyWindow(Handle());  // deletes this object
}

}  // namespace walkconv::win32
