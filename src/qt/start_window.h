#pragma once

#include <QStringList>

class QWidget;

namespace walkconv::ui {

// Opens and shows the program's first window for its command-line arguments (without the
// program's name). With a file, the converter window of the file's kind (a walk source or a
// sailorpoints file, as walkconv decides) opens with the path in its input box and analyses
// it; a missing file opens the window that its ending ".c" or ".ini" names, with the path
// filled in and the result area empty. Without an argument, or for a missing file with neither
// ending, the direction chooser opens. The window is deleted when it closes.
QWidget* OpenFirstWindow(const QStringList& arguments);

}  // namespace walkconv::ui
