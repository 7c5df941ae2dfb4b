#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/edit_operations.h"
#include "core/findings/deck_checks.h"
#include "core/mesh/triangle_mesh.h"

namespace walkconv::cli {

// How check, fix and diff report: lines for people, or one JSON document for scripts.
enum class ReportFormat { Text, Json };

// What the command line asks of one run, once parsed. An option not given is empty.
struct Request {
    std::vector<std::string> inputs;  // with the wildcards expanded where the program must
    // The inputs that are wildcard patterns no file matches, as typed: missing inputs.
    std::set<std::string, std::less<>> patternsMatchingNothing;
    std::optional<std::string> output;  // -o: the one output's path
    std::optional<std::string> dir;     // -d: the folder of every output
    std::optional<std::string> model;   // --model: the output's model name
    bool inPlace = false;               // fix, edit -i: each input is its own output
    bool quiet = false;
    bool werror = false;
    bool verbose = false;  // check, fix: print the notes too
    bool git = false;      // diff --git: the inputs are the arguments of a git diff driver
    ReportFormat format = ReportFormat::Text;
    std::vector<EditOperation> operations;  // edit: what to do to each input, in order
    // --mesh: the ship's model that check, fix and render hold the graph against, placed by
    // --mesh-up, --mesh-scale and --mesh-offset; --deck-tolerance and --end-clearance.
    std::optional<std::string> mesh;
    MeshPlacement placement;
    // The model's checks, its mesh set once the model is loaded, before the first input.
    ModelCheck deckCheck;
};

}  // namespace walkconv::cli
