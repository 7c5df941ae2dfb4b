#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/graph_content.h"
#include "app/graph_editing.h"
#include "app/graph_keys.h"
#include "app/graph_painting.h"
#include "app/hit_test.h"
#include "app/host.h"
#include "app/viewport.h"

// The behaviour of the graph window, an editor of the walking graph: the graph it shows and
// how (its title, the findings list, the viewport, the selection), what the mouse and the keys
// do to it, and saving the graph and its picture. The front-end forwards the events, shows
// the panel and the lists, and paints through Paint.
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
    // The key under which the graph windows remember the folder of their last file.
    static constexpr std::string_view kWindowKind = "GraphWindow";
    // Dragged coordinates are rounded to this.
    static constexpr double kDragStep = 0.001;

    // The graph of the file at `path`, fitted in, nothing selected, no history.
    void Open(GraphDocument document, std::string path);
    // The same file read again after it was saved: the view and the editing go on.
    void Reopen(GraphDocument document, std::string path);
    void Close();

    GraphEditing& Editing() { return editing_; }
    const GraphEditing& Editing() const { return editing_; }
    const GraphContent* Content() const { return editing_.Content().get(); }

    std::string Title() const;  // "<model> - graph", "<model>* - graph" with unsaved edits
    // The findings list; without findings, one row that cannot be selected.
    const std::vector<std::string>& Rows() const { return rows_; }
    bool RowsSelectable() const;

    // Selects a finding's row (-1 for none): its points and link are highlighted and brought
    // into view.
    void SelectFinding(int row, const TextMeasure& measure = {});
    int SelectedFinding() const { return selectedFinding_; }
    const Highlight& Highlighted() const { return highlight_; }
    // "Fix" repairs the selected finding; "Fix all" every finding that has a repair, in one step.
    bool CanFix() const { return editing_.RepairOf(selectedFinding_) != nullptr; }
    bool CanFixAll() const { return editing_.HasRepairs(); }
    void Fix();
    void FixAll();

    // The panel and the keys: commands on the document, kept in view.
    void EnterField(PanelField field, std::string_view text);
    void AddPoint();
    void Remove();
    void Undo();
    void Redo();

    // The mouse in the view, in its pixels. A press on a point selects it and starts its drag
    // (the point moves by the pointer's displacement, x and z in the top view, y and z in the
    // side view); with Ctrl, and a point selected, it links that point to the one pressed. A
    // press on a link selects it; elsewhere it selects nothing and starts panning.
    void Press(ScreenPoint at, bool ctrl, const TextMeasure& measure = {});
    void Move(ScreenPoint at);
    void Release();
    bool Dragging() const { return drag_.has_value(); }
    void Wheel(ScreenPoint cursor, int eighths) { viewport_.ZoomAt(cursor, eighths); }
    void DoubleClick() { viewport_.Fit(); }
    Viewport& View() { return viewport_; }
    const Viewport& View() const { return viewport_; }
    void ResizeView(double width, double height) { viewport_.Resize(width, height); }

    // The hover text of what lies under `cursor`, or empty.
    std::string HoverText(ScreenPoint cursor, const TextMeasure& measure = {}) const;

    // Paints the view as it stands.
    void Paint(Canvas& canvas) const;

    // Save: the graph over the file it came from, in that file's kind and codes. Save as...:
    // either kind, by the name's ending or else the file type chosen, types mapped as Convert!
    // maps them; a file of the graph's own kind becomes the graph's file. A failure is told in
    // a message box and leaves the old file whole. True when written.
    bool Save(Host& host);
    bool SaveAs(Host& host);
    // Called with the graph's file after it was written, for the converter to read it again.
    std::function<void(const std::string& path, Host& host)> onSaved;

    // "Save picture...": asks for a name, proposing "<model>_graph.png", and writes the picture
    // as SVG for a name ending in ".svg" (any case), else as PNG of `width` by `height` pixels
    // with the whole picture fitted in, without highlight or selection. A failure is told in a
    // message box.
    void SavePicture(Host& host, PngEncoder& png, int width, int height) const;

    // Whether the unsaved edits may go, asking "Save changes to the walking graph of MODEL?"
    // when there are any: Save saves them, Discard takes the graph back to its file, Cancel
    // keeps them (false).
    bool MayLetGo(Host& host);

  private:
    struct Drag {
        ScreenPoint from;
        std::optional<int> point;  // none: the view is panned
        std::size_t view = 0;      // of the point
        Point origin;
        double scale = 1;  // screen pixels per coordinate unit when the drag began
    };

    // Follows a change of the document or of the selection: a new content gets its rows and
    // loses the finding selected; the selection is drawn.
    void Refresh();
    void KeepInView(int point);
    bool Write(Host& host, const std::string& path, InputKind kind, const std::string& model);

    GraphEditing editing_;
    const GraphContent* shown_ = nullptr;  // the content that the rows and highlight are of
    std::vector<std::string> rows_;
    int selectedFinding_ = -1;
    Highlight highlight_;
    Viewport viewport_;
    std::optional<Drag> drag_;
};

}  // namespace walkconv::app
