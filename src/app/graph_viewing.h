#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/graph_content.h"
#include "app/graph_editing.h"
#include "app/graph_painting.h"
#include "app/hit_test.h"
#include "app/view_painting.h"
#include "app/view_panes.h"
#include "app/viewport.h"

// What the graph window shows of the graph it edits and how, apart from the graph itself: the
// findings list and the finding selected, the highlight, the two views with their zoom and pan,
// and what lies under the mouse. None of it is an edit: the undo history never holds it.
namespace walkconv::app {

class GraphViewing {
  public:
    // Follows the editing after any change: a new content gets its rows and loses the finding
    // selected, and the picture keeps its place; the selection is drawn.
    void Follow(const GraphEditing& editing);
    // The picture of the content followed, fitted into the views.
    void FitPicture();

    const GraphContent* Content() const { return shown_.get(); }
    // The findings list; without findings, one row that cannot be selected.
    const std::vector<std::string>& Rows() const { return rows_; }
    bool RowsSelectable() const;

    // Selects a finding's row (-1 for none): its points and link are highlighted and brought
    // into view.
    void SelectFinding(int row, const TextMeasure& measure = {});
    int SelectedFinding() const { return selectedFinding_; }
    const Highlight& Highlighted() const { return highlight_; }
    // Scrolls point `point` into both views, where it lies outside.
    void KeepInView(int point);

    ViewPanes& Panes() { return panes_; }
    const ViewPanes& Panes() const { return panes_; }
    // The top view's place and zoom.
    Viewport& View() { return panes_.Pane(kTopView); }
    const Viewport& View() const { return panes_.Pane(kTopView); }

    // What lies under `cursor`, a place of the views in pixels: the item, and the hover text.
    std::optional<Hit> HitAt(ScreenPoint cursor, const TextMeasure& measure = {}) const;
    std::string HoverText(ScreenPoint cursor, const TextMeasure& measure = {}) const;

    // The point being dragged, if any: it and its links are painted over what stands still.
    void SetMoving(std::optional<int> point) { moving_ = point; }

    // Paints the views as they stand.
    void Paint(Canvas& canvas) const;

  private:
    std::shared_ptr<const GraphContent> shown_;  // the content that the rows and highlight are of
    std::vector<std::string> rows_;
    int selectedFinding_ = -1;
    Highlight highlight_;
    ViewPanes panes_;
    std::optional<int> moving_;
    mutable ViewLayers layers_;  // what the canvas keeps between paints is no state of the view
};

}  // namespace walkconv::app
