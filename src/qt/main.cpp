#include <QApplication>
#include <QStringList>

#include "core/platform/settings_folder.h"
#include "qt/start_window.h"
#include "qt/window_style.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title. The names place
    // the user's settings (the folders last used in the dialogs).
    QApplication::setApplicationName(QStringLiteral("walk-converter"));
    QApplication::setOrganizationName(QStringLiteral("walk-converter"));
    QApplication::setWindowIcon(walkconv::qt::ProgramIcon());

    // Edits an earlier run left unsaved are offered back first; the graphs restored stand in
    // for the chooser.
    const int restored = walkconv::qt::RestoreUnsavedGraphs(walkconv::JournalFolder());
    // "walk-converter FILE" opens FILE in the converter window of its kind.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (restored == 0 || !arguments.isEmpty()) {
        walkconv::qt::OpenFirstWindow(arguments);
    }
    return app.exec();
}
