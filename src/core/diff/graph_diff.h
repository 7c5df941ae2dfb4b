#pragma once

#include <vector>

#include "core/conversion_state.h"
#include "core/editing/graph_document.h"

// What changed from one walking graph to another, as diff says it of two texts: the points
// aligned so that the most stay unchanged, and the links compared as pairs of points.
namespace walkconv {

struct PointDifference {
    enum class Kind { Removed, Added, Changed };

    Kind kind = Kind::Changed;
    int a = -1;            // the point's number in A (removed, changed)
    int b = -1;            // its number in B (added, changed)
    Point from;            // A's point (removed, changed), its type in A's codes
    Point to;              // B's point (added, changed), its type in B's codes
    bool retyped = false;  // changed: the two types are not alike

    friend bool operator==(const PointDifference&, const PointDifference&) = default;
};

struct GraphDiff {
    InputKind aKind = InputKind::WalkSource;  // the codes of A's types
    InputKind bKind = InputKind::WalkSource;  // the codes of B's types
    std::vector<PointDifference> points;      // in the order of the two files
    std::vector<Link> linksRemoved;           // A's numbers, the lower end first, ascending
    std::vector<Link> linksAdded;             // B's numbers, the same way

    bool Same() const { return points.empty() && linksRemoved.empty() && linksAdded.empty(); }
};

// True when two values are written alike (15 significant digits, as the writers write them).
bool WrittenAlike(double a, double b);

// The differences from `a` to `b`. A point is its coordinates and its type, compared as they are
// written; when the two are of different kinds, two types are alike when converting either file
// into the other's kind maps one onto the other, so that A against B says what B against A
// says, the sides swapped.
// The points are aligned as a longest common subsequence; the unaligned ones between the same
// aligned neighbours pair up as changed, those most alike first, and the rest are removed or
// added. A link is the pair of its ends, either way round, through the alignment (an end that
// names no point stands for itself); links are compared as multisets, whatever their numbers.
GraphDiff DiffGraphs(const GraphDocument& a, const GraphDocument& b);

}  // namespace walkconv
