#pragma once

#include <filesystem>

#include "core/mesh/triangle_mesh.h"

// Reading a ship's model from its file: the reader chosen by the file's ending.
namespace walkconv {

// The model at `path` in the graph's coordinates: ".obj" is read as Wavefront OBJ, ".gltf" and
// ".glb" (in any case) and every other ending as glTF, its buffers looked up beside it. A file
// that cannot be read gives "PATH: cannot open the file for reading"; every message begins with the
// path.
MeshReading LoadMesh(const std::filesystem::path& path, const MeshPlacement& placement);

// True for the endings of the model files LoadMesh reads: ".obj", ".gltf", ".glb".
bool IsModelFileName(const std::filesystem::path& path);

}  // namespace walkconv
