#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/graph_content.h"
#include "app/graph_editing.h"
#include "app/graph_painting.h"
#include "app/hit_test.h"
#include "app/viewport.h"

// What the graph window shows of the graph it edits and how, apart from the graph itself: the
// findings list and the finding selected, the highlight, the viewport, and what lies under the
// mouse. None of it is an edit: the undo history never holds it.
namespace walkconv::app {

class GraphViewing {
  public:
    // Follows the editing after any change: a new content gets its rows and loses the finding
    // selected, and the picture keeps its place; the selection is drawn.
    void Follow(const GraphEditing& editing);
    // The picture of the content followed, fitted into the view.
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
    // Scrolls point `point` into view, if it lies outside.
    void KeepInView(int point);

    Viewport& View() { return viewport_; }
    const Viewport& View() const { return viewport_; }

    // What lies under `cursor`, a place of the view in pixels: the item, and the hover text.
    std::optional<Hit> HitAt(ScreenPoint cursor, const TextMeasure& measure = {}) const;
    std::string HoverText(ScreenPoint cursor, const TextMeasure& measure = {}) const;

    // Paints the view as it stands.
    void Paint(Canvas& canvas) const;

  private:
    std::shared_ptr<const GraphContent> shown_;  // the content that the rows and highlight are of
    std::vector<std::string> rows_;
    int selectedFinding_ = -1;
    Highlight highlight_;
    Viewport viewport_;
};

}  // namespace walkconv::app
