#pragma once

// Where windows go on the screen, in screen pixels.
namespace walkconv::app {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPosition {
    int x = 0;
    int y = 0;

    friend bool operator==(const ScreenPosition&, const ScreenPosition&) = default;
};

// The top left corner of a window of `width` by `height` (its frame) placed beside the window
// `anchor` (its frame): to its right where `screen` has room, else to its left, else as far
// right as the screen allows; at the anchor's height, moved up as far as the screen's bottom
// asks.
ScreenPosition PlaceBeside(const ScreenRect& anchor, int width, int height,
                           const ScreenRect& screen);

// The top left corner of a window of `width` by `height` centred on `screen`.
ScreenPosition CentreOn(const ScreenRect& screen, int width, int height);

}  // namespace walkconv::app
