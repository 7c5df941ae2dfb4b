#include "gui/last_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace walkconv::ui {

namespace {

QString Key(const QString& windowKind) {
    return windowKind + QStringLiteral("/lastFolder");
}

}  // namespace

QString LastFolder(const QString& windowKind) {
    if (windowKind.isEmpty()) {
        return {};
    }
    const QString folder = QSettings().value(Key(windowKind)).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberFolder(const QString& windowKind, const QString& chosenPath) {
    if (windowKind.isEmpty() || chosenPath.isEmpty()) {
        return;
    }
    QSettings().setValue(Key(windowKind),
                         QDir::toNativeSeparators(QFileInfo(chosenPath).absolutePath()));
}

}  // namespace walkconv::ui
