#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "app/graph_painting.h"
#include "app/view_panes.h"
#include "core/drawing/graph_drawing.h"

// Painting the graph window's two views: each view's frame, with the ship's model under it,
// from a layer the canvas keeps while nothing of it changes, then the links, the dots and the
// texts over it, the marks and texts at a size in pixels whatever the zoom.
namespace walkconv::app {

// The versions of the views' layers: a layer is painted anew only when its frame, its model's
// picture, its place or its zoom changed.
class ViewLayers {
  public:
    // The drawing shown is now `drawing` (none: nothing is shown).
    void Follow(const GraphDrawing* drawing);
    // The version that view `view`'s layer must have to look as `panes` show it now.
    std::uint64_t Version(std::size_t view, const ViewPanes& panes);
    // The version of the layer of what stands still of the graph in view `view` while the
    // point `moving` (if any) is dragged: painted anew when anything else of it changes.
    std::uint64_t GraphVersion(std::size_t view, const ViewPanes& panes,
                               const GraphDrawing& drawing, const Highlight& highlight,
                               std::optional<int> moving);
    // The version of the one layer of both: painted anew when either changes.
    std::uint64_t StillVersion(std::size_t view, const ViewPanes& panes,
                               const GraphDrawing& drawing, const Highlight& highlight,
                               std::optional<int> moving);

  private:
    struct Key {
        std::uint64_t content = 0;
        ViewRect rect;
        double zoom = 0;
        double offsetX = 0;
        double offsetY = 0;

        friend bool operator==(const Key&, const Key&) = default;
    };

    std::array<ViewFrame, kViewCount> frames_{};
    std::array<ModelView, kViewCount> models_{};
    std::array<std::uint64_t, kViewCount> contents_{};
    std::array<Key, kViewCount> keys_{};
    std::array<std::uint64_t, kViewCount> versions_{};
    std::array<std::uint64_t, kViewCount> graphPrints_{};
    std::array<std::uint64_t, kViewCount> graphVersions_{};
    std::array<std::pair<std::uint64_t, std::uint64_t>, kViewCount> stillParts_{};
    std::array<std::uint64_t, kViewCount> stillVersions_{};
};

// The slot of a view's layer on the canvas.
inline int LayerSlot(std::size_t view) {
    return static_cast<int>(view);
}

// Paints both views of `drawing` (none: the grey background only) as `panes` place them, with
// `highlight`, each view's layers at the versions `layers` gives; the point `moving` (if any) is
// being dragged, and it and its links are painted over the layers.
void PaintViews(Canvas& canvas, const GraphDrawing* drawing, const ViewPanes& panes,
                const Highlight& highlight, ViewLayers& layers,
                std::optional<int> moving = std::nullopt);

}  // namespace walkconv::app
