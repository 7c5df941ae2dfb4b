#include "core/editing/mirror.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

namespace walkconv {

namespace {

bool Near(const Point& a, const Point& b) {
    return std::abs(a.x - b.x) <= kCentreLineReach && std::abs(a.y - b.y) <= kCentreLineReach &&
           std::abs(a.z - b.z) <= kCentreLineReach && a.type == b.type;
}

// The number of a point of `document` at `image`'s place, or -1.
int PointAt(const GraphDocument& document, const Point& image) {
    for (std::size_t i = 0; i < document.points.size(); ++i) {
        if (Near(document.points[i], image)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::pair<int, int> Pair(int a, int b) {
    return {std::min(a, b), std::max(a, b)};
}

}  // namespace

MirrorPlan PlanMirror(const GraphDocument& document, std::span<const int> points) {
    const int count = static_cast<int>(document.points.size());
    std::set<int> mirrored;
    for (const int point : points) {
        if (point >= 0 && point < count) {
            mirrored.insert(point);
        }
    }
    MirrorPlan plan;
    std::map<int, int> imageOf;
    std::vector<Point> added;
    for (const int number : mirrored) {
        const Point& point = document.points[static_cast<std::size_t>(number)];
        Point image = point;
        image.x = -point.x;
        int at = std::abs(point.x) <= kCentreLineReach ? number : PointAt(document, image);
        // Two points close together share one new image.
        for (std::size_t i = 0; at < 0 && i < added.size(); ++i) {
            if (Near(added[i], image)) {
                at = count + static_cast<int>(i);
            }
        }
        if (at < 0) {
            at = count + static_cast<int>(added.size());
            added.push_back(image);
            plan.edit.steps.emplace_back(AddPoint{image});
        }
        imageOf[number] = at;
    }
    std::set<std::pair<int, int>> joined;
    for (const DocumentLink& link : document.links) {
        joined.insert(Pair(link.ends.from, link.ends.to));
    }
    for (const DocumentLink& link : document.links) {
        const auto from = imageOf.find(link.ends.from);
        const auto to = imageOf.find(link.ends.to);
        if (from == imageOf.end() || to == imageOf.end()) {
            continue;
        }
        // Two ends that share an image give no link: it would join a point to itself.
        const bool collapsed = from->second == to->second && link.ends.from != link.ends.to;
        if (!collapsed && joined.insert(Pair(from->second, to->second)).second) {
            plan.edit.steps.emplace_back(AddLink{from->second, to->second});
        }
    }
    for (const auto& [point, image] : imageOf) {
        plan.images.push_back(image);
    }
    std::sort(plan.images.begin(), plan.images.end());
    plan.images.erase(std::unique(plan.images.begin(), plan.images.end()), plan.images.end());
    return plan;
}

}  // namespace walkconv
