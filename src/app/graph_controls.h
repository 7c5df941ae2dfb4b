#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/graph_command.h"
#include "app/window_tables.h"

// The side column of the graph window as a table: every front-end builds it by walking the
// table, and runs a control's command when it is used.
namespace walkconv::app {

// A control of the side column, top to bottom and in tab order: the editing panel (each field
// with its label before it), the findings with their fixes, and the buttons that save. Kind
// TextBox is a field the user types into and ends with Enter; a Label with an empty caption
// shows a text of the behaviour (the selection); a CheckBox runs its command when clicked and
// shows whether it is on. The controls of one row stand side by side:
// a label with its field, or buttons of equal width.
struct GraphControl {
    std::string_view name;  // the name front-ends give it, and tests find it by
    ControlKind kind;
    std::string_view caption;
    GraphCommand command;  // run by a click, by Enter in a field, or by choosing a row
    int row;
};
std::span<const GraphControl> GraphControls();

// The controls of one row: the index of the first and how many.
struct ControlRow {
    std::size_t first;
    std::size_t count;
};
std::vector<ControlRow> GraphControlRows();

// The index of the control named `name`, or none.
std::optional<std::size_t> GraphControlIndex(std::string_view name);
// The index of the control that runs `command`, or none.
std::optional<std::size_t> GraphControlIndex(GraphCommand command);

// The names of the parts beside the side column: the views of the graph and the status line
// below all.
inline constexpr std::string_view kGraphViewName = "GraphView";
inline constexpr std::string_view kStatusLineName = "StatusLine";

}  // namespace walkconv::app
