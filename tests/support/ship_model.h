#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/mesh/triangle_mesh.h"

// The project's own sample ship as a model, and writers of OBJ and glTF texts for the tests of
// the model readers, the checks against a model and the pictures.
namespace walkconv::testing {

struct Box {
    Vec3 low;
    Vec3 high;
};

// The sample ship in the graph's coordinates: a hull from keel (y 0) to main deck (y 2), 6
// across and 20 long; a quarterdeck on it from z 15 to the stern, its deck at y 3; and a mast
// standing on the main deck at z 10, up to y 12.
inline const std::vector<Box>& SampleShipBoxes() {
    static const std::vector<Box> boxes{
        {{-3, 0, 0}, {3, 2, 20}},
        {{-3, 2, 15}, {3, 3, 20}},
        {{-0.25, 2, 9.75}, {0.25, 12, 10.25}},
    };
    return boxes;
}

// The corners of a box, numbered by bits: 1 high x, 2 high y, 4 high z.
inline std::array<Vec3, 8> BoxCorners(const Box& box) {
    std::array<Vec3, 8> corners;
    for (int i = 0; i < 8; ++i) {
        corners[static_cast<std::size_t>(i)] = {(i & 1) ? box.high.x : box.low.x,
                                                (i & 2) ? box.high.y : box.low.y,
                                                (i & 4) ? box.high.z : box.low.z};
    }
    return corners;
}

// The six sides of a box as quads of corner numbers.
inline constexpr std::array<std::array<int, 4>, 6> kBoxSides{{
    {0, 1, 3, 2},
    {4, 6, 7, 5},  // z low, z high
    {0, 2, 6, 4},
    {1, 5, 7, 3},  // x low, x high
    {0, 4, 5, 1},
    {2, 3, 7, 6},  // y low, y high
}};

inline TriangleMesh MeshOfBoxes(const std::vector<Box>& boxes) {
    TriangleMesh mesh;
    const auto corner = [](const Vec3& v) {
        return MeshCorner{static_cast<float>(v.x), static_cast<float>(v.y),
                          static_cast<float>(v.z)};
    };
    for (const Box& box : boxes) {
        const std::array<Vec3, 8> c = BoxCorners(box);
        for (const auto& side : kBoxSides) {
            const auto at = [&](int i) {
                return corner(c[static_cast<std::size_t>(side[static_cast<std::size_t>(i)])]);
            };
            mesh.triangles.push_back({{at(0), at(1), at(2)}});
            mesh.triangles.push_back({{at(0), at(2), at(3)}});
        }
    }
    return mesh;
}

inline TriangleMesh SampleShip() {
    return MeshOfBoxes(SampleShipBoxes());
}

inline std::string Decimal(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

// The boxes as an OBJ text with one quad per side, `lineEnd` after every line.
inline std::string ObjOfBoxes(const std::vector<Box>& boxes, const std::string& lineEnd = "\n") {
    std::string text = "# sample ship" + lineEnd + "o ship" + lineEnd;
    int first = 1;
    for (const Box& box : boxes) {
        for (const Vec3& v : BoxCorners(box)) {
            text += "v " + Decimal(v.x) + " " + Decimal(v.y) + " " + Decimal(v.z) + lineEnd;
        }
        for (const auto& side : kBoxSides) {
            text += "f";
            for (const int i : side) {
                text += " " + std::to_string(first + i);
            }
            text += lineEnd;
        }
        first += 8;
    }
    return text;
}

// A glTF model: its JSON and its one binary buffer, positions then 32-bit indices.
struct GltfModel {
    std::string json;
    std::string buffer;
};

inline void AppendBytes(std::string& to, const void* from, std::size_t size) {
    to.append(static_cast<const char*>(from), size);
}

// `mesh` as one mesh of one primitive, placed by one node with `nodeFields` (as `"translation":
// [0,1,0]`, or empty), its buffer named `uri` (or, when empty, the binary chunk of a .glb).
inline GltfModel GltfOfMesh(const TriangleMesh& mesh, const std::string& nodeFields = {},
                            const std::string& uri = "ship.bin") {
    GltfModel model;
    for (const Triangle& triangle : mesh.triangles) {
        for (const MeshCorner& corner : triangle.corners) {
            AppendBytes(model.buffer, &corner, sizeof corner);
        }
    }
    const std::size_t positionBytes = model.buffer.size();
    const auto vertices = static_cast<std::uint32_t>(mesh.triangles.size() * 3);
    for (std::uint32_t i = 0; i < vertices; ++i) {
        AppendBytes(model.buffer, &i, sizeof i);
    }
    const std::string count = std::to_string(vertices);
    model.json =
        "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
        "\"nodes\":[{\"mesh\":0" +
        (nodeFields.empty() ? "" : "," + nodeFields) +
        "}],"
        "\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0},\"indices\":1}]}],"
        "\"accessors\":[{\"bufferView\":0,\"componentType\":5126,\"count\":" +
        count + ",\"type\":\"VEC3\"},{\"bufferView\":1,\"componentType\":5125,\"count\":" + count +
        ",\"type\":\"SCALAR\"}],"
        "\"bufferViews\":[{\"buffer\":0,\"byteLength\":" +
        std::to_string(positionBytes) +
        "},{\"buffer\":0,\"byteOffset\":" + std::to_string(positionBytes) +
        ",\"byteLength\":" + std::to_string(model.buffer.size() - positionBytes) +
        "}],\"buffers\":[{" + (uri.empty() ? "" : "\"uri\":\"" + uri + "\",") +
        "\"byteLength\":" + std::to_string(model.buffer.size()) + "}]}";
    return model;
}

// The model as one .glb file: header, JSON chunk, binary chunk.
inline std::string GlbOf(const GltfModel& model) {
    std::string json = model.json;
    json.append((4 - json.size() % 4) % 4, ' ');
    std::string buffer = model.buffer;
    buffer.append((4 - buffer.size() % 4) % 4, '\0');
    std::string glb = "glTF";
    const auto word = [&](std::uint32_t value) { AppendBytes(glb, &value, sizeof value); };
    word(2);
    word(static_cast<std::uint32_t>(12 + 8 + json.size() + 8 + buffer.size()));
    word(static_cast<std::uint32_t>(json.size()));
    glb += "JSON";
    glb += json;
    word(static_cast<std::uint32_t>(buffer.size()));
    glb.append("BIN\0", 4);
    glb += buffer;
    return glb;
}

}  // namespace walkconv::testing
