#pragma once

#include <QImage>
#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/graph_painting.h"
#include "app/hit_test.h"

class QFont;
class QPainter;
class QWidget;

namespace walkconv::qt {

// The layers a view keeps between its paints, as images of the screen's pixels.
struct QtLayers {
    struct Kept {
        std::uint64_t version = 0;
        QRectF area;
        QImage image;
    };
    std::map<int, Kept> kept;
};

// The graph painting's canvas over a QPainter; its transforms apply within the painter's own.
// With `layers`, its layers are kept there between paints; without, painted every time.
class QtCanvas : public app::Canvas {
  public:
    explicit QtCanvas(QPainter& painter, QtLayers* layers = nullptr);

    void SetTransform(double scale, double dx, double dy) override;
    void FillRect(const app::PictureRect& rect, app::Ink ink) override;
    void StrokeRect(const app::PictureRect& rect, app::Ink ink, double width) override;
    void Line(Spot from, Spot to, app::Ink ink, double width) override;
    void Disc(Spot centre, double radius, app::Ink ink) override;
    void Ring(Spot centre, double radius, app::Ink ink, double width) override;
    void Text(Spot at, TextAnchor anchor, std::string_view text, const app::FontSpec& font,
              app::Ink ink) override;
    double TextWidth(std::string_view text, const app::FontSpec& font) override;
    void ClipTo(const app::PictureRect& rect) override;
    void Unclip() override;
    void Layer(int slot, std::uint64_t version, const app::PictureRect& area,
               const std::function<void(app::Canvas&)>& paint) override;

  private:
    QPainter& painter_;
    QTransform base_;
    QtLayers* layers_;
};

// The font of a text of the picture.
QFont PictureFont(const app::FontSpec& spec);

// The drawing of a window: texts measured as QtCanvas writes them, and pictures of the window's
// size painted into an image and encoded as PNG.
class QtDrawer : public app::Drawer {
  public:
    explicit QtDrawer(QWidget* window) : window_(window) {}

    double TextWidth(std::string_view text, const app::FontSpec& font) override;
    std::optional<std::string> EncodePng(const std::function<void(app::Canvas&, int, int)>& paint,
                                         std::string& why) override;

  private:
    QWidget* window_;
};

}  // namespace walkconv::qt
