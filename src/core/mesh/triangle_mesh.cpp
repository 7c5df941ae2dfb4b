#include "core/mesh/triangle_mesh.h"

#include <cmath>
#include <limits>

namespace walkconv {

namespace {

bool FitsFloat(double value) {
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

}  // namespace

Vec3 PlaceCorner(const Vec3& corner, const MeshPlacement& placement) {
    const Vec3 turned = placement.up == UpAxis::Y ? corner : Vec3{corner.x, corner.z, -corner.y};
    return {turned.x * placement.scale + placement.offset.x,
            turned.y * placement.scale + placement.offset.y,
            turned.z * placement.scale + placement.offset.z};
}

void PlaceMesh(MeshReading& reading, const MeshPlacement& placement, const std::string& name) {
    if (!reading.mesh) {
        return;
    }
    std::vector<Triangle>& triangles = reading.mesh->triangles;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        for (MeshCorner& corner : triangles[i].corners) {
            const Vec3 placed = PlaceCorner(corner.ToVec3(), placement);
            if (!FitsFloat(placed.x) || !FitsFloat(placed.y) || !FitsFloat(placed.z)) {
                reading.mesh.reset();
                reading.message = name + ": triangle " + std::to_string(i + 1) +
                                  " has a corner beyond the numbers a model may hold";
                return;
            }
            corner = {static_cast<float>(placed.x), static_cast<float>(placed.y),
                      static_cast<float>(placed.z)};
        }
    }
}

std::string TooManyTrianglesMessage(const std::string& where) {
    return where + ": the model has more than " + std::to_string(kMostTriangles) + " triangles";
}

}  // namespace walkconv
