#pragma once

#include <memory>
#include <optional>
#include <ostream>

#include "cli/exit_status.h"
#include "cli/request.h"
#include "core/mesh/mesh_index.h"

// The ship's model that --mesh names, loaded once before the first input is read.
namespace walkconv::cli {

struct LoadedModel {
    std::unique_ptr<const MeshIndex> mesh;  // none without --mesh, or when it failed
    std::optional<ExitStatus> endsWith;     // the run's status when the model cannot be read
};

// Loads and places the model of `request`, if it names one. A model that cannot be read ends
// the run before any input: "MODEL:LINE: error: REASON" (or "MODEL: error: REASON") on `err`,
// with the status of a missing input when no file is there, else that of a failed one.
LoadedModel LoadRequestedModel(const Request& request, std::ostream& err);

}  // namespace walkconv::cli
