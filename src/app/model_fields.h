#pragma once

#include <array>
#include <string>

#include "core/mesh/triangle_mesh.h"

namespace walkconv::app {

// The fields of the graph window's "Model" dialog as the user leaves them: the model file
// (empty for none) and its placement, as texts but for the up axis.
struct ModelFields {
    std::string file;
    UpAxis up = UpAxis::Y;
    std::string scale = "1";
    std::array<std::string, 3> offset{"0", "0", "0"};  // x, y, z

    friend bool operator==(const ModelFields&, const ModelFields&) = default;
};

}  // namespace walkconv::app
