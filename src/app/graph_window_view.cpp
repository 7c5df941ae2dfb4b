#include "app/graph_window_view.h"

#include <cstdlib>
#include <optional>

#include "app/graph_controls.h"

namespace walkconv::app {

const ControlView& GraphWindowView::Control(std::string_view name) const {
    const std::optional<std::size_t> index = GraphControlIndex(name);
    if (!index || *index >= controls.size()) {
        std::abort();  // the tables and the code that names their controls disagree
    }
    return controls[*index];
}

namespace {

bool CommandWorks(GraphCommand command, const GraphEditing& editing, const GraphViewing& viewing) {
    switch (command) {
        case GraphCommand::Fix:
            return editing.RepairOf(viewing.SelectedFinding()) != nullptr;
        case GraphCommand::FixAll:
            return editing.HasRepairs();
        case GraphCommand::SelectFinding:
            return viewing.RowsSelectable();
        case GraphCommand::DropToDeck:
            return editing.Model() != nullptr && editing.Selected().kind == Selection::Kind::Point;
        case GraphCommand::Mirror:
            return !editing.Selected().PointNumbers().empty();
        default:
            return true;
    }
}

}  // namespace

std::string GraphTitle(const GraphEditing& editing) {
    if (!editing.HasDocument()) {
        return {};
    }
    return editing.Document().modelName + (editing.Unsaved() ? "*" : "") + " - graph";
}

GraphWindowView MakeGraphWindowView(const GraphEditing& editing, const GraphViewing& viewing) {
    GraphWindowView view;
    view.title = GraphTitle(editing);
    view.rows = viewing.Rows();
    view.selectedRow = viewing.SelectedFinding();
    view.status = editing.Status();
    const bool open = editing.HasDocument();
    const PanelView& panel = editing.Panel();
    const std::span<const GraphControl> controls = GraphControls();
    view.controls.resize(controls.size());
    // From the last, so that a label finds its field done.
    for (std::size_t i = controls.size(); i-- > 0;) {
        const GraphControl& control = controls[i];
        ControlView& shown = view.controls[i];
        shown.text = std::string(control.caption);
        shown.enabled = open && CommandWorks(control.command, editing, viewing);
        shown.checked = control.kind == ControlKind::CheckBox &&
                        control.command == GraphCommand::SameScale && viewing.Panes().SameScale();
        if (const PanelFieldSpec* field = PanelFieldOf(control.command)) {
            shown.text = panel.*field->text;
            shown.enabled = open && (!field->pointOnly ||
                                     (panel.pointFields && (!panel.several || field->forSeveral)));
        } else if (control.kind == ControlKind::Label && control.caption.empty()) {
            shown.text = panel.selection;
        } else if (control.kind == ControlKind::Label && i + 1 < controls.size() &&
                   controls[i + 1].row == control.row) {
            shown.enabled = view.controls[i + 1].enabled;
        }
    }
    return view;
}

}  // namespace walkconv::app
