#pragma once

#include <QFrame>
#include <QPoint>
#include <functional>

#include "app/graph_window.h"
#include "qt/qt_canvas.h"

namespace walkconv::qt {

// Shows the two views of a graph window's behaviour and forwards the mouse to it: a click
// selects (with Ctrl, links; with Shift, adds or takes out a point), dragging moves a point,
// pans a view (with Shift, draws a band) or moves the bar between the views, the wheel zooms at
// the cursor and a double-click fits the view clicked. Hovering a point or a link shows its
// title.
class GraphView : public QFrame {
    Q_OBJECT

  public:
    // `drawer` measures the picture's texts.
    GraphView(app::GraphWindowBehaviour& behaviour, app::Drawer& drawer, QWidget* parent = nullptr);

    // After a press, a drag or a release changed what the window shows.
    std::function<void()> onChanged;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Changed();
    // The window's font and screen, for the views' texts and marks.
    void TakeStyle();
    void ShowCursor(QPointF place);
    // A place of the widget in the view's pixels, inside its frame.
    app::ScreenPoint ToView(QPointF place) const;

    app::GraphWindowBehaviour& behaviour_;
    app::Drawer& drawer_;
    QtLayers layers_;
};

}  // namespace walkconv::qt
