#pragma once

#include <optional>

#include "core/conversion_state.h"
#include "core/mesh/mesh_index.h"

// The walking graph against the ship's model: whether a point stands on a deck, where a link
// runs through the model, and the deck a point belongs on.
namespace walkconv {

// How far points and links may stand from the model before a check speaks; every distance in
// the graph's units.
struct DeckDistances {
    double reach = 0.25;        // a surface this far below a point carries it
    double sink = 0.05;         // a point may sit this far below the surface it stands on
    double endClearance = 0.1;  // at each end of a link, where it meets the deck, nothing counts

    friend bool operator==(const DeckDistances&, const DeckDistances&) = default;
};

// The model the checks read, with their distances; the checks against a model run only with
// one.
struct ModelCheck {
    const MeshIndex* mesh = nullptr;
    DeckDistances distances;
};

// Where a point stands against the surfaces under and over it.
struct Footing {
    enum class Kind {
        OnDeck,     // a surface within reach below, and none over it deeper than sink
        Sunk,       // a surface within reach over it, more than sink above it
        Floats,     // surfaces under it, but none within reach
        NoSurface,  // no surface under it; maybe some further above
    };
    Kind kind = Kind::OnDeck;
    std::optional<double> surface;  // the surface meant: the one it sank into, the nearest under
                                    // it, or for NoSurface the nearest over it, if any
};

Footing FootingOf(const MeshIndex& mesh, const Point& point, const DeckDistances& distances);

// How far from `from` the straight way to `to` first runs through the model, leaving out
// `clearance` at each end; none when it does not, or when the link is no longer than the two
// clearances.
std::optional<double> DistanceToModel(const MeshIndex& mesh, const Point& from, const Point& to,
                                      double clearance);

// The height of the surface under or over the point nearest to its own; none when no surface
// lies under or over it.
std::optional<double> NearestDeck(const MeshIndex& mesh, const Point& point);

}  // namespace walkconv
