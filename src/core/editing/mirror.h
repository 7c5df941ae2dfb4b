#pragma once

#include <span>
#include <vector>

#include "core/editing/graph_document.h"
#include "core/editing/graph_edit.h"

// The mirror image of a part of a graph across x = 0, as one edit that adds points and links,
// as a symmetric ship's starboard half is made from its port half.
namespace walkconv {

// A point this close to x = 0 lies on the centre line and is its own image; a point this close
// to an image in x, y and z, of its type, is taken as that image instead of a new one.
inline constexpr double kCentreLineReach = 0.01;

struct MirrorPlan {
    // The points and links to add, as one group (empty when every image is there already):
    // the new points appended in the order of the points mirrored, then the new links.
    EditGroup edit;
    // The image of each point mirrored, in ascending order, as numbered once the edit applied.
    std::vector<int> images;
};

// The mirror images of `points` (numbers of points of `document`; others are left out) and
// of the links of the document between two of them. Each point's image is itself on the
// centre line, else a point of the document already there, else a new point at -x with the
// same y, z and type; a link whose image joins two points already joined, either way round,
// or one point to itself, is not added.
MirrorPlan PlanMirror(const GraphDocument& document, std::span<const int> points);

}  // namespace walkconv
