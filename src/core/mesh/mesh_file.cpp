#include "core/mesh/mesh_file.h"

#include <string>

#include "core/conversion_error.h"
#include "core/mesh/gltf_reader.h"
#include "core/mesh/obj_reader.h"
#include "core/text.h"
#include "core/text_file.h"

namespace walkconv {

namespace {

std::string Ending(const std::filesystem::path& path) {
    return ToUpperAscii(Utf8FromPath(path.extension()));
}

}  // namespace

bool IsModelFileName(const std::filesystem::path& path) {
    const std::string ending = Ending(path);
    return ending == ".OBJ" || ending == ".GLTF" || ending == ".GLB";
}

MeshReading LoadMesh(const std::filesystem::path& path, const MeshPlacement& placement) {
    const std::string name = Utf8FromPath(path);
    MeshReading reading;
    std::string bytes;
    try {
        bytes = ReadTextFile(path);
    } catch (const ConversionError& error) {
        reading.message = name + ": " + error.what();
        return reading;
    }
    if (Ending(path) == ".OBJ") {
        reading = ReadObjMesh(bytes, name);
    } else {
        const std::filesystem::path folder = path.parent_path();
        reading =
            ReadGltfMesh(bytes, name, [&](const std::string& uri) -> std::optional<std::string> {
                const std::filesystem::path file = folder / PathFromUtf8(uri);
                if (!IsRegularFile(file)) {
                    return std::nullopt;
                }
                try {
                    return ReadTextFile(file);
                } catch (const ConversionError&) {
                    return std::nullopt;
                }
            });
    }
    PlaceMesh(reading, placement, name);
    return reading;
}

}  // namespace walkconv
