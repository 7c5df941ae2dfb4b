#pragma once

#include <QFrame>
#include <QPoint>
#include <optional>

#include "app/graph_window.h"

namespace walkconv::qt {

// Shows the picture of a graph window's behaviour and forwards the mouse to it: the wheel zooms
// at the cursor, dragging pans and a double-click fits the whole picture in. Hovering a point
// or a link shows its title.
class GraphView : public QFrame {
    Q_OBJECT

  public:
    explicit GraphView(app::GraphWindowBehaviour& behaviour, QWidget* parent = nullptr);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // A place of the widget in the view's pixels, inside its frame.
    app::ScreenPoint ToView(QPointF place) const;

    app::GraphWindowBehaviour& behaviour_;
    std::optional<QPointF> dragFrom_;
};

}  // namespace walkconv::qt
