#pragma once

#include <optional>
#include <span>
#include <string_view>

// What each key does in the graph window, wherever the focus is in it: one table, so that both
// front-ends take the same keys before their controls do (a line edit claims Ctrl+Z for its
// own undo, say).
namespace walkconv::app {

enum class GraphCommand {
    GoTo,         // the focus into the point number field
    Undo,         //
    Redo,         //
    AddPoint,     //
    Remove,       // the selected point with its links, or the selected link
    Save,         // over the file the graph came from
    SaveAs,       // either kind, under a name asked for
    SavePicture,  // PNG or SVG
};

// The keys of the table, as the front-ends name them.
enum class Key { G, Z, Y, S, E, Insert, Delete, Other };

struct KeyPress {
    Key key = Key::Other;
    bool ctrl = false;
    bool shift = false;
    bool focusInViews = false;  // the focus is in the picture, not in a field or list
};

struct Shortcut {
    Key key;
    bool ctrl;
    bool shift;
    GraphCommand command;
    bool viewsOnly;         // only while the focus is in the picture
    std::string_view text;  // as the README and tool tips name it: "Ctrl+Shift+S"
};

// Every shortcut of the graph window.
std::span<const Shortcut> GraphShortcuts();

// The command of a key press, if it has one.
std::optional<GraphCommand> CommandFor(const KeyPress& press);

}  // namespace walkconv::app
