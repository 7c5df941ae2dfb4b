#include <QApplication>
#include <QStringList>

#include "qt/start_window.h"
#include "qt/window_style.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title. The names place
    // the user's settings (the folders last used in the dialogs).
    QApplication::setApplicationName(QStringLiteral("walk-converter"));
    QApplication::setOrganizationName(QStringLiteral("walk-converter"));
    QApplication::setWindowIcon(walkconv::qt::ProgramIcon());

    // "walk-converter FILE" opens FILE in the converter window of its kind.
    walkconv::qt::OpenFirstWindow(QApplication::arguments().mid(1));
    return app.exec();
}
