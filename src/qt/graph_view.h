#pragma once

#include <QGraphicsView>
#include <QRectF>

class QGraphicsScene;

namespace walkconv::ui {

// Shows a picture in a graphics scene: the mouse wheel zooms at the cursor, dragging pans and a
// double-click fits the whole picture in. Until the user zooms or pans, the picture stays fitted
// as the view changes size. Hovering an item with a tool tip shows it.
class GraphView : public QGraphicsView {
    Q_OBJECT

  public:
    explicit GraphView(QGraphicsScene* scene, QWidget* parent = nullptr);

    // The picture's rectangle in the scene; fits it in.
    void SetPicture(const QRectF& picture);
    void FitPicture();

    // The zoom: view pixels per picture unit.
    double Zoom() const;

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QRectF picture_;
    bool fitted_ = true;
};

}  // namespace walkconv::ui
