#include "win32/start_window.h"

#include <vector>

#include "app/start_up.h"
#include "win32/chooser_window.h"
#include "win32/converter_window.h"
#include "win32/win32_host.h"

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

int RestoreUnsavedGraphs(const std::filesystem::path& folder, app::Host* host) {
    Win32Host own;
    const std::vector<app::GraphToRestore> graphs =
        app::GraphsToRestore(host != nullptr ? *host : own, folder);
    for (const app::GraphToRestore& graph : graphs) {
        ConverterWindow::Open(*graph.direction, host).Restore(graph.journal);
    }
    return static_cast<int>(graphs.size());
}

}  // namespace walkconv::win32
