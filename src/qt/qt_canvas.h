#pragma once

#include <QTransform>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/graph_painting.h"
#include "app/hit_test.h"

class QFont;
class QPainter;
class QWidget;

namespace walkconv::qt {

// The graph painting's canvas over a QPainter; its transforms apply within the painter's own.
class QtCanvas : public app::Canvas {
  public:
    explicit QtCanvas(QPainter& painter);

    void SetTransform(double scale, double dx, double dy) override;
    void FillRect(const app::PictureRect& rect, app::Ink ink) override;
    void StrokeRect(const app::PictureRect& rect, app::Ink ink, double width) override;
    void Line(Spot from, Spot to, app::Ink ink, double width) override;
    void Disc(Spot centre, double radius, app::Ink ink) override;
    void Ring(Spot centre, double radius, app::Ink ink, double width) override;
    void Text(Spot at, TextAnchor anchor, std::string_view text, const app::FontSpec& font,
              app::Ink ink) override;
    double TextWidth(std::string_view text, const app::FontSpec& font) override;

  private:
    QPainter& painter_;
    QTransform base_;
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
