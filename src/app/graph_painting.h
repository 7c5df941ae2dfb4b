#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/viewport.h"
#include "core/drawing/graph_drawing.h"

// Painting the core's drawing of a walking graph through a small canvas that each front-end
// implements with its toolkit (QPainter, GDI+): the layer decides what is painted, in which
// order, colour and width, and each front-end only draws the primitives.
namespace walkconv::app {

// A colour with its opacity: 255 opaque.
struct Ink {
    Rgb color;
    std::uint8_t alpha = 255;
};

// The font of a text role, as the SVG's style sheet has it: sans-serif, 11 px unless the role
// says otherwise.
struct FontSpec {
    double pixelSize = 11;
    bool bold = false;
    bool italic = false;
};
FontSpec FontFor(TextRole role);

// Line widths in picture units, as the SVG writer draws them.
inline constexpr double kFrameWidth = 1;
inline constexpr double kLinkWidth = 1.2;
inline constexpr double kHollowWidth = 1.5;     // of hollow rings
inline constexpr double kModelLineWidth = 0.8;  // of the model's outlines
// How far the highlight of a selected item reaches beyond its shape, and its opacity.
inline constexpr double kHaloReach = 5;
inline constexpr std::uint8_t kHaloAlpha = 110;
// The selected point or link of the editor, in a colour that no type and no finding uses.
inline constexpr Rgb kSelectionColor{0x1e, 0x90, 0xff};
// The grey around the white page of the picture.
inline constexpr Rgb kViewBackground{0xe8, 0xe8, 0xe8};
inline constexpr Rgb kPageColor{0xff, 0xff, 0xff};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Places given from now on are mapped to the target by `scale`, then moved by `dx`, `dy`.
    virtual void SetTransform(double scale, double dx, double dy) = 0;
    virtual void FillRect(const PictureRect& rect, Ink ink) = 0;
    virtual void StrokeRect(const PictureRect& rect, Ink ink, double width) = 0;
    // A straight line with round ends.
    virtual void Line(Spot from, Spot to, Ink ink, double width) = 0;
    virtual void Disc(Spot centre, double radius, Ink ink) = 0;
    virtual void Ring(Spot centre, double radius, Ink ink, double width) = 0;
    // One line of text in the role's font, its baseline's start, middle or end at `at`.
    virtual void Text(Spot at, TextAnchor anchor, std::string_view text, const FontSpec& font,
                      Ink ink) = 0;
    // The width of a text in a font, in the units places are given in.
    virtual double TextWidth(std::string_view text, const FontSpec& font) = 0;

    // Paints only within `rect`, given in the target's pixels, until Unclip; a canvas that
    // cannot clip paints everything.
    virtual void ClipTo(const PictureRect& /*rect*/) {}
    virtual void Unclip() {}
    // A layer of what does not move while the user drags, kept between paints as an image of
    // `area` (in the target's pixels, all of which it covers) in `slot`: `paint` draws it,
    // through the canvas it is
    // given as it would on this one, only when `version` differs from that of the image kept;
    // else the image kept is drawn. A canvas that keeps nothing paints it every time.
    virtual void Layer(int /*slot*/, std::uint64_t /*version*/, const PictureRect& /*area*/,
                       const std::function<void(Canvas&)>& paint) {
        paint(*this);
    }
};

// The front-end's drawing beside the canvas it paints its view with: the width of a text as its
// canvases write it, and a picture painted off the screen and encoded as PNG.
class Drawer {
  public:
    virtual ~Drawer() = default;
    // The width of a text in a font, in the units places are given in.
    virtual double TextWidth(std::string_view text, const FontSpec& font) = 0;
    // Paints with `paint` into an image of the window's size (given to `paint`, in pixels) and
    // returns the PNG file's bytes, or nothing when it cannot, with `why` set.
    virtual std::optional<std::string> EncodePng(
        const std::function<void(Canvas& canvas, int width, int height)>& paint,
        std::string& why) = 0;
};

// What a selected finding is about, highlighted in the picture: point and link numbers; and
// the point or link selected for editing.
struct Highlight {
    std::vector<int> points;
    std::vector<int> links;
    std::optional<int> selectedPoint;
    std::vector<int> selectedPoints;  // several points selected for editing
    std::optional<int> selectedLink;

    bool Empty() const { return points.empty() && links.empty(); }
    friend bool operator==(const Highlight&, const Highlight&) = default;
};

// Paints `drawing` in picture units on a white page: frames, the ship's model, links, dots, texts,
// the legend and the links listed below the views, each item of `highlight` with a halo beneath it,
// and the selected point or link in the selection colour.
void PaintGraph(Canvas& canvas, const GraphDrawing& drawing, const Highlight& highlight = {});

// Paints the view of a graph window: the grey background of the viewport's size in pixels,
// then the picture through `viewport`.
void PaintView(Canvas& canvas, const GraphDrawing& drawing, const Viewport& viewport,
               const Highlight& highlight);

}  // namespace walkconv::app
