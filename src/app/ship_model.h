#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/model_choice.h"
#include "core/mesh/mesh_index.h"

// The ship's model the graph window shows under a graph: the one chosen for the graph's file,
// or else the model file named like the graph's file beside it, with the default placement.
namespace walkconv::app {

// The model file beside the graph file at `graphFile`: the name the graph's file was proposed
// under ("brig" of "brig_walk.c" or "brig1.ini", else the name without its ending) followed by
// ".obj", ".gltf" or ".glb", the first that is a file; none when there is none.
std::optional<std::filesystem::path> ModelBeside(const std::filesystem::path& graphFile);

// A model read for the window: its index, or none with a message when it cannot be read.
struct LoadedShipModel {
    std::shared_ptr<const MeshIndex> mesh;
    std::string message;
};

// The model `choice` names, placed as it says; neither mesh nor message for no model.
LoadedShipModel LoadShipModel(const ModelChoice& choice);

// The model beside the graph file at `graphPath` (UTF-8) with the default placement; no file
// without one.
ModelChoice ModelChoiceBeside(const std::string& graphPath);

}  // namespace walkconv::app
