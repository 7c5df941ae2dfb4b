#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

#include "core/drawing/picture_basics.h"
#include "core/mesh/mesh_index.h"

// The ship's model as the views show it under the graph: the plot cut into small square cells,
// each covered cell filled in a light grey by the height of the highest surface that covers it
// (in the side view, whose upward axis is the height, that is the cell's own height), and a
// line a shade darker where a cell of one shade meets another or nothing. Its size depends on
// the picture's, never on the number of triangles.
namespace walkconv {

// The side of a cell, in picture units.
inline constexpr double kModelCell = 2;

// How many shades of grey the heights are cut into, the lowest darkest.
inline constexpr std::size_t kModelShades = 6;

// The fill and outline colours of each shade, lowest first.
Rgb ModelFill(std::size_t shade);
Rgb ModelOutline(std::size_t shade);

// An axis-aligned rectangle in picture units.
struct CellRun {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const CellRun&, const CellRun&) = default;
};

struct Segment {
    Spot from;
    Spot to;

    friend bool operator==(const Segment&, const Segment&) = default;
};

// One view's picture of the model: for each shade, the runs of cells filled with it and the
// outline pieces drawn in its outline colour.
struct ModelView {
    std::array<std::vector<CellRun>, kModelShades> fills;
    std::array<std::vector<Segment>, kModelShades> outlines;

    bool Empty() const;
    friend bool operator==(const ModelView&, const ModelView&) = default;
};

// Where a point of the ship goes in one view's picture.
using ViewProjection = std::function<Spot(const Vec3&)>;

// The model in the view whose plot is `frame` (nothing outside it), drawn through `project`.
ModelView DrawModelView(const MeshIndex& mesh, const ViewFrame& frame,
                        const ViewProjection& project);

}  // namespace walkconv
