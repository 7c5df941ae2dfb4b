#include "app/point_band.h"

#include <algorithm>
#include <cmath>

namespace walkconv::app {

PictureRect Band::Rect() const {
    return {std::min(from.x, to.x), std::min(from.y, to.y), std::abs(to.x - from.x),
            std::abs(to.y - from.y)};
}

std::size_t ViewOf(const GraphDrawing& drawing, Spot spot) {
    std::size_t nearest = kTopView;
    double least = INFINITY;
    for (std::size_t view = 0; view < kViewCount; ++view) {
        const ViewFrame& frame = drawing.views[view];
        // How far the spot lies outside the frame, along each axis; 0 inside.
        const double dx =
            std::max({frame.topLeft.x - spot.x, 0.0, spot.x - frame.topLeft.x - frame.width});
        const double dy =
            std::max({frame.topLeft.y - spot.y, 0.0, spot.y - frame.topLeft.y - frame.height});
        const double distance = std::hypot(dx, dy);
        if (distance < least) {
            least = distance;
            nearest = view;
        }
    }
    return nearest;
}

std::vector<int> PointsWithin(const GraphDrawing& drawing, std::size_t view, Spot a, Spot b) {
    const double left = std::min(a.x, b.x);
    const double right = std::max(a.x, b.x);
    const double top = std::min(a.y, b.y);
    const double bottom = std::max(a.y, b.y);
    std::vector<int> inside;
    for (const DrawnPoint& point : drawing.points) {
        const Spot& at = point.at[view];
        if (at.x >= left && at.x <= right && at.y >= top && at.y <= bottom) {
            inside.push_back(point.number);
        }
    }
    std::sort(inside.begin(), inside.end());
    return inside;
}

}  // namespace walkconv::app
