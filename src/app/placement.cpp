#include "app/placement.h"

#include <algorithm>

namespace walkconv::app {

ScreenPosition PlaceBeside(const ScreenRect& anchor, int width, int height,
                           const ScreenRect& screen) {
    constexpr int kGap = 8;
    const int screenRight = screen.left + screen.width;
    const int lowestTop = std::max(screen.top, screen.top + screen.height - height);
    const int top = std::clamp(anchor.top, screen.top, lowestTop);
    const int right = anchor.left + anchor.width + kGap;
    if (right + width <= screenRight) {
        return {right, top};
    }
    const int left = anchor.left - kGap - width;
    if (left >= screen.left) {
        return {left, top};
    }
    return {std::max(screen.left, screenRight - width), top};
}

ScreenPosition CentreOn(const ScreenRect& screen, int width, int height) {
    return {screen.left + (screen.width - width) / 2, screen.top + (screen.height - height) / 2};
}

}  // namespace walkconv::app
