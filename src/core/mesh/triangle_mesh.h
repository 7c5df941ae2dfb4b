#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A ship's 3D model as the walking graph sees it: nothing but triangles, and where they stand in
// the graph's coordinates (x across, y up, z along).
namespace walkconv {

// A model may hold this many triangles at most; a reader refuses a larger one with a message.
inline constexpr std::size_t kMostTriangles = 5'000'000;

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;

    friend bool operator==(const Vec3&, const Vec3&) = default;
};

// Corners in single precision, which holds a ship to well under a millimetre and halves the
// memory of a large model.
struct MeshCorner {
    float x = 0;
    float y = 0;
    float z = 0;

    Vec3 ToVec3() const { return {x, y, z}; }
    friend bool operator==(const MeshCorner&, const MeshCorner&) = default;
};

struct Triangle {
    std::array<MeshCorner, 3> corners;

    friend bool operator==(const Triangle&, const Triangle&) = default;
};

struct TriangleMesh {
    std::vector<Triangle> triangles;
};

// Which of the model's axes points up.
enum class UpAxis { Y, Z };

// How a model's coordinates become the graph's: the model is turned so that its up axis is y
// (a Z-up model (x, y, z) becomes (x, z, -y), turned, not mirrored), then multiplied by `scale`
// and moved by `offset`.
struct MeshPlacement {
    UpAxis up = UpAxis::Y;
    double scale = 1;
    Vec3 offset;

    friend bool operator==(const MeshPlacement&, const MeshPlacement&) = default;
};

// `corner` of the model in the graph's coordinates.
Vec3 PlaceCorner(const Vec3& corner, const MeshPlacement& placement);

// What reading a model came to: the triangles, or a message that names the file and, where
// one is known, the line ("ship.obj:123: face refers to vertex 9000 of 8000").
struct MeshReading {
    std::optional<TriangleMesh> mesh;
    std::string message;
};

// Places every corner of `reading`'s mesh; a corner that does not come out as a finite number
// in single precision turns the reading into a message, as it could not be drawn or measured.
void PlaceMesh(MeshReading& reading, const MeshPlacement& placement, const std::string& name);

// "NAME: the model has more than 5000000 triangles", the message of every reader.
std::string TooManyTrianglesMessage(const std::string& where);

}  // namespace walkconv
