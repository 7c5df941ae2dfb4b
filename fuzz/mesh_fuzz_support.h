#pragma once

// What the fuzz targets of the model readers check of every reading.
#include <cmath>
#include <string>

#include "core/mesh/mesh_index.h"
#include "core/mesh/triangle_mesh.h"
#include "fuzz_support.h"

namespace walkconv::fuzz {

inline void CheckMeshReading(MeshReading& reading, const std::string& name) {
    Require(reading.mesh.has_value() != !reading.message.empty(),
            "a reading gives triangles or a message");
    Require(reading.message.empty() || reading.message.starts_with(name + ":"),
            "a message begins with the model's name");
    PlaceMesh(reading, {UpAxis::Z, 2, {1, 2, 3}}, name);
    if (!reading.mesh) {
        return;
    }
    Require(reading.mesh->triangles.size() <= kMostTriangles, "at most the most triangles");
    const MeshIndex index(std::move(*reading.mesh));
    const Vec3 middle{(index.Low().x + index.High().x) / 2, (index.Low().y + index.High().y) / 2,
                      (index.Low().z + index.High().z) / 2};
    for (const double height : index.SurfacesUnder(middle.x, middle.z)) {
        Require(std::isfinite(height), "every surface has a finite height");
    }
    const std::optional<double> t = index.FirstCrossing(index.Low(), index.High());
    Require(!t || (*t >= 0 && *t <= 1), "a crossing lies on the segment");
}

}  // namespace walkconv::fuzz
