#include "gui/start_window.h"

#include <QFileInfo>
#include <QWidget>
#include <optional>

#include "core/input_kind.h"
#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/form3.h"

namespace walkconv::ui {

namespace {

// The kind of converter window for `path`, or nothing for the chooser.
std::optional<InputKind> KindToOpen(const QString& path) {
    const QString ending = QFileInfo(path).suffix().toLower();
    if (!QFileInfo(path).isFile() && ending != QStringLiteral("c") &&
        ending != QStringLiteral("ini")) {
        return std::nullopt;
    }
    return KindOfInput(path.toStdString());
}

}  // namespace

QWidget* OpenFirstWindow(const QStringList& arguments) {
    const std::optional<InputKind> kind =
        arguments.isEmpty() ? std::nullopt : KindToOpen(arguments.constFirst());
    if (!kind) {
        auto* chooser = new Form3();
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        chooser->show();
        return chooser;
    }
    ConverterWindow* converter = nullptr;
    if (*kind == InputKind::WalkSource) {
        converter = new Form1();
    } else {
        converter = new Form2();
    }
    converter->setAttribute(Qt::WA_DeleteOnClose);
    converter->show();
    converter->OpenInput(arguments.constFirst());
    return converter;
}

}  // namespace walkconv::ui
