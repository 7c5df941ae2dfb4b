#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "app/hit_test.h"
#include "app/view_layout.h"
#include "app/viewport.h"
#include "core/drawing/graph_drawing.h"

// The two views of the graph window, each with its own zoom and pan over the frame of its view
// in the drawing: where they stand in the window, how the split between them moves, and "Same
// scale", which keeps one zoom and one horizontal place in both, so that a point's top image
// stands straight above its side image.
namespace walkconv::app {

// How the views draw their texts and marks, in pixels: the window's font size, and the scale
// of the marks (1 at 96 DPI), which the front-end takes from its screen.
struct ViewStyle {
    double fontPixels = 12;
    double markScale = 1;

    friend bool operator==(const ViewStyle&, const ViewStyle&) = default;
};

class ViewPanes {
  public:
    ViewPanes();

    // The room of both views and the bar between them, in pixels.
    void Resize(double width, double height);
    const ViewLayout& Layout() const { return layout_; }
    double Split() const { return split_; }
    // Moves the bar's middle to `y` (in the room's pixels), within the least heights.
    void MoveSplitTo(double y);

    bool SameScale() const { return sameScale_; }
    void SetSameScale(bool on);

    const ViewStyle& Style() const { return style_; }
    void SetStyle(const ViewStyle& style);

    // The frames of `drawing`'s views as the areas shown: fitted views are fitted again, the
    // others stay where they are.
    void Show(const GraphDrawing& drawing);
    // Fits both views (at one zoom with Same scale), or the one given (both with Same scale).
    void FitAll();
    void Fit(std::size_t view);

    Viewport& Pane(std::size_t view) { return panes_[view]; }
    const Viewport& Pane(std::size_t view) const { return panes_[view]; }

    // The wheel turned over `view`, at `cursor` in the room's pixels.
    void ZoomAt(std::size_t view, ScreenPoint cursor, int eighths);
    // `view` dragged by `dx`, `dy` pixels; with Same scale the other follows sideways.
    void PanBy(std::size_t view, double dx, double dy);
    // Pans each view as little as needed to show its area (empty: that view stays).
    void EnsureVisible(const std::array<PictureRect, kViewCount>& areas);

    // The view under `point` of the room, if any.
    std::optional<std::size_t> ViewAt(ScreenPoint point) const;
    // A place of the room in the pixels of `view`, and back; a spot of the picture in the room.
    ScreenPoint InView(std::size_t view, ScreenPoint point) const;
    ScreenPoint ToRoom(std::size_t view, ScreenPoint point) const;
    ScreenPoint ToRoom(std::size_t view, Spot spot) const;
    Spot ToPicture(std::size_t view, ScreenPoint point) const;

    // How far the marks of `view` reach at its zoom, in picture units, for the hit test.
    MarkReach Reach(std::size_t view) const;
    // The room around each view's frame for the texts drawn at its edges.
    FitMargins Margins() const;

  private:
    void AlignOther(std::size_t leader);

    std::array<Viewport, kViewCount> panes_;
    std::array<PictureRect, kViewCount> areas_;
    ViewLayout layout_;
    double width_ = 0;
    double height_ = 0;
    double split_ = kFirstSplit;
    bool sameScale_ = true;
    ViewStyle style_;
};

// The radius of a dot and the width of a link's line in the views, in pixels.
double DotPixels(const GraphDrawing& drawing, const ViewStyle& style);
double LinkPixels(const ViewStyle& style);

}  // namespace walkconv::app
