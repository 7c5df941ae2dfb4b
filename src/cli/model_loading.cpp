#include "cli/model_loading.h"

#include <cctype>
#include <string>

#include "core/mesh/mesh_file.h"
#include "core/text_file.h"

namespace walkconv::cli {

namespace {

// The reader's "MODEL:LINE: REASON" or "MODEL: REASON" with "error: " before the reason, as
// compilers write it.
std::string ErrorLine(const std::string& model, const std::string& message) {
    std::size_t at = message.starts_with(model) ? model.size() : 0;
    if (at > 0 && at < message.size() && message[at] == ':') {
        std::size_t digits = at + 1;
        while (digits < message.size() &&
               std::isdigit(static_cast<unsigned char>(message[digits])) != 0) {
            ++digits;
        }
        if (digits > at + 1 && digits < message.size() && message[digits] == ':') {
            at = digits;
        }
    }
    if (at == 0 || message.compare(at, 2, ": ") != 0) {
        return model + ": error: " + message;
    }
    return message.substr(0, at) + ": error: " + message.substr(at + 2);
}

}  // namespace

LoadedModel LoadRequestedModel(const Request& request, std::ostream& err) {
    LoadedModel loaded;
    if (!request.mesh) {
        return loaded;
    }
    const std::filesystem::path path = PathFromUtf8(*request.mesh);
    if (!IsRegularFile(path)) {
        err << *request.mesh << ": error: no model file there\n";
        loaded.endsWith = ExitStatus::Missing;
        return loaded;
    }
    MeshReading reading = LoadMesh(path, request.placement);
    if (!reading.mesh) {
        err << ErrorLine(*request.mesh, reading.message) << "\n";
        loaded.endsWith = ExitStatus::Failed;
        return loaded;
    }
    loaded.mesh = std::make_unique<const MeshIndex>(std::move(*reading.mesh));
    return loaded;
}

}  // namespace walkconv::cli
