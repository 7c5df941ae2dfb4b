#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/drawing/graph_drawing.h"
#include "core/findings/findings.h"
#include "core/walk/walk_reader.h"

namespace walkconv::app {

// What the graph window shows of one valid analysis: its model name, its findings, and the
// core's drawing of the points and links with those findings.
struct GraphContent {
    std::string model;
    std::vector<Finding> findings;
    GraphDrawing drawing;

    friend bool operator==(const GraphContent&, const GraphContent&) = default;
};

// The content for the valid analysis that left `state` and `details`; `walkFacts` for a walk
// source only.
std::shared_ptr<const GraphContent> MakeGraphContent(const ConversionState& state,
                                                     const AnalysisDetails& details,
                                                     const WalkSourceFacts* walkFacts);

// The rows of the findings list: "warning: MESSAGE" or "note: MESSAGE", one for each finding
// in order; a graph without findings has the one row "No findings", which cannot be selected.
std::vector<std::string> FindingRows(const GraphContent& content);

}  // namespace walkconv::app
