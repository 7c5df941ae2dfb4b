#include "app/view_layout.h"

#include <algorithm>

namespace walkconv::app {

ViewLayout LayOutViews(double width, double height, double split) {
    width = std::max(width, 0.0);
    height = std::max(height, 0.0);
    const double room = std::max(height - kSplitBarHeight, 0.0);
    // Too low for both least heights: the views share what there is.
    const double least = std::min(kLeastViewHeight, room / 2);
    const double top = std::clamp(room * std::clamp(split, 0.0, 1.0), least, room - least);
    ViewLayout layout;
    layout.views[kTopView] = {0, 0, width, top};
    layout.splitBar = {0, top, width, std::min(kSplitBarHeight, height)};
    layout.views[kSideView] = {0, top + layout.splitBar.height, width, room - top};
    return layout;
}

double SplitAt(double y, double height) {
    const double room = height - kSplitBarHeight;
    if (room <= 0) {
        return kFirstSplit;
    }
    return std::clamp((y - kSplitBarHeight / 2) / room, 0.0, 1.0);
}

std::optional<std::size_t> ViewAt(const ViewLayout& layout, ScreenPoint point) {
    for (std::size_t view = 0; view < kViewCount; ++view) {
        if (layout.views[view].Contains(point)) {
            return view;
        }
    }
    return std::nullopt;
}

}  // namespace walkconv::app
