#pragma once

#include <QStringList>

#include "app/host.h"

class QWidget;

namespace walkconv::qt {

// Opens and shows the program's first window for its command-line arguments (without the
// program's name), as app::FirstWindowFor decides: the chooser, or a converter window that
// then opens the file. The window is deleted when it closes.
// `host` takes the windows' dialogs; none: each window's own.
QWidget* OpenFirstWindow(const QStringList& arguments, app::Host* host = nullptr);

}  // namespace walkconv::qt
