#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/mesh/triangle_mesh.h"

// glTF 2.0 models, as JSON (.gltf, its buffers in files beside it or in data URIs) or binary
// (.glb): the triangles of every mesh that the scene's nodes place, each node's transform
// applied; images and materials are not read.
namespace walkconv {

// The bytes of a file that a model refers to by its relative URI, or none when there is none.
using ModelFileFetch = std::function<std::optional<std::string>(const std::string& uri)>;

// The triangles of the glTF document `bytes` (JSON, or binary when it begins with "glTF") in
// the model's own coordinates. A document that breaks the format, or whose indices or accessors
// reach beyond their data, gives a message beginning with `name`: "ship.glb: mesh 0, primitive
// 1: index 12 refers to vertex 9000 of 8000".
MeshReading ReadGltfMesh(std::string_view bytes, const std::string& name,
                         const ModelFileFetch& fetch);

}  // namespace walkconv
