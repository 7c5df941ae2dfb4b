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

bool PointAt(const GraphDrawing& drawing, const DrawnPoint& point, Spot spot) {
    const double reach =
        drawing.dotRadius + (point.mark == PointMark::HollowRing ? kHollowWidth / 2 : 0);
    return std::any_of(point.at.begin(), point.at.end(),
                       [&](Spot centre) { return Distance(spot, centre) <= reach; });
}

bool LinkAt(const GraphDrawing& drawing, const DrawnLink& link, Spot spot,
            const TextMeasure& measure) {
    switch (link.mark) {
        case LinkMark::Line:
        case LinkMark::Stub:
            for (std::size_t view = 0; view < kViewCount; ++view) {
                if (DistanceToSegment(spot, link.from[view], link.to[view]) <=
                    std::max(kLinkWidth, kLinkHitWidth) / 2) {
                    return true;
                }
            }
            return false;
        case LinkMark::Ring:
            return std::any_of(link.from.begin(), link.from.end(), [&](Spot centre) {
                return Distance(spot, centre) <= drawing.ringRadius + kLinkWidth / 2;
            });
        case LinkMark::Listed:
            return Inside(ListedBox(link, measure), spot);
    }
    return false;
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
    // Listed links are written after everything else, then points lie above links.
    for (auto link = drawing.links.rbegin(); link != drawing.links.rend(); ++link) {
        if (link->mark == LinkMark::Listed && LinkAt(drawing, *link, spot, measure)) {
            return Hit{Hit::Kind::Link, link->number};
        }
    }
    for (auto point = drawing.points.rbegin(); point != drawing.points.rend(); ++point) {
        if (PointAt(drawing, *point, spot)) {
            return Hit{Hit::Kind::Point, point->number};
        }
    }
    for (auto link = drawing.links.rbegin(); link != drawing.links.rend(); ++link) {
        if (link->mark != LinkMark::Listed && LinkAt(drawing, *link, spot, measure)) {
            return Hit{Hit::Kind::Link, link->number};
        }
    }
    return std::nullopt;
}

std::string HoverText(const GraphDrawing& drawing, Spot spot, const TextMeasure& measure) {
    const std::optional<Hit> hit = HitTest(drawing, spot, measure);
    if (!hit) {
        return {};
    }
    const auto number = static_cast<std::size_t>(hit->number);
    if (hit->kind == Hit::Kind::Point) {
        return number < drawing.points.size() ? drawing.points[number].title : std::string();
    }
    return number < drawing.links.size() ? drawing.links[number].title : std::string();
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

}  // namespace walkconv::app
