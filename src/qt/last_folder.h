#pragma once

#include <QString>

// The folder of the file last chosen in a file dialog, kept across runs in the user's settings
// (QSettings with the application's names), one for each kind of window.
namespace walkconv::ui {

// The folder last remembered for `windowKind`, or empty when there is none or it is gone.
QString LastFolder(const QString& windowKind);

// Remembers the folder of `chosenPath` for `windowKind`; an empty kind remembers nothing.
void RememberFolder(const QString& windowKind, const QString& chosenPath);

}  // namespace walkconv::ui
