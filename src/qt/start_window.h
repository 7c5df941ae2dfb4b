#pragma once

#include <QStringList>

class QWidget;

namespace walkconv::qt {

// Opens and shows the program's first window for its command-line arguments (without the
// program's name), as app::FirstWindowFor decides: the chooser, or a converter window that
// then opens the file. The window is deleted when it closes.
QWidget* OpenFirstWindow(const QStringList& arguments);

}  // namespace walkconv::qt
