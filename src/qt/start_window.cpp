#include "qt/start_window.h"

#include <QWidget>
#include <string>
#include <vector>

#include "app/start_up.h"
#include "qt/chooser_window.h"
#include "qt/converter_window.h"
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

}  // namespace walkconv::qt
