#pragma once

#include <QString>
#include <string_view>

#include "app/placement.h"
#include "app/window_tables.h"

class QIcon;
class QRect;
class QWidget;

// The look shared by the three windows: built from their tables, a fixed size, a close box
// only, the program's icon, centred on the screen, and controls in tab order.
namespace walkconv::qt {

// The program's icon, the same in every window.
const QIcon& ProgramIcon();

// UTF-8 text of the behaviour to Qt's, and back.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

app::ScreenRect ToScreenRect(const QRect& rect);

// Caption, fixed client size, title bar with a close box only, icon, a position in the middle
// of the screen, and the controls of the table as children, in tab order, each named as the
// table names it, with no default button.
void BuildWindow(QWidget* window, const app::WindowSpec& spec);

}  // namespace walkconv::qt
