#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/graph_content.h"
#include "app/graph_painting.h"
#include "app/hit_test.h"
#include "app/host.h"
#include "app/viewport.h"

// The behaviour of the graph window: which graph it shows and how (its title, the findings
// list and the finding selected there, the viewport), what the mouse finds, and saving the
// picture. The front-end forwards the events and paints through PaintView.
namespace walkconv::app {

// Encodes the picture as PNG for SavePicture: the front-end paints with `paint` into an image
// of the given size (white, then the picture) and returns the file's bytes, or nothing when it
// cannot, with `why` set.
class PngEncoder {
  public:
    virtual ~PngEncoder() = default;
    virtual std::optional<std::string> EncodePng(int width, int height,
                                                 const std::function<void(Canvas&)>& paint,
                                                 std::string& why) = 0;
};

class GraphWindowBehaviour {
  public:
    // The key under which the graph windows remember the folder of their last picture.
    static constexpr std::string_view kWindowKind = "GraphWindow";

    // Shows `content`, fitted in, with no finding selected; the content already shown is left
    // as it is, zoom and selection with it.
    void Show(std::shared_ptr<const GraphContent> content);
    const GraphContent* Content() const { return content_.get(); }

    std::string Title() const;  // "<model> - graph"
    // The findings list; without findings, one row that cannot be selected.
    const std::vector<std::string>& Rows() const { return rows_; }
    bool RowsSelectable() const;

    // Selects a finding's row (-1 for none): its points and link are highlighted and brought
    // into view.
    void SelectFinding(int row, const TextMeasure& measure = {});
    int SelectedFinding() const { return selected_; }
    const Highlight& Highlighted() const { return highlight_; }

    // The view's events, in pixels of the view.
    Viewport& View() { return viewport_; }
    const Viewport& View() const { return viewport_; }
    void ResizeView(double width, double height) { viewport_.Resize(width, height); }
    void Wheel(ScreenPoint cursor, int eighths) { viewport_.ZoomAt(cursor, eighths); }
    void Drag(double dx, double dy) { viewport_.PanBy(dx, dy); }
    void DoubleClick() { viewport_.Fit(); }

    // The hover text of what lies under `cursor`, or empty.
    std::string HoverText(ScreenPoint cursor, const TextMeasure& measure = {}) const;

    // Paints the view as it stands.
    void Paint(Canvas& canvas) const;

    // "Save picture...": asks for a name, proposing "<model>_graph.png", and writes the picture
    // as SVG for a name ending in ".svg" (any case), else as PNG of `width` by `height` pixels
    // with the whole picture fitted in and no highlight. A failure is told in a message box.
    void SavePicture(Host& host, PngEncoder& png, int width, int height) const;

  private:
    std::shared_ptr<const GraphContent> content_;
    std::vector<std::string> rows_;
    int selected_ = -1;
    Highlight highlight_;
    Viewport viewport_;
};

}  // namespace walkconv::app
