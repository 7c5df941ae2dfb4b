#include "core/findings/deck_checks.h"

#include <cmath>
#include <vector>

namespace walkconv {

namespace {

// Distances compared as a person reads them: 1.95 lies 0.05 under 2, although the doubles'
// difference is a hair more.
constexpr double kSlack = 1e-9;

}  // namespace

Footing FootingOf(const MeshIndex& mesh, const Point& point, const DeckDistances& distances) {
    const std::vector<double> heights = mesh.SurfacesUnder(point.x, point.z);
    std::optional<double> below;  // the highest surface at or under the point
    std::optional<double> above;  // the lowest surface over it
    for (const double height : heights) {
        if (height <= point.y) {
            below = height;
        } else if (!above) {
            above = height;
        }
    }
    if (above && *above - point.y <= distances.reach + kSlack) {
        if (*above - point.y > distances.sink + kSlack) {
            return {Footing::Kind::Sunk, above};
        }
        return {Footing::Kind::OnDeck, above};
    }
    if (below && point.y - *below <= distances.reach + kSlack) {
        return {Footing::Kind::OnDeck, below};
    }
    if (below) {
        return {Footing::Kind::Floats, below};
    }
    return {Footing::Kind::NoSurface, above};
}

std::optional<double> DistanceToModel(const MeshIndex& mesh, const Point& from, const Point& to,
                                      double clearance) {
    const Vec3 way{to.x - from.x, to.y - from.y, to.z - from.z};
    const double length = std::sqrt(way.x * way.x + way.y * way.y + way.z * way.z);
    if (!std::isfinite(length) || !(length > 2 * clearance)) {
        return std::nullopt;
    }
    const double start = clearance / length;
    const double end = 1 - start;
    const auto at = [&](double t) {
        return Vec3{from.x + t * way.x, from.y + t * way.y, from.z + t * way.z};
    };
    const std::optional<double> t = mesh.FirstCrossing(at(start), at(end));
    if (!t) {
        return std::nullopt;
    }
    return clearance + *t * (length - 2 * clearance);
}

std::optional<double> NearestDeck(const MeshIndex& mesh, const Point& point) {
    std::optional<double> nearest;
    for (const double height : mesh.SurfacesUnder(point.x, point.z)) {
        if (!nearest || std::fabs(height - point.y) < std::fabs(*nearest - point.y)) {
            nearest = height;
        }
    }
    return nearest;
}

}  // namespace walkconv
