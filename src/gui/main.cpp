#include <QApplication>

#include "gui/form3.h"
#include "gui/window_style.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("walk-converter"));
    QApplication::setWindowIcon(walkconv::ui::ProgramIcon());

    auto* chooser = new walkconv::ui::Form3();
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->show();
    return app.exec();
}
