#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/graph_painting.h"
#include "core/drawing/graph_drawing.h"

// What lies under a place of the picture: the point or link whose mark is there, as the mouse
// finds it. Points lie above links, and a later item above an earlier one.
namespace walkconv::app {

struct Hit {
    enum class Kind { Point, Link };

    Kind kind = Kind::Point;
    int number = 0;

    friend bool operator==(const Hit&, const Hit&) = default;
};

// The band around a link's line in which the mouse finds it, in picture units.
inline constexpr double kLinkHitWidth = 5;

// The width of a text in a font, for the links listed as text below the views; without one,
// an estimate from the number of characters is taken.
using TextMeasure = std::function<double(std::string_view text, const FontSpec& font)>;

// The topmost point or link at `spot` of `drawing`, if any.
std::optional<Hit> HitTest(const GraphDrawing& drawing, Spot spot, const TextMeasure& measure = {});

// The hover text of what lies at `spot`: its title, or empty.
std::string HoverText(const GraphDrawing& drawing, Spot spot, const TextMeasure& measure = {});

// The scale of one of the window's views, whose marks (dots, rings, stubs, the band around a
// line) keep their size in pixels whatever the zoom: picture units per pixel, and the marks'
// own scale (1 at 96 DPI).
struct MarkReach {
    double unitsPerPixel = 1;
    double markScale = 1;
};

// The topmost point or link whose mark in view `view` (kTopView or kSideView) lies at `spot`,
// if any; listed links are not in the views.
std::optional<Hit> HitTestView(const GraphDrawing& drawing, std::size_t view, Spot spot,
                               const MarkReach& marks);
std::string HoverTextView(const GraphDrawing& drawing, std::size_t view, Spot spot,
                          const MarkReach& marks);

// The area that the points and links of `highlight` take in view `view`, for bringing them
// into it; empty for none.
PictureRect AreaInView(const GraphDrawing& drawing, const Highlight& highlight, std::size_t view);

// The area the items of `highlight` cover, for bringing them into view; empty for none.
PictureRect AreaOf(const GraphDrawing& drawing, const Highlight& highlight,
                   const TextMeasure& measure = {});

}  // namespace walkconv::app
