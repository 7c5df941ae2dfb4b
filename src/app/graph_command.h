#pragma once

#include <string_view>

// What a control or a key of the graph window does: each control of its side column and each
// shortcut names one of these, and the behaviour runs it.
namespace walkconv::app {

enum class GraphCommand {
    None,           // a label: it shows a text and does nothing
    GoTo,           // the focus into the point number field
    Undo,           //
    Redo,           //
    AddPoint,       //
    DropToDeck,     // the selected point onto the surface under it nearest to its height
    Remove,         // the selected point with its links, or the selected link
    Fix,            // the finding selected
    FixAll,         // every finding that has a repair, in one step
    Save,           // over the file the graph came from
    SaveAs,         // either kind, under a name asked for
    SavePicture,    // PNG or SVG
    EnterNumber,    // the text of a panel field, then Enter: the point to select
    EnterX,         //
    EnterY,         //
    EnterZ,         //
    EnterType,      //
    EnterLinkTo,    // the point that a link from the selected one goes to
    SelectFinding,  // a row of the findings list, or none
    ChooseModel,    // the "Model" dialog: another model file or none, and its placement
    SelectAll,      // every point
    Mirror,         // the selected points and the links among them, across x = 0
    NudgeLeft,      // the selected points by a step in the view under the mouse
    NudgeRight,     //
    NudgeUp,        //
    NudgeDown,      //
    FineLeft,       // the same by a fine step
    FineRight,      //
    FineUp,         //
    FineDown,       //
    SameScale,      // both views at one scale along z, or each at its own
};

// What a command carries: the text of the field entered, or the row of the list chosen.
struct CommandInput {
    std::string_view text;
    int row = -1;
};

}  // namespace walkconv::app
