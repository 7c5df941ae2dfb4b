#pragma once

#include <QString>
#include <span>

class QIcon;
class QPoint;
class QRect;
class QSize;
class QWidget;

// The look shared by the three windows: sizes given in twips, a fixed size, a close box only,
// the program's icon, centred on the screen, and controls built from a table in tab order.
namespace walkconv::ui {

// 15 twips make one logical pixel; Qt's high-DPI scaling maps logical pixels to the screen.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}

// The program's icon, the same in every window.
const QIcon& ProgramIcon();

// Caption, fixed client size (in twips), title bar with a close box only, icon, and a position
// in the middle of the screen.
void ApplyWindowStyle(QWidget* window, const QString& caption, int widthTwips, int heightTwips);

// The top left corner of a window of `size` placed beside the window `anchor` (both frames):
// to its right where `screen` has room, else to its left, else as far right as the screen
// allows; at the anchor's height, moved up as far as the screen's bottom asks.
QPoint PlaceBeside(const QRect& anchor, const QSize& size, const QRect& screen);

enum class ControlKind { TextBox, Label, Button, OptionButton };

// One control of a window: its name (also its objectName), kind, caption and place in twips.
struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
};

// Creates the controls of `specs` as children of `window`, in tab order, with no default button.
void BuildControls(QWidget* window, std::span<const ControlSpec> specs);

}  // namespace walkconv::ui
