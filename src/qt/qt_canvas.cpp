#include "qt/qt_canvas.h"

#include <QBrush>
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QTransform>
#include <QWidget>
#include <cmath>
#include <utility>

#include "qt/window_style.h"

namespace walkconv::qt {

namespace {

QColor ToColor(app::Ink ink) {
    return {ink.color.red, ink.color.green, ink.color.blue, ink.alpha};
}

QRectF ToRect(const app::PictureRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

}  // namespace

QFont PictureFont(const app::FontSpec& spec) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(spec.pixelSize));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

double QtDrawer::TextWidth(std::string_view text, const app::FontSpec& font) {
    return QFontMetricsF(PictureFont(font)).horizontalAdvance(ToQt(text));
}

std::optional<std::string> QtDrawer::EncodePng(
    const std::function<void(app::Canvas&, int, int)>& paint, std::string& why) {
    QImage image(window_->width(), window_->height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        paint(canvas, image.width(), image.height());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        why = FromQt(writer.errorString());
        return std::nullopt;
    }
    return bytes.toStdString();
}

QtCanvas::QtCanvas(QPainter& painter, QtLayers* layers)
    : painter_(painter), base_(painter.worldTransform()), layers_(layers) {
    painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

void QtCanvas::SetTransform(double scale, double dx, double dy) {
    painter_.setWorldTransform(QTransform(scale, 0, 0, scale, dx, dy) * base_);
}

void QtCanvas::FillRect(const app::PictureRect& rect, app::Ink ink) {
    painter_.fillRect(ToRect(rect), ToColor(ink));
}

void QtCanvas::StrokeRect(const app::PictureRect& rect, app::Ink ink, double width) {
    painter_.setPen(QPen(ToColor(ink), width));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(ToRect(rect));
}

void QtCanvas::Line(Spot from, Spot to, app::Ink ink, double width) {
    painter_.setPen(QPen(ToColor(ink), width, Qt::SolidLine, Qt::RoundCap));
    painter_.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QtCanvas::Disc(Spot centre, double radius, app::Ink ink) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToColor(ink));
    painter_.drawEllipse(QPointF(centre.x, centre.y), radius, radius);
}

void QtCanvas::Ring(Spot centre, double radius, app::Ink ink, double width) {
    painter_.setPen(QPen(ToColor(ink), width));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(QPointF(centre.x, centre.y), radius, radius);
}

void QtCanvas::Text(Spot at, TextAnchor anchor, std::string_view text, const app::FontSpec& font,
                    app::Ink ink) {
    const QFont qfont = PictureFont(font);
    const QString qtext = ToQt(text);
    double left = at.x;
    if (anchor != TextAnchor::Start) {
        const double width = QFontMetricsF(qfont).horizontalAdvance(qtext);
        left -= anchor == TextAnchor::Middle ? width / 2 : width;
    }
    painter_.setFont(qfont);
    painter_.setPen(ToColor(ink));
    painter_.drawText(QPointF(left, at.y), qtext);
}

double QtCanvas::TextWidth(std::string_view text, const app::FontSpec& font) {
    return QFontMetricsF(PictureFont(font)).horizontalAdvance(ToQt(text));
}

void QtCanvas::ClipTo(const app::PictureRect& rect) {
    painter_.save();
    painter_.setWorldTransform(base_);
    painter_.setClipRect(ToRect(rect), Qt::IntersectClip);
}

void QtCanvas::Unclip() {
    painter_.restore();
}

void QtCanvas::Layer(int slot, std::uint64_t version, const app::PictureRect& area,
                     const std::function<void(app::Canvas&)>& paint) {
    if (layers_ == nullptr || area.Empty()) {
        paint(*this);
        return;
    }
    QtLayers::Kept& kept = layers_->kept[slot];
    const QRectF place = ToRect(area);
    if (kept.image.isNull() || kept.version != version || kept.area != place) {
        // At the pixels of the device, so that the image is drawn one to one.
        const qreal ratio =
            painter_.device() != nullptr ? painter_.device()->devicePixelRatioF() : 1;
        QImage image(static_cast<int>(std::ceil(place.width() * ratio)),
                     static_cast<int>(std::ceil(place.height() * ratio)),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter layer(&image);
            layer.translate(-place.left(), -place.top());
            QtCanvas canvas(layer);
            paint(canvas);
        }
        kept = {version, place, std::move(image)};
    }
    const QTransform transform = painter_.worldTransform();
    painter_.setWorldTransform(base_);
    painter_.drawImage(place.topLeft(), kept.image);
    painter_.setWorldTransform(transform);
}

}  // namespace walkconv::qt
