// Any bytes read as a Wavefront OBJ model: the reader gives triangles or a message, never both
// and never neither, and the hierarchy over what it gives answers both of its questions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/mesh/mesh_index.h"
#include "core/mesh/obj_reader.h"
#include "mesh_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace walkconv;
    MeshReading reading =
        ReadObjMesh(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.obj");
    fuzz::CheckMeshReading(reading, "fuzz.obj");
    return 0;
}
