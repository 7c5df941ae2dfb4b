#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/graph_command.h"
#include "app/graph_content.h"
#include "app/ship_model.h"
#include "core/editing/graph_document.h"
#include "core/editing/graph_edit.h"
#include "core/editing/repairs.h"

// Editing the walking graph of one file: its document, the undo history, the selection and the
// panel that shows it, and what the findings offer to repair. Every edit is one step of the
// history; the selection is none. After every change the findings and the drawing are made
// again.
namespace walkconv::app {

// What is selected: nothing, one point, one link, or several points (two or more).
struct Selection {
    enum class Kind { None, Point, Link, Points };

    Kind kind = Kind::None;
    int number = 0;
    std::vector<int> points;  // of Kind::Points, ascending

    static Selection Point(int number) { return {Kind::Point, number, {}}; }
    static Selection Link(int number) { return {Kind::Link, number, {}}; }
    // The points `numbers`, in any order and perhaps repeated: several, one or none.
    static Selection Points(std::vector<int> numbers);
    // The points selected: the one, the several, or none.
    std::vector<int> PointNumbers() const;
    bool HasPoint(int number) const;
    friend bool operator==(const Selection&, const Selection&) = default;
};

// The panel beside the views: the selected point's number and its fields in the written form
// ("-0.861877", "1.5", "0"), or the selected link's number and ends.
struct PanelView {
    std::string number;  // the point number field
    std::string x;
    std::string y;
    std::string z;
    std::string type;  // in the codes of the file
    std::string linkTo;
    // "point 12", "link 45: points 2 and 9", "12 points selected" or "nothing selected"
    std::string selection;
    bool pointFields = false;  // X, Y, Z, Type and Link to take input (a point is selected)
    bool several = false;      // several points: only the fields for all of them take input

    friend bool operator==(const PanelView&, const PanelView&) = default;
};

enum class PanelField { Number, X, Y, Z, Type, LinkTo };

// A field of the panel: the command of its control (Enter in it), the field, its text in the
// panel's view, whether it takes input only while a point is selected, and whether it also
// does for several points, for all of them at once.
struct PanelFieldSpec {
    GraphCommand command;
    PanelField field;
    std::string PanelView::*text;
    bool pointOnly;
    bool forSeveral;
};
std::span<const PanelFieldSpec> PanelFields();
// The field whose control runs `command`, or none.
const PanelFieldSpec* PanelFieldOf(GraphCommand command);

class GraphEditing {
  public:
    // A document as read from the file at `path`: no history, nothing selected, saved; with
    // the ship's model `model` names, or without one the model beside the file, if there is
    // one (the status says why one cannot be read).
    void Open(GraphDocument document, std::string path,
              std::optional<ModelChoice> model = std::nullopt);
    // The same file read again after a save (perhaps under a new name): history and selection
    // stay when it holds the graph being edited (true); else as Open.
    bool Reopen(GraphDocument document, std::string path);
    void Close();

    bool HasDocument() const { return document_.has_value(); }
    // The ship's model the findings and the drawing are made with, or none.
    const MeshIndex* Model() const { return model_.get(); }
    // The model file and placement shown; the file is empty when none is.
    const ModelChoice& ModelChosen() const { return modelChoice_; }
    // Shows the model `choice` names (or none) from now on, the findings and the drawing made
    // again; a view setting, not a step of the history. When it cannot be read, the model
    // shown stays and the message returned says why; empty when it was taken.
    std::string UseModel(const ModelChoice& choice);
    const GraphDocument& Document() const { return *document_; }
    const std::string& Path() const { return path_; }
    // The findings and the drawing of the document as it stands; none without a document.
    const std::shared_ptr<const GraphContent>& Content() const { return content_; }
    bool Unsaved() const { return document_ && state_ != savedState_; }
    // The document as it stands is what its file holds now.
    void MarkSaved(std::string path);
    // Whether the links with a negative end were fixed, so that a save removes them from the
    // file's text too.
    bool RemovesNegativeEnds() const { return removesNegativeEnds_; }

    // The line under the views: why an edit was refused, or a note.
    const std::string& Status() const { return status_; }
    void SetStatus(std::string status) { status_ = std::move(status); }

    // Applies `edit` as one step; refused, it changes nothing and the status says why.
    bool Apply(const Edit& edit);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    void Undo();
    void Redo();

    const Selection& Selected() const { return selection_; }
    void Select(Selection selection);
    const PanelView& Panel() const { return panel_; }

    // Appends a point at the selected point's place and type (at 0, 0, 0 and of type 0 when no
    // point is selected) and selects it.
    void AddPoint();
    // Moves the selected point onto the surface under it nearest to its height, as one step;
    // without a model, a point or a surface there, the status says why not.
    void DropSelectedToDeck();
    // Appends a point at (x, z) on the highest surface there, of the selected point's type (0
    // when none is selected), and selects it; false, changing nothing, without a surface there.
    bool AddPointOnDeck(double x, double z);
    // Removes the selected points with their links, or the selected link, as one step.
    void RemoveSelected();
    // Selects every point.
    void SelectAll();
    // Adds point `number` to the selection, or takes it out when it is in it.
    void ToggleSelected(int number);
    // Moves the selected points by dx, dy, dz as one step.
    void MoveSelectedBy(double dx, double dy, double dz);
    // Adds the mirror images across x = 0 of the selected points and of the links among them
    // as one step, and selects the images.
    void MirrorSelected();
    // Selects point `number`; false, with the status saying so, when there is none.
    bool GoTo(int number);
    // Appends a link from the selected point to point `to` and selects it.
    void LinkSelectedTo(int to);
    // A value typed into a field of the panel, then Enter.
    void EnterField(PanelField field, std::string_view text);

    // The repair of the finding in row `row` of the findings, if it has one.
    const Repair* RepairOf(int row) const;
    bool HasRepairs() const { return !repairs_.empty(); }
    void Fix(int row);
    // Every repair at once, as one step.
    void FixAll();

    // A drag of point `point`: it moves while dragged, and the whole drag is one step.
    void BeginMove(int point);
    void MoveTo(double x, double y, double z);
    // A drag of several points: each goes where `moves` puts it; the whole drag is one step.
    void BeginMove(const std::vector<int>& points);
    void MoveAll(const std::vector<MovePoint>& moves);
    void EndMove();
    std::optional<int> Moving() const { return moving_; }

    // The history as values, for the journal: the edits that undo the steps done (the oldest
    // first), those that redo the steps undone (the next one last), and after how many steps
    // from the oldest the document is what its file holds (none when no state of the history
    // is). A drag in progress is not in it.
    struct History {
        std::vector<Edit> undo;
        std::vector<Edit> redo;
        std::optional<std::size_t> saved;
    };
    History HistoryOf() const;
    // Which state of the document this is: every change, undo and redo makes another one.
    int StateId() const { return state_; }

  private:
    struct Step {
        Edit edit;            // what undoes or redoes it
        int state;            // the state it leads to
        Selection selection;  // the selection it leads back to
    };

    // Applies without touching the history; the edit that undoes it, or none when refused.
    std::optional<Edit> Change(const Edit& edit);
    void Record(Edit undo, Selection before);
    // Applies `edit` as one step and selects `after`.
    bool ApplyAndSelect(const Edit& edit, Selection after);
    void Refresh();
    void RefreshPanel();
    // A value typed into field X, Y, Z or Type with several points selected.
    void EnterForSeveral(PanelField field, std::string_view text);

    std::optional<GraphDocument> document_;
    std::shared_ptr<const MeshIndex> model_;
    ModelChoice modelChoice_;
    std::string path_;
    std::shared_ptr<const GraphContent> content_;
    std::vector<Repair> repairs_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    int state_ = 0;  // which state of the document this is; each change makes a new one
    int nextState_ = 1;
    int savedState_ = 0;
    bool removesNegativeEnds_ = false;
    Selection selection_;
    PanelView panel_;
    std::string status_;
    std::optional<int> moving_;
    std::vector<MovePoint> moveOrigins_;  // of every point dragged
};

}  // namespace walkconv::app
