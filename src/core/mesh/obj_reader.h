#pragma once

#include <string>
#include <string_view>

#include "core/mesh/triangle_mesh.h"

// Wavefront OBJ models: the faces, each cut into triangles; normals, texture places, groups and
// materials are read past.
namespace walkconv {

// The triangles of the OBJ text `text`, in the model's own coordinates. A face that names a
// vertex the file does not hold, or a model beyond kMostTriangles, gives a message located at
// the line, `name` first: "ship.obj:123: face refers to vertex 9000 of 8000".
MeshReading ReadObjMesh(std::string_view text, const std::string& name);

}  // namespace walkconv
