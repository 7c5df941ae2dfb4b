// Any bytes read as a glTF model (JSON, or binary when they begin with "glTF"), with no file
// beside it: the reader gives triangles or a message, never both and never neither, and the
// hierarchy over what it gives answers both of its questions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/mesh/gltf_reader.h"
#include "mesh_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace walkconv;
    MeshReading reading =
        ReadGltfMesh(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.gltf",
                     [](const std::string&) { return std::optional<std::string>(); });
    fuzz::CheckMeshReading(reading, "fuzz.gltf");
    return 0;
}
