#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/host.h"
#include "core/mesh/triangle_mesh.h"

// The ship's model chosen for a graph file and its placement, remembered per graph file
// through the host's settings, so that opening the file again shows the same model.
namespace walkconv::app {

struct ModelChoice {
    std::string file;  // the model file (UTF-8); empty for no model
    MeshPlacement placement;

    friend bool operator==(const ModelChoice&, const ModelChoice&) = default;
};

// The key the choice for the graph file at `graphPath` is remembered under: "ShipModel:"
// followed by the file's absolute path in the system's separators.
std::string ModelChoiceKey(const std::string& graphPath);

// The choice as remembered: the up axis ("Y" or "Z"), the scale and the offset's x, y and z,
// each followed by a line feed, then the model file, which may hold any character.
std::string ModelChoiceText(const ModelChoice& choice);
// The choice a remembered text holds, or none when it holds none (empty, or damaged).
std::optional<ModelChoice> ModelChoiceOfText(std::string_view text);

// The choice remembered for the graph file at `graphPath`, or none; remembering one names its
// model file by its absolute path.
std::optional<ModelChoice> RememberedModel(Host& host, const std::string& graphPath);
void RememberModel(Host& host, const std::string& graphPath, ModelChoice choice);

}  // namespace walkconv::app
