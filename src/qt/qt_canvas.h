#pragma once

#include <QTransform>

#include "app/graph_painting.h"
#include "app/hit_test.h"

class QFont;
class QPainter;

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

// Measures texts of the picture as QtCanvas writes them.
app::TextMeasure PictureTextMeasure();

}  // namespace walkconv::qt
