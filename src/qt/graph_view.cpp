#include "gui/graph_view.h"

#include <QBrush>
#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace walkconv::ui {

namespace {

// One notch of the wheel (120 eighths of a degree) zooms by about a fifth.
constexpr double kZoomPerEighth = 1.0015;
constexpr double kLeastZoom = 0.02;
constexpr double kMostZoom = 50;
// The scene area the view may scroll over, beyond the picture on every side, in picture units:
// enough for the smallest zoom to pan and to zoom at any place of the screen.
constexpr double kRoomAround = 200000;

}  // namespace

GraphView::GraphView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // Clicks never reach the items: the left button pans, and only the findings list selects.
    setInteractive(false);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(QColor(0xe8, 0xe8, 0xe8));  // around the white page of the picture
}

void GraphView::SetPicture(const QRectF& picture) {
    picture_ = picture;
    setSceneRect(picture.adjusted(-kRoomAround, -kRoomAround, kRoomAround, kRoomAround));
    FitPicture();
}

void GraphView::FitPicture() {
    fitInView(picture_, Qt::KeepAspectRatio);
    const double zoom = Zoom();
    if (zoom > kMostZoom || zoom < kLeastZoom) {
        const double limited = std::clamp(zoom, kLeastZoom, kMostZoom);
        scale(limited / zoom, limited / zoom);
        centerOn(picture_.center());
    }
    fitted_ = true;
}

double GraphView::Zoom() const {
    return transform().m11();
}

void GraphView::wheelEvent(QWheelEvent* event) {
    const int eighths = event->angleDelta().y();
    if (eighths == 0) {
        return;
    }
    const double zoom = Zoom();
    const double wanted =
        std::clamp(zoom * std::pow(kZoomPerEighth, eighths), kLeastZoom, kMostZoom);
    // The place of the picture under the cursor stays under it.
    const QPointF cursor = event->position();
    const QPointF under = mapToScene(cursor.toPoint());
    scale(wanted / zoom, wanted / zoom);
    const QPoint moved = (mapFromScene(under) - cursor).toPoint();
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + moved.y());
    fitted_ = false;
    event->accept();
}

void GraphView::mouseDoubleClickEvent(QMouseEvent* event) {
    FitPicture();
    event->accept();
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        fitted_ = false;  // panned by dragging
    }
    QGraphicsView::mouseMoveEvent(event);
}

void GraphView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    if (fitted_ && !picture_.isEmpty()) {
        FitPicture();
    }
}

}  // namespace walkconv::ui
