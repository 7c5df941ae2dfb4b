#pragma once

#include <span>
#include <string_view>

// The windows as tables: each window's caption, client size and controls in tab order, with
// their kinds, names, captions and places in twips (1/1440 inch), and the file types the
// dialogs offer. Every front-end builds its windows from these and nothing else.
namespace walkconv::app {

// 15 twips make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

enum class ControlKind { TextBox, Label, Button, OptionButton, List, CheckBox };

// One control of a window: its name (the name front-ends and tests find it by), kind, caption
// and place in twips from the top left corner of the client area.
struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
};

// A window: its name, caption, fixed client size in twips and controls in tab order.
struct WindowSpec {
    std::string_view name;
    std::string_view caption;
    int widthTwips;
    int heightTwips;
    std::span<const ControlSpec> controls;
};

// One file type of a file dialog: "C files (*.c)" with the pattern "*.c"; "*" matches every
// file, and several patterns are separated by ";".
struct FileFilter {
    std::string_view description;
    std::string_view pattern;

    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// The direction chooser shown at start.
const WindowSpec& ChooserWindow();
// The walk source to sailorpoints window and the sailorpoints to walk source window.
const WindowSpec& WalkToSailorpointsWindow();
const WindowSpec& SailorpointsToWalkWindow();

// The control of `window` named `name`; a name the table lacks is a programming error.
const ControlSpec& Control(const WindowSpec& window, std::string_view name);

// The file types of the dialogs, the first one selected when a dialog opens.
std::span<const FileFilter> WalkSourceFilters();    // "C files (*.c)", then all files
std::span<const FileFilter> SailorpointsFilters();  // "INI files (*.ini)", then all files
std::span<const FileFilter> PictureFilters();       // "PNG image (*.png)", "SVG picture (*.svg)"
// Save as... of the graph window: both kinds, the document's own first.
std::span<const FileFilter> SaveAsFilters(bool walkSourceFirst);

// The graph window: its first size in pixels and the width of its findings list.
inline constexpr int kGraphWindowWidth = 800;
inline constexpr int kGraphWindowHeight = 600;
inline constexpr int kGraphListWidth = 240;
// The texts beside the picture: above the findings list, and of the button that saves it.
inline constexpr std::string_view kFindingsCaption = "Findings:";
inline constexpr std::string_view kSavePictureCaption = "Save picture\u2026";

}  // namespace walkconv::app
