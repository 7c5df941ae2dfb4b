#include "app/hit_test.h"

#include <algorithm>
#include <cmath>

namespace walkconv::app {

namespace {

double Distance(Spot a, Spot b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The distance from `spot` to the segment from `a` to `b`.
double DistanceToSegment(Spot spot, Spot a, Spot b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0) {
        return Distance(spot, a);
    }
    const double t = std::clamp(((spot.x - a.x) * dx + (spot.y - a.y) * dy) / length2, 0.0, 1.0);
    return Distance(spot, {a.x + t * dx, a.y + t * dy});
}

double MeasureText(const TextMeasure& measure, std::string_view text, const FontSpec& font) {
    if (measure) {
        return measure(text, font);
    }
    return 0.6 * font.pixelSize * static_cast<double>(text.size());
}

// The box of a listed link's line of text.
PictureRect ListedBox(const DrawnLink& link, const TextMeasure& measure) {
    const FontSpec font = FontFor(TextRole::Listing);
    return {link.listedAt.x, link.listedAt.y - font.pixelSize,
            MeasureText(measure, link.title, font), font.pixelSize * 1.3};
}

bool Inside(const PictureRect& box, Spot spot) {
    return spot.x >= box.left && spot.x <= box.left + box.width && spot.y >= box.top &&
           spot.y <= box.top + box.height;
}

// How far the marks reach from their centres and lines, and the views looked in.
struct Reach {
    double dot = 0;         // of a dot
    double ringRadius = 0;  // of a self-link's ring
    double ring = 0;        // of a self-link's ring, beyond its radius
    double line = 0;        // of a link's line
    double stub = 1;        // how much longer a stub is than the drawing has it
    std::size_t firstView = 0;
    std::size_t endView = kViewCount;
};

Reach PictureReach(const GraphDrawing& drawing) {
    return {drawing.dotRadius, drawing.ringRadius, kLinkWidth / 2,
            std::max(kLinkWidth, kLinkHitWidth) / 2};
}

bool PointAt(const DrawnPoint& point, Spot spot, const Reach& reach) {
    const double extra = point.mark == PointMark::HollowRing ? kHollowWidth / 2 : 0;
    for (std::size_t view = reach.firstView; view < reach.endView; ++view) {
        if (Distance(spot, point.at[view]) <= reach.dot + extra) {
            return true;
        }
    }
    return false;
}

bool LinkAt(const DrawnLink& link, Spot spot, const Reach& reach, const TextMeasure& measure) {
    switch (link.mark) {
        case LinkMark::Line:
        case LinkMark::Stub:
            for (std::size_t view = reach.firstView; view < reach.endView; ++view) {
                const Spot from = link.from[view];
                Spot to = link.to[view];
                if (link.mark == LinkMark::Stub) {
                    to = {from.x + (to.x - from.x) * reach.stub,
                          from.y + (to.y - from.y) * reach.stub};
                }
                if (DistanceToSegment(spot, from, to) <= reach.line) {
                    return true;
                }
            }
            return false;
        case LinkMark::Ring:
            for (std::size_t view = reach.firstView; view < reach.endView; ++view) {
                if (Distance(spot, link.from[view]) <= reach.ringRadius + reach.ring) {
                    return true;
                }
            }
            return false;
        case LinkMark::Listed:
            return reach.endView - reach.firstView == kViewCount &&
                   Inside(ListedBox(link, measure), spot);
    }
    return false;
}

std::optional<Hit> HitWithin(const GraphDrawing& drawing, Spot spot, const Reach& reach,
                             const TextMeasure& measure) {
    // Listed links are written after everything else, then points lie above links.
    for (auto link = drawing.links.rbegin(); link != drawing.links.rend(); ++link) {
        if (link->mark == LinkMark::Listed && LinkAt(*link, spot, reach, measure)) {
            return Hit{Hit::Kind::Link, link->number};
        }
    }
    for (auto point = drawing.points.rbegin(); point != drawing.points.rend(); ++point) {
        if (PointAt(*point, spot, reach)) {
            return Hit{Hit::Kind::Point, point->number};
        }
    }
    for (auto link = drawing.links.rbegin(); link != drawing.links.rend(); ++link) {
        if (link->mark != LinkMark::Listed && LinkAt(*link, spot, reach, measure)) {
            return Hit{Hit::Kind::Link, link->number};
        }
    }
    return std::nullopt;
}

std::string TitleOf(const GraphDrawing& drawing, const std::optional<Hit>& hit) {
    if (!hit) {
        return {};
    }
    const auto number = static_cast<std::size_t>(hit->number);
    if (hit->kind == Hit::Kind::Point) {
        return number < drawing.points.size() ? drawing.points[number].title : std::string();
    }
    return number < drawing.links.size() ? drawing.links[number].title : std::string();
}

void Include(PictureRect& area, const PictureRect& box) {
    if (area.Empty()) {
        area = box;
        return;
    }
    const double right = std::max(area.left + area.width, box.left + box.width);
    const double bottom = std::max(area.top + area.height, box.top + box.height);
    area.left = std::min(area.left, box.left);
    area.top = std::min(area.top, box.top);
    area.width = right - area.left;
    area.height = bottom - area.top;
}

PictureRect Around(Spot centre, double reach) {
    return {centre.x - reach, centre.y - reach, 2 * reach, 2 * reach};
}

}  // namespace

std::optional<Hit> HitTest(const GraphDrawing& drawing, Spot spot, const TextMeasure& measure) {
    return HitWithin(drawing, spot, PictureReach(drawing), measure);
}

std::string HoverText(const GraphDrawing& drawing, Spot spot, const TextMeasure& measure) {
    return TitleOf(drawing, HitTest(drawing, spot, measure));
}

std::optional<Hit> HitTestView(const GraphDrawing& drawing, std::size_t view, Spot spot,
                               const MarkReach& marks) {
    if (view >= kViewCount) {
        return std::nullopt;
    }
    // In pixels: a dot is found a pixel beyond its edge, a line within a few pixels of it.
    const double pixel = marks.unitsPerPixel * marks.markScale;
    const double line = kLinkHitWidth / 2 * pixel;
    const Reach reach{(drawing.dotRadius + 1) * pixel,
                      drawing.ringRadius * pixel,
                      line,
                      line,
                      pixel,
                      view,
                      view + 1};
    return HitWithin(drawing, spot, reach, {});
}

std::string HoverTextView(const GraphDrawing& drawing, std::size_t view, Spot spot,
                          const MarkReach& marks) {
    return TitleOf(drawing, HitTestView(drawing, view, spot, marks));
}

PictureRect AreaOf(const GraphDrawing& drawing, const Highlight& highlight,
                   const TextMeasure& measure) {
    PictureRect area;
    for (const int number : highlight.points) {
        if (number < 0 || static_cast<std::size_t>(number) >= drawing.points.size()) {
            continue;
        }
        for (const Spot& centre : drawing.points[static_cast<std::size_t>(number)].at) {
            Include(area, Around(centre, drawing.dotRadius + kHaloReach));
        }
    }
    for (const int number : highlight.links) {
        if (number < 0 || static_cast<std::size_t>(number) >= drawing.links.size()) {
            continue;
        }
        const DrawnLink& link = drawing.links[static_cast<std::size_t>(number)];
        for (std::size_t view = 0; view < kViewCount; ++view) {
            if (link.mark == LinkMark::Listed) {
                Include(area, ListedBox(link, measure));
                break;
            }
            const double reach = link.mark == LinkMark::Ring ? drawing.ringRadius : 0;
            Include(area, Around(link.from[view], reach + kHaloReach));
            Include(area, Around(link.to[view], reach + kHaloReach));
        }
    }
    return area;
}

PictureRect AreaInView(const GraphDrawing& drawing, const Highlight& highlight, std::size_t view) {
    PictureRect area;
    if (view >= kViewCount) {
        return area;
    }
    // A point's box of no size still counts: a rectangle one unit wide around the centres.
    const auto include = [&](Spot spot) { Include(area, Around(spot, 0.5)); };
    for (const int number : highlight.points) {
        if (number >= 0 && static_cast<std::size_t>(number) < drawing.points.size()) {
            include(drawing.points[static_cast<std::size_t>(number)].at[view]);
        }
    }
    for (const int number : highlight.links) {
        if (number >= 0 && static_cast<std::size_t>(number) < drawing.links.size()) {
            const DrawnLink& link = drawing.links[static_cast<std::size_t>(number)];
            if (link.mark != LinkMark::Listed) {
                include(link.from[view]);
                include(link.to[view]);
            }
        }
    }
    return area;
}

}  // namespace walkconv::app
