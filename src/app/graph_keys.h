#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "app/graph_command.h"

// What each key does in the graph window, wherever the focus is in it: one table, so that both
// front-ends take the same keys before their controls do (a line edit claims Ctrl+Z for its
// own undo, say).
namespace walkconv::app {

// The keys of the table, as the front-ends name them.
enum class Key { G, Z, Y, S, E, D, Insert, Delete, A, M, Left, Right, Up, Down, Other };

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

// The key of a front-end's key code: a letter by its capital's code, which Qt and Windows both
// give it, and Insert and Delete by the codes the front-end names them with.
Key KeyOfCode(int code, int insertCode, int deleteCode);

// The codes a front-end names the keys that are not letters with.
struct KeyCodes {
    int insert;
    int del;
    int left;
    int right;
    int up;
    int down;
};
Key KeyOfCode(int code, const KeyCodes& codes);

// The command of a key press, if it has one.
std::optional<GraphCommand> CommandFor(const KeyPress& press);

// The first shortcut of `command` as a tool tip names it ("Ctrl+S"), or empty.
std::string_view ShortcutText(GraphCommand command);

}  // namespace walkconv::app
