#include "core/mesh/mesh_index.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace walkconv {

namespace {

constexpr std::uint32_t kLeafSize = 4;

// Below this depth nodes split at the middle of their spread, deeper at the median, so that no
// model makes the tree deeper than kMostMiddleSplits + log2(kMostTriangles), well within the
// queries' stack of kStackSize.
constexpr int kMostMiddleSplits = 32;
constexpr std::size_t kStackSize = 64;

Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

double Component(const Vec3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

void Widen(Vec3& low, Vec3& high, const Vec3& p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
}

// A box grown by a hair, so that rounding in the box tests never prunes a triangle that the
// exact test of that triangle would find.
void Pad(Vec3& low, Vec3& high) {
    const double reach = 1e-7 * std::max({high.x - low.x, high.y - low.y, high.z - low.z, 1.0});
    low = {low.x - reach, low.y - reach, low.z - reach};
    high = {high.x + reach, high.y + reach, high.z + reach};
}

// The part [enter, leave] of the segment from + t * way, t in 0..1, within the box; false when
// none of it is.
bool SegmentMeetsBox(const Vec3& from, const Vec3& way, const Vec3& low, const Vec3& high,
                     double until) {
    double enter = 0;
    double leave = until;
    for (int axis = 0; axis < 3; ++axis) {
        const double o = Component(from, axis);
        const double d = Component(way, axis);
        const double lo = Component(low, axis);
        const double hi = Component(high, axis);
        if (d == 0) {
            if (o < lo || o > hi) {
                return false;
            }
            continue;
        }
        double t0 = (lo - o) / d;
        double t1 = (hi - o) / d;
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        if (enter > leave) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<double> HeightAt(const Triangle& triangle, double x, double z) {
    const Vec3 a = triangle.corners[0].ToVec3();
    const Vec3 b = triangle.corners[1].ToVec3();
    const Vec3 c = triangle.corners[2].ToVec3();
    const double area = (b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z);
    const double size = std::max(
        {std::fabs(b.x - a.x), std::fabs(c.x - a.x), std::fabs(b.z - a.z), std::fabs(c.z - a.z)});
    if (std::fabs(area) <= 1e-9 * size * size) {
        return std::nullopt;  // upright, or a sliver that could give any height
    }
    const double wa = ((b.x - x) * (c.z - z) - (c.x - x) * (b.z - z)) / area;
    const double wb = ((c.x - x) * (a.z - z) - (a.x - x) * (c.z - z)) / area;
    const double wc = 1 - wa - wb;
    constexpr double kEdge = -1e-12;
    if (wa < kEdge || wb < kEdge || wc < kEdge) {
        return std::nullopt;
    }
    return wa * a.y + wb * b.y + wc * c.y;
}

std::optional<double> Crossing(const Triangle& triangle, const Vec3& from, const Vec3& to) {
    const Vec3 a = triangle.corners[0].ToVec3();
    const Vec3 edge1 = Minus(triangle.corners[1].ToVec3(), a);
    const Vec3 edge2 = Minus(triangle.corners[2].ToVec3(), a);
    const Vec3 way = Minus(to, from);
    const Vec3 p = Cross(way, edge2);
    const double det = Dot(edge1, p);
    const double scale = std::sqrt(Dot(edge1, edge1) * Dot(edge2, edge2) * Dot(way, way));
    if (!(std::fabs(det) > 1e-12 * scale)) {
        return std::nullopt;  // parallel to the triangle's plane, or a triangle without area
    }
    const Vec3 s = Minus(from, a);
    const double u = Dot(s, p) / det;
    if (u < 0 || u > 1) {
        return std::nullopt;
    }
    const Vec3 q = Cross(s, edge1);
    const double v = Dot(way, q) / det;
    if (v < 0 || u + v > 1) {
        return std::nullopt;
    }
    const double t = Dot(edge2, q) / det;
    if (t < 0 || t > 1) {
        return std::nullopt;
    }
    return t;
}

MeshIndex::MeshIndex(TriangleMesh mesh) : mesh_(std::move(mesh)) {
    const auto count = static_cast<std::uint32_t>(mesh_.triangles.size());
    if (count == 0) {
        return;
    }
    Centres centres;
    for (std::vector<float>& axis : centres) {
        axis.resize(count);
    }
    std::vector<std::uint32_t> order(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto& c = mesh_.triangles[i].corners;
        // Thrice the centre: the same order, one division less.
        centres[0][i] = c[0].x + c[1].x + c[2].x;
        centres[1][i] = c[0].y + c[1].y + c[2].y;
        centres[2][i] = c[0].z + c[1].z + c[2].z;
        order[i] = i;
    }
    nodes_.reserve(2 * (count / kLeafSize + 1));
    Build(order, centres, 0, count, 0);
    std::vector<Triangle> sorted(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        sorted[i] = mesh_.triangles[order[i]];
    }
    mesh_.triangles = std::move(sorted);
    constexpr double kHuge = std::numeric_limits<double>::max();
    low_ = {kHuge, kHuge, kHuge};
    high_ = {-kHuge, -kHuge, -kHuge};
    for (const Triangle& triangle : mesh_.triangles) {
        for (const MeshCorner& corner : triangle.corners) {
            Widen(low_, high_, corner.ToVec3());
        }
    }
}

void MeshIndex::Build(std::vector<std::uint32_t>& order, const Centres& centres,
                      std::uint32_t first, std::uint32_t count, int depth) {
    const std::size_t at = nodes_.size();
    nodes_.emplace_back();
    constexpr double kHuge = std::numeric_limits<double>::max();
    Vec3 low{kHuge, kHuge, kHuge};
    Vec3 high{-kHuge, -kHuge, -kHuge};
    Vec3 centreLow = low;
    Vec3 centreHigh = high;
    for (std::uint32_t i = first; i < first + count; ++i) {
        for (const MeshCorner& corner : mesh_.triangles[order[i]].corners) {
            Widen(low, high, corner.ToVec3());
        }
        Widen(centreLow, centreHigh,
              {centres[0][order[i]], centres[1][order[i]], centres[2][order[i]]});
    }
    Pad(low, high);
    nodes_[at].low = low;
    nodes_[at].high = high;
    const Vec3 spread = Minus(centreHigh, centreLow);
    const int axis = spread.x >= spread.y && spread.x >= spread.z ? 0
                     : spread.y >= spread.z                       ? 1
                                                                  : 2;
    if (count <= kLeafSize || Component(spread, axis) <= 0) {
        nodes_[at].first = first;
        nodes_[at].count = count;
        return;
    }
    // Split at the middle of the centres' spread, which one pass finds; at the median when
    // that leaves one side empty.
    const std::vector<float>& key = centres[static_cast<std::size_t>(axis)];
    const double middle = (Component(centreLow, axis) + Component(centreHigh, axis)) / 2;
    const auto begin = order.begin() + first;
    const auto end = begin + count;
    auto split = depth < kMostMiddleSplits
                     ? std::partition(begin, end, [&](std::uint32_t t) { return key[t] < middle; })
                     : begin;
    if (split == begin || split == end) {
        split = begin + count / 2;
        std::nth_element(begin, split, end,
                         [&](std::uint32_t a, std::uint32_t b) { return key[a] < key[b]; });
    }
    const auto half = static_cast<std::uint32_t>(split - begin);
    Build(order, centres, first, half, depth + 1);
    nodes_[at].first = static_cast<std::uint32_t>(nodes_.size());
    Build(order, centres, first + half, count - half, depth + 1);
}

std::vector<double> MeshIndex::SurfacesUnder(double x, double z) const {
    std::vector<double> heights;
    if (nodes_.empty() || !std::isfinite(x) || !std::isfinite(z)) {
        return heights;
    }
    std::array<std::uint32_t, kStackSize> stack{};
    std::size_t depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const Node& node = nodes_[stack[--depth]];
        if (x < node.low.x || x > node.high.x || z < node.low.z || z > node.high.z) {
            continue;
        }
        if (node.count > 0) {
            for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
                if (const std::optional<double> height = HeightAt(mesh_.triangles[i], x, z)) {
                    heights.push_back(*height);
                }
            }
            continue;
        }
        stack[depth++] = static_cast<std::uint32_t>(&node - nodes_.data()) + 1;
        stack[depth++] = node.first;
    }
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    return heights;
}

std::optional<double> MeshIndex::FirstCrossing(const Vec3& from, const Vec3& to) const {
    std::optional<double> nearest;
    if (nodes_.empty()) {
        return nearest;
    }
    const Vec3 way = Minus(to, from);
    std::array<std::uint32_t, kStackSize> stack{};
    std::size_t depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const Node& node = nodes_[stack[--depth]];
        if (!SegmentMeetsBox(from, way, node.low, node.high, nearest.value_or(1))) {
            continue;
        }
        if (node.count > 0) {
            for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
                const std::optional<double> t = Crossing(mesh_.triangles[i], from, to);
                if (t && (!nearest || *t < *nearest)) {
                    nearest = t;
                }
            }
            continue;
        }
        stack[depth++] = static_cast<std::uint32_t>(&node - nodes_.data()) + 1;
        stack[depth++] = node.first;
    }
    return nearest;
}

}  // namespace walkconv
