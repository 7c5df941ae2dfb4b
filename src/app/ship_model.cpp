#include "app/ship_model.h"

#include <array>
#include <string_view>

#include "core/file_names.h"
#include "core/mesh/mesh_file.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

// The model name a graph file was proposed under, read back from its file name.
std::string ProposedModelName(const std::filesystem::path& graphFile) {
    const std::string name = Utf8FromPath(graphFile.filename());
    for (const std::string_view suffix : {kWalkSourceSuffix, kSailorpointsSuffix}) {
        if (EndsWith(name, suffix)) {
            return name.substr(0, name.size() - suffix.size());
        }
    }
    return Utf8FromPath(graphFile.stem());
}

}  // namespace

std::optional<std::filesystem::path> ModelBeside(const std::filesystem::path& graphFile) {
    const std::string model = ProposedModelName(graphFile);
    if (model.empty()) {
        return std::nullopt;
    }
    for (const char* ending : {".obj", ".gltf", ".glb"}) {
        const std::filesystem::path candidate =
            graphFile.parent_path() / PathFromUtf8(model + ending);
        if (IsRegularFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

LoadedShipModel LoadShipModel(const ModelChoice& choice) {
    LoadedShipModel loaded;
    if (choice.file.empty()) {
        return loaded;
    }
    MeshReading reading = LoadMesh(PathFromUtf8(choice.file), choice.placement);
    if (!reading.mesh) {
        loaded.message = reading.message;
        return loaded;
    }
    loaded.mesh = std::make_shared<const MeshIndex>(std::move(*reading.mesh));
    return loaded;
}

ModelChoice ModelChoiceBeside(const std::string& graphPath) {
    const std::optional<std::filesystem::path> path = ModelBeside(PathFromUtf8(graphPath));
    return {path ? Utf8FromPath(*path) : std::string(), {}};
}

}  // namespace walkconv::app
