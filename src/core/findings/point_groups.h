#pragma once

#include <vector>

#include "core/conversion_state.h"

namespace walkconv {

// The points 0..PointCount-1 that some link touches, split into groups joined by paths of
// links. A link joins its two ends only when both lie below PointCount; an end beyond the points
// still counts as touching the other end. Each group lists its points in ascending order; the
// groups are ordered by their lowest point. Points touched by no link belong to no group.
std::vector<std::vector<int>> LinkedPointGroups(const ConversionState& state);

}  // namespace walkconv
