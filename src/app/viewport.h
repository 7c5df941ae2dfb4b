#pragma once

#include "core/drawing/graph_drawing.h"

// Where the picture of a graph stands on the screen: a zoom (screen pixels per picture unit)
// and an offset, so that screen = picture * zoom + offset. The wheel zooms about the cursor,
// dragging pans, and fitting shows the whole picture; until the user zooms or pans, the
// picture stays fitted as the view changes size.
namespace walkconv::app {

// A place on the screen, in pixels from the top left corner of the view.
struct ScreenPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// A rectangle of the picture, in picture units.
struct PictureRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// The room kept free around a fitted picture, in pixels on each side.
struct FitMargins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    friend bool operator==(const FitMargins&, const FitMargins&) = default;
};

class Viewport {
  public:
    // The zoom stays within these however far the wheel turns.
    static constexpr double kLeastZoom = 0.02;
    static constexpr double kMostZoom = 50;
    // One notch of the wheel (120 eighths of a degree) zooms by about a fifth.
    static constexpr double kZoomPerEighth = 1.0015;
    // The room left free around a fitted picture, in pixels.
    static constexpr double kFitMargin = 2;

    // A picture of `width` by `height` units, fitted into a view of the given pixels.
    static Viewport Fitted(double width, double height, double viewWidth, double viewHeight,
                           double margin = kFitMargin);

    // A new picture: fitted in.
    void SetPicture(double width, double height);
    // The picture changed its size: a fitted one is fitted again, else the view stays.
    void KeepPicture(double width, double height);
    // The view's new size in pixels; a fitted picture is fitted again.
    void Resize(double viewWidth, double viewHeight);
    void Fit();
    // A new area of the picture to show (the picture need not start at 0, 0), fitted in with
    // `margins` around it.
    void SetArea(const PictureRect& area, const FitMargins& margins);
    // The area changed: a fitted one is fitted again, else the view stays.
    void KeepArea(const PictureRect& area, const FitMargins& margins);
    // The zoom that Fit would take.
    double FittedZoom() const;
    // Fits at `zoom` rather than the fitted one: the area centred in the room of the margins.
    void FitAtZoom(double zoom);
    // Takes the zoom and the horizontal place of `other` (a view of the same width), so that a
    // picture's x is at the same pixel in both; the picture at the middle of this view's height
    // stays there. The view counts as fitted when both were.
    void AlignWith(const Viewport& other);
    // Turns the wheel by `eighths` of a degree (positive: in) with the cursor at `cursor`: the
    // place of the picture under the cursor stays under it.
    void ZoomAt(ScreenPoint cursor, int eighths);
    // Moves the picture by a drag of `dx`, `dy` pixels.
    void PanBy(double dx, double dy);
    // Pans as little as needed for `area` to be in view with `margin` pixels around it where
    // the view has room, as a selected finding is brought into view.
    void EnsureVisible(const PictureRect& area, double margin = 50);

    double Zoom() const { return zoom_; }
    double OffsetX() const { return offsetX_; }
    double OffsetY() const { return offsetY_; }
    bool IsFitted() const { return fitted_; }
    double ViewWidth() const { return viewWidth_; }
    double ViewHeight() const { return viewHeight_; }

    Spot ToPicture(ScreenPoint point) const;
    ScreenPoint ToScreen(Spot spot) const;

  private:
    void PlaceAt(double zoom);

    PictureRect area_;
    double viewWidth_ = 0;
    double viewHeight_ = 0;
    FitMargins margins_{kFitMargin, kFitMargin, kFitMargin, kFitMargin};
    double zoom_ = 1;
    double offsetX_ = 0;
    double offsetY_ = 0;
    bool fitted_ = true;
};

}  // namespace walkconv::app
