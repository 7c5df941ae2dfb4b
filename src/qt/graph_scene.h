#pragma once

#include <QRectF>
#include <vector>

#include "core/drawing/graph_drawing.h"

class QGraphicsItem;
class QGraphicsScene;

// Paints the core's drawing of a walking graph into a Qt graphics scene: the same frames, links,
// dots, texts and legend as the SVG, each point and link an item whose tool tip is its title.
namespace walkconv::ui {

// The item data keys that tell which point or link an item shows.
inline constexpr int kItemKindKey = 0;    // "point" or "link"
inline constexpr int kItemNumberKey = 1;  // its number in the drawing

// The items of each point and link, by number: a selected item is highlighted.
struct SceneItems {
    QRectF picture;  // 0..width, 0..height of the drawing
    std::vector<std::vector<QGraphicsItem*>> points;
    std::vector<std::vector<QGraphicsItem*>> links;
};

// Clears `scene` and fills it with `drawing`, on a white page the size of the picture.
SceneItems PaintDrawing(QGraphicsScene& scene, const GraphDrawing& drawing);

}  // namespace walkconv::ui
