#include "qt/graph_view.h"

#include <QFontInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "qt/qt_canvas.h"
#include "qt/window_style.h"

namespace walkconv::qt {

GraphView::GraphView(app::GraphWindowBehaviour& behaviour, app::Drawer& drawer, QWidget* parent)
    : QFrame(parent), behaviour_(behaviour), drawer_(drawer) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // The view takes the focus first, as a scrolling view does, so that the findings list
    // selects nothing of itself when the window opens.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::OpenHandCursor);
    TakeStyle();
}

void GraphView::TakeStyle() {
    behaviour_.SetViewStyle({static_cast<double>(QFontInfo(font()).pixelSize()),
                             static_cast<double>(logicalDpiY()) / 96});
}

void GraphView::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        TakeStyle();
        update();
    }
}

void GraphView::ShowCursor(QPointF place) {
    if (behaviour_.Dragging()) {
        return;
    }
    setCursor(behaviour_.OnSplitBar(ToView(place)) ? Qt::SplitVCursor : Qt::OpenHandCursor);
}

app::ScreenPoint GraphView::ToView(QPointF place) const {
    return {place.x() - contentsRect().left(), place.y() - contentsRect().top()};
}

bool GraphView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text =
            ToQt(behaviour_.HoverText(ToView(help->pos()), app::MeasureWith(drawer_)));
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QFrame::event(event);
}

void GraphView::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        painter.translate(contentsRect().topLeft());
        QtCanvas canvas(painter, &layers_);
        behaviour_.Paint(canvas);
    }
    QFrame::paintEvent(event);
}

void GraphView::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    TakeStyle();
    behaviour_.ResizeView(contentsRect().width(), contentsRect().height());
}

void GraphView::wheelEvent(QWheelEvent* event) {
    const int eighths = event->angleDelta().y();
    if (eighths == 0) {
        return;
    }
    behaviour_.Wheel(ToView(event->position()), eighths);
    update();
    event->accept();
}

void GraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        behaviour_.Press(ToView(event->position()), (event->modifiers() & Qt::ControlModifier) != 0,
                         (event->modifiers() & Qt::ShiftModifier) != 0, app::MeasureWith(drawer_));
        if (behaviour_.Dragging() && !behaviour_.OnSplitBar(ToView(event->position()))) {
            setCursor(Qt::ClosedHandCursor);
        }
        Changed();
    }
    event->accept();
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    if (behaviour_.Dragging() && (event->buttons() & Qt::LeftButton)) {
        behaviour_.Move(ToView(event->position()));
        Changed();
    } else {
        behaviour_.Hover(ToView(event->position()));
    }
    ShowCursor(event->position());
    event->accept();
}

void GraphView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && behaviour_.Dragging()) {
        behaviour_.Release();
        ShowCursor(event->position());
        Changed();
    }
    event->accept();
}

void GraphView::Changed() {
    update();
    if (onChanged) {
        onChanged();
    }
}

void GraphView::mouseDoubleClickEvent(QMouseEvent* event) {
    behaviour_.DoubleClick(ToView(event->position()));
    update();
    event->accept();
}

}  // namespace walkconv::qt
