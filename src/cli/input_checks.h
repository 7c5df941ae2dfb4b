#pragma once

#include <string>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/walk/walk_reader.h"

// The warnings of `walkconv check`: what a user should fix in an input that analysed without
// error, although the converters accept it as it is.
namespace walkconv::cli {

// The warnings for the analysis that left `state` and `details`, one text each, without the
// input's name. `walkFacts` is given for walk sources only; it adds the checks of the graph
// encoding, the declared array sizes and the count assignment.
std::vector<std::string> FindWarnings(const ConversionState& state, const AnalysisDetails& details,
                                      const WalkSourceFacts* walkFacts);

}  // namespace walkconv::cli
