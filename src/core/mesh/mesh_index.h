#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/mesh/triangle_mesh.h"

// A placed model with a bounding-volume hierarchy over its triangles, which answers the two
// questions the checks and the windows ask of it in microseconds: which surfaces lie above and
// below a place of the deck plan, and whether a straight segment runs through the model.
namespace walkconv {

// The height at which the upright line through (x, z) meets `triangle`, its edges included;
// none when it misses it, or when the triangle stands upright (a wall has no height to stand
// on).
std::optional<double> HeightAt(const Triangle& triangle, double x, double z);

// Where the segment from `from` to `to` crosses `triangle`, as a fraction 0..1 of the way;
// none when it misses it or runs within its plane.
std::optional<double> Crossing(const Triangle& triangle, const Vec3& from, const Vec3& to);

class MeshIndex {
  public:
    // Takes the model's triangles, which it reorders for the hierarchy.
    explicit MeshIndex(TriangleMesh mesh);

    const TriangleMesh& Mesh() const { return mesh_; }

    // The smallest box that holds every triangle; both corners 0 for a model without any.
    const Vec3& Low() const { return low_; }
    const Vec3& High() const { return high_; }

    // The heights at which the upright line through (x, z) meets the model, lowest first, each
    // once (where triangles meet at an edge, or two surfaces lie at one height).
    std::vector<double> SurfacesUnder(double x, double z) const;

    // The nearest `from` of the crossings of the segment with the model, as a fraction 0..1 of
    // the way to `to`; none when the segment crosses no triangle.
    std::optional<double> FirstCrossing(const Vec3& from, const Vec3& to) const;

  private:
    struct Node {
        Vec3 low;
        Vec3 high;
        std::uint32_t first = 0;  // leaf: its first triangle; inner: its second child
        std::uint32_t count = 0;  // leaf: its triangles; inner: 0 (the first child follows it)
    };

    // Thrice the centre of each triangle, one array per axis.
    using Centres = std::array<std::vector<float>, 3>;

    void Build(std::vector<std::uint32_t>& order, const Centres& centres, std::uint32_t first,
               std::uint32_t count, int depth);

    TriangleMesh mesh_;
    std::vector<Node> nodes_;
    Vec3 low_;
    Vec3 high_;
};

}  // namespace walkconv
