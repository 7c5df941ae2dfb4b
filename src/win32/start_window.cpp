#include "win32/start_window.h"

#include "app/start_up.h"
#include "win32/chooser_window.h"
#include "win32/converter_window.h"

namespace walkconv::win32 {

HWND OpenFirstWindow(std::span<const std::string> arguments, app::Host* host) {
    const app::FirstWindow first = app::FirstWindowFor(arguments);
    if (first.direction == nullptr) {
        return ChooserWindow::Open(host).Handle();
    }
    ConverterWindow& converter = ConverterWindow::Open(*first.direction, host);
    converter.OpenFile(first.path);
    return converter.Handle();
}

}  // namespace walkconv::win32
