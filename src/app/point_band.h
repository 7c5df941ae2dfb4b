#pragma once

#include <cstddef>
#include <vector>

#include "app/viewport.h"
#include "core/drawing/graph_drawing.h"

// The band the mouse draws with Shift to select the points inside it, and which view of the
// picture a place belongs to.
namespace walkconv::app {

// The band between the place the drag began and where the mouse is now, in the view's pixels.
struct Band {
    ScreenPoint from;
    ScreenPoint to;

    // As a rectangle of the view's pixels, whichever way it was drawn.
    PictureRect Rect() const;
    friend bool operator==(const Band&, const Band&) = default;
};

// The view (kTopView, kSideView) whose frame holds `spot` of the picture, else the nearest one.
std::size_t ViewOf(const GraphDrawing& drawing, Spot spot);

// The points whose dot in `view` lies between the corners `a` and `b` of the picture, ascending.
std::vector<int> PointsWithin(const GraphDrawing& drawing, std::size_t view, Spot a, Spot b);

}  // namespace walkconv::app
