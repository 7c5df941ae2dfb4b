#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "app/viewport.h"
#include "core/drawing/picture_basics.h"

// How the graph window shares the room beside its side column between its two views: the top
// view above, the side view below, and between them a bar the user drags to move the split.
// The layout is a value of the room's size and the split, so that the behaviour and the tests
// know where each view stands without a window.
namespace walkconv::app {

// A rectangle of the window's views, in pixels from their top left corner.
struct ViewRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool Contains(ScreenPoint point) const {
        return point.x >= left && point.x < left + width && point.y >= top &&
               point.y < top + height;
    }
    friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

struct ViewLayout {
    std::array<ViewRect, kViewCount> views;  // indexed by kTopView and kSideView
    ViewRect splitBar;

    friend bool operator==(const ViewLayout&, const ViewLayout&) = default;
};

// The height of the bar between the views, and the least height a view keeps when the bar is
// dragged towards an edge (unless the room is too low for both), in pixels.
inline constexpr double kSplitBarHeight = 6;
inline constexpr double kLeastViewHeight = 60;
// The share of the views' height that the top view takes at first.
inline constexpr double kFirstSplit = 0.5;

// The views in a room of `width` by `height` pixels, the top view taking the share `split`
// (0..1) of the height that the bar leaves, within the least heights.
ViewLayout LayOutViews(double width, double height, double split);

// The split that puts the middle of the bar at `y` in a room `height` pixels high, within
// 0..1 (the least heights are kept by LayOutViews).
double SplitAt(double y, double height);

// The view that holds `point`, or none (on the bar, or outside the room).
std::optional<std::size_t> ViewAt(const ViewLayout& layout, ScreenPoint point);

}  // namespace walkconv::app
