#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/graph_editing.h"
#include "app/graph_viewing.h"

// Everything the graph window shows beside its picture, as a value: after every event the
// front-end sets its controls from it, field by field, and tests compare it.
namespace walkconv::app {

// A control of the side column: a label's or button's caption, or the text a field holds.
struct ControlView {
    std::string text;
    bool enabled = false;
    bool checked = false;  // of a check box

    friend bool operator==(const ControlView&, const ControlView&) = default;
};

struct GraphWindowView {
    std::string title;                  // "<model> - graph", "<model>* - graph" with unsaved edits
    std::vector<ControlView> controls;  // one for each of GraphControls(), in its order
    std::vector<std::string> rows;      // of the findings list
    int selectedRow = -1;               // none: -1
    std::string status;                 // the line under the views

    // The view of the control named `name` in GraphControls(); a name the table lacks is a
    // programming error.
    const ControlView& Control(std::string_view name) const;

    friend bool operator==(const GraphWindowView&, const GraphWindowView&) = default;
};

// The title of the graph window.
std::string GraphTitle(const GraphEditing& editing);

// The view of a graph window that edits with `editing` and shows with `viewing`. Without a
// graph nothing takes input; a field takes input when its panel says so, and its label looks
// as the field does; Fix works for a finding selected that has a repair, Fix all while any
// finding has one, and the findings list while there are findings to select.
GraphWindowView MakeGraphWindowView(const GraphEditing& editing, const GraphViewing& viewing);

}  // namespace walkconv::app
