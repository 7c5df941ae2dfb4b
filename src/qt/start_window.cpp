#include "qt/start_window.h"

#include <QWidget>
#include <string>
#include <vector>

#include "app/start_up.h"
#include "qt/chooser_window.h"
#include "qt/converter_window.h"
#include "qt/qt_host.h"
#include "qt/window_style.h"

namespace walkconv::qt {

QWidget* OpenFirstWindow(const QStringList& arguments, app::Host* host) {
    std::vector<std::string> args;
    for (const QString& argument : arguments) {
        args.push_back(FromQt(argument));
    }
    const app::FirstWindow first = app::FirstWindowFor(args);
    if (first.direction == nullptr) {
        auto* chooser = new ChooserWindow(host);
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        chooser->show();
        return chooser;
    }
    auto* converter = new ConverterWindow(*first.direction, host);
    converter->setAttribute(Qt::WA_DeleteOnClose);
    converter->show();
    converter->Open(ToQt(first.path));
    return converter;
}

int RestoreUnsavedGraphs(const std::filesystem::path& folder, app::Host* host) {
    QtHost own(nullptr);
    const std::vector<app::GraphToRestore> graphs =
        app::GraphsToRestore(host != nullptr ? *host : own, folder);
    for (const app::GraphToRestore& graph : graphs) {
        auto* converter = new ConverterWindow(*graph.direction, host);
        converter->setAttribute(Qt::WA_DeleteOnClose);
        converter->show();
        converter->Restore(graph.journal);
    }
    return static_cast<int>(graphs.size());
}

}  // namespace walkconv::qt
