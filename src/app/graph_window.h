#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/graph_command.h"
#include "app/graph_content.h"
#include "app/graph_editing.h"
#include "app/graph_file_actions.h"
#include "app/graph_painting.h"
#include "app/graph_viewing.h"
#include "app/graph_window_view.h"
#include "app/hit_test.h"
#include "app/host.h"
#include "app/journal.h"
#include "app/point_band.h"
#include "app/viewport.h"

// The behaviour of the graph window, an editor of the walking graph: the commands of its
// controls and keys, what the mouse does in the views, and the window's view after each. The
// front-end forwards the events, shows WindowView(), and paints through Paint.
namespace walkconv::app {

class GraphWindowBehaviour {
  public:
    // The key under which the graph windows remember the folder of their last file.
    static constexpr std::string_view kWindowKind = kGraphWindowKind;
    // Dragged coordinates are rounded to this.
    static constexpr double kDragStep = 0.001;
    // An arrow key moves the selected points by this, with Shift by the fine step.
    static constexpr double kNudgeStep = 0.1;
    static constexpr double kFineNudgeStep = 0.01;

    // The graph of the file at `path`, fitted in, nothing selected, no history; with the
    // model remembered for the file in `settings`, if given and one is, else the one beside.
    void Open(GraphDocument document, std::string path, Host* settings = nullptr);
    // The same file read again after it was saved: the view and the editing go on.
    void Reopen(GraphDocument document, std::string path);
    void Close();
    // The graph of `journal` made again on `document`, its file as it is now, fitted in, as
    // RestoreJournal makes it; the number of edits refused.
    int Restore(GraphDocument document, const Journal& journal, bool fileChanged);

    // Runs the command of a control or a key; `host` shows its dialogs, `drawer` measures
    // texts and encodes pictures. GoTo moves the focus, which is the front-end's.
    void Run(GraphCommand command, Host& host, Drawer& drawer, const CommandInput& input = {});
    // The window beside its picture as it stands.
    GraphWindowView WindowView() const;

    // The graph's file when a command since the last call wrote it (the converter reads it
    // again), and forgets it.
    std::optional<std::string> TakeSaved();

    GraphEditing& Editing() { return editing_; }
    const GraphEditing& Editing() const { return editing_; }
    const GraphContent* Content() const { return editing_.Content().get(); }

    std::string Title() const;  // "<model> - graph", "<model>* - graph" with unsaved edits
    const std::vector<std::string>& Rows() const { return viewing_.Rows(); }
    bool RowsSelectable() const { return viewing_.RowsSelectable(); }
    void SelectFinding(int row, const TextMeasure& measure = {}) {
        viewing_.SelectFinding(row, measure);
    }
    int SelectedFinding() const { return viewing_.SelectedFinding(); }
    const Highlight& Highlighted() const { return viewing_.Highlighted(); }
    bool CanFix() const { return editing_.RepairOf(SelectedFinding()) != nullptr; }
    bool CanFixAll() const { return editing_.HasRepairs(); }

    // The commands on the document, each followed by the view.
    void Fix();
    void FixAll();
    void EnterField(PanelField field, std::string_view text);
    void AddPoint();
    void DropToDeck();
    void Remove();
    void Undo();
    void Redo();
    // "Model...": the dialog filled with the model shown; OK shows the model chosen and
    // remembers it for the file, or, when it cannot be read, keeps the one shown and says why.
    void ChooseModel(Host& host);
    void SelectAll();
    void Mirror();
    // Moves the selected points by `right` and `up` steps in the view under the mouse (the top
    // view when the mouse has not been in the picture): rightward is z, upward is x in the top
    // view and y in the side view. Each press is one step of undo.
    void Nudge(double right, double up);

    // The mouse in the views, in the pixels of the room they share (the top view above, the
    // bar, the side view below). A press on a point selects it and starts its drag (the point
    // moves by the pointer's displacement, x and z in the top view, y and z in the side view);
    // with Ctrl, and a point selected, it links that point to the one pressed. A press on a
    // link selects it; elsewhere it starts panning the view pressed, and selects nothing when
    // released without a move; but with Ctrl in the top view over the ship's model it adds a
    // point on the highest surface there. A press on the bar between the views starts moving
    // the split. With a model, a point dragged in the top view keeps to the surface it stood on.
    //
    // With Shift, a press on a point adds it to the selected points or takes it out, and a
    // press elsewhere draws a band: the points inside it in the view it began in are added to
    // those selected. A press on one of several selected points drags them all (released
    // without a move, it selects that one alone).
    void Press(ScreenPoint at, bool ctrl, const TextMeasure& measure = {});
    void Press(ScreenPoint at, bool ctrl, bool shift, const TextMeasure& measure = {});
    void Move(ScreenPoint at);
    void Release();
    bool Dragging() const { return drag_.has_value(); }
    // The mouse over the views with no button down, for the keys that act where it is.
    void Hover(ScreenPoint at) { cursor_ = at; }
    // The band being drawn, in the pixels of the views' room, or none.
    std::optional<Band> DrawnBand() const;
    // The wheel zooms the view under the cursor about it.
    void Wheel(ScreenPoint cursor, int eighths);
    // A double-click fits the view clicked (with Same scale, both at one zoom); without a
    // place, both views.
    void DoubleClick() { viewing_.Panes().FitAll(); }
    void DoubleClick(ScreenPoint at);
    // The top view's place and zoom, and either view's.
    Viewport& View() { return viewing_.View(); }
    const Viewport& View() const { return viewing_.View(); }
    Viewport& View(std::size_t view) { return viewing_.Panes().Pane(view); }
    const Viewport& View(std::size_t view) const { return viewing_.Panes().Pane(view); }
    const ViewPanes& Panes() const { return viewing_.Panes(); }
    // The room of both views, in pixels.
    void ResizeView(double width, double height) { viewing_.Panes().Resize(width, height); }
    // The window's font size and the scale of its screen, for the views' texts and marks.
    void SetViewStyle(const ViewStyle& style) { viewing_.Panes().SetStyle(style); }
    // Whether `at` lies on the bar between the views, where the pointer shows that it moves.
    bool OnSplitBar(ScreenPoint at) const { return Panes().Layout().splitBar.Contains(at); }
    // Where `spot` of view `view`'s picture stands in the room of the views.
    ScreenPoint ToScreen(std::size_t view, Spot spot) const { return Panes().ToRoom(view, spot); }

    // The hover text of what lies under `cursor`, or empty.
    std::string HoverText(ScreenPoint cursor, const TextMeasure& measure = {}) const {
        return viewing_.HoverText(cursor, measure);
    }
    // Paints the views as they stand, and the band being drawn.
    void Paint(Canvas& canvas) const;

    // Save, Save as... and Save picture..., as the file actions do them; true when written.
    bool Save(Host& host);
    bool SaveAs(Host& host);
    void SavePicture(Host& host, Drawer& drawer) const;
    // Whether the unsaved edits may go, as asked by the file actions; what a Save wrote is
    // left for TakeSaved.
    bool MayLetGo(Host& host);

  private:
    struct Drag {
        ScreenPoint from;
        std::optional<int> point;  // none: the view is panned
        std::size_t view = 0;      // the view pressed
        bool split = false;        // the bar between the views is moved
        Point origin;
        double scale = 1;              // screen pixels per coordinate unit when the drag began
        std::vector<MovePoint> group;  // where each of several points dragged began
        std::optional<Band> band;      // a band being drawn
        Selection before;              // what was selected when the band began
        bool moved = false;            // the mouse moved since the press: not a click
        bool clicksEmpty = false;      // pressed on an empty place
    };

    // Follows a change of the document or of the selection.
    void Refresh();
    bool Took(Saved saved);
    void PressPoint(int number, std::size_t view);
    void MoveGroup(double along, double up);
    void DrawBandTo(ScreenPoint at);
    bool AddPointOnDeck(Spot spot);

    GraphEditing editing_;
    GraphViewing viewing_;
    std::optional<Drag> drag_;
    std::optional<ScreenPoint> cursor_;  // where the mouse was last over the view
    std::optional<std::string> saved_;
};

// The width of texts as `drawer` measures them, for the hit test.
TextMeasure MeasureWith(Drawer& drawer);

}  // namespace walkconv::app
