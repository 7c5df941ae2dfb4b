#pragma once

#include <QSettings>
#include <QString>
#include <QWidget>
#include <filesystem>

#include "qt/qt_host.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace walkconv::testing {

// The scripted host that tests give the windows they make, and settings kept in a folder of
// the test's, away from the user's.
struct ScriptedQtHost : ScriptedHost {
    ScriptedQtHost() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settings.path().string()));
    }

    TempDir settings;
};

// The control that Tab moves to from `control`: the next one in the focus chain that takes the
// focus by tabbing.
inline QWidget* NextTabStop(QWidget* control) {
    QWidget* next = control->nextInFocusChain();
    while (next != control && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled())) {
        next = next->nextInFocusChain();
    }
    return next;
}

inline QString Path(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace walkconv::testing
