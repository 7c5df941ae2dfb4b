#include "app/viewport.h"

#include <algorithm>
#include <cmath>

namespace walkconv::app {

Viewport Viewport::Fitted(double width, double height, double viewWidth, double viewHeight,
                          double margin) {
    Viewport viewport;
    viewport.margins_ = {margin, margin, margin, margin};
    viewport.viewWidth_ = viewWidth;
    viewport.viewHeight_ = viewHeight;
    viewport.SetPicture(width, height);
    return viewport;
}

void Viewport::SetPicture(double width, double height) {
    area_ = {0, 0, width, height};
    Fit();
}

void Viewport::KeepPicture(double width, double height) {
    area_ = {0, 0, width, height};
    if (fitted_) {
        Fit();
    }
}

void Viewport::SetArea(const PictureRect& area, const FitMargins& margins) {
    area_ = area;
    margins_ = margins;
    Fit();
}

void Viewport::KeepArea(const PictureRect& area, const FitMargins& margins) {
    area_ = area;
    margins_ = margins;
    if (fitted_) {
        Fit();
    }
}

void Viewport::Resize(double viewWidth, double viewHeight) {
    if (fitted_) {
        viewWidth_ = viewWidth;
        viewHeight_ = viewHeight;
        Fit();
        return;
    }
    // The middle of the view stays where it is in the picture.
    const Spot middle = ToPicture({viewWidth_ / 2, viewHeight_ / 2});
    viewWidth_ = viewWidth;
    viewHeight_ = viewHeight;
    offsetX_ = viewWidth_ / 2 - middle.x * zoom_;
    offsetY_ = viewHeight_ / 2 - middle.y * zoom_;
}

void Viewport::Fit() {
    FitAtZoom(FittedZoom());
}

double Viewport::FittedZoom() const {
    if (area_.Empty()) {
        return 1;
    }
    const double roomX = std::max(viewWidth_ - margins_.left - margins_.right, 1.0);
    const double roomY = std::max(viewHeight_ - margins_.top - margins_.bottom, 1.0);
    return std::clamp(std::min(roomX / area_.width, roomY / area_.height), kLeastZoom, kMostZoom);
}

void Viewport::FitAtZoom(double zoom) {
    fitted_ = true;
    if (area_.Empty()) {
        zoom_ = 1;
        offsetX_ = offsetY_ = 0;
        return;
    }
    PlaceAt(std::clamp(zoom, kLeastZoom, kMostZoom));
}

// The area at `zoom` in the middle of the room that the margins leave.
void Viewport::PlaceAt(double zoom) {
    zoom_ = zoom;
    const double roomX = viewWidth_ - margins_.left - margins_.right;
    const double roomY = viewHeight_ - margins_.top - margins_.bottom;
    offsetX_ = margins_.left + (roomX - area_.width * zoom_) / 2 - area_.left * zoom_;
    offsetY_ = margins_.top + (roomY - area_.height * zoom_) / 2 - area_.top * zoom_;
}

void Viewport::AlignWith(const Viewport& other) {
    const double middle = ToPicture({viewWidth_ / 2, viewHeight_ / 2}).y;
    zoom_ = other.zoom_;
    offsetX_ = other.offsetX_;
    offsetY_ = viewHeight_ / 2 - middle * zoom_;
    fitted_ = fitted_ && other.fitted_;
}

void Viewport::ZoomAt(ScreenPoint cursor, int eighths) {
    if (eighths == 0) {
        return;
    }
    const Spot under = ToPicture(cursor);
    zoom_ = std::clamp(zoom_ * std::pow(kZoomPerEighth, eighths), kLeastZoom, kMostZoom);
    offsetX_ = cursor.x - under.x * zoom_;
    offsetY_ = cursor.y - under.y * zoom_;
    fitted_ = false;
}

void Viewport::PanBy(double dx, double dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    offsetX_ += dx;
    offsetY_ += dy;
    fitted_ = false;
}

namespace {

// How far to move a span [from, to] (screen pixels) so that it lies within [0, size] with
// `margin` around it, moving as little as possible; a span too long for the room is centred.
double ShiftToShow(double from, double to, double size, double margin) {
    const double room = size - 2 * margin;
    if (to - from > room) {
        return size / 2 - (from + to) / 2;
    }
    if (from < margin) {
        return margin - from;
    }
    if (to > size - margin) {
        return size - margin - to;
    }
    return 0;
}

}  // namespace

void Viewport::EnsureVisible(const PictureRect& area, double margin) {
    const ScreenPoint topLeft = ToScreen({area.left, area.top});
    const ScreenPoint bottomRight = ToScreen({area.left + area.width, area.top + area.height});
    PanBy(ShiftToShow(topLeft.x, bottomRight.x, viewWidth_, margin),
          ShiftToShow(topLeft.y, bottomRight.y, viewHeight_, margin));
}

Spot Viewport::ToPicture(ScreenPoint point) const {
    return {(point.x - offsetX_) / zoom_, (point.y - offsetY_) / zoom_};
}

ScreenPoint Viewport::ToScreen(Spot spot) const {
    return {spot.x * zoom_ + offsetX_, spot.y * zoom_ + offsetY_};
}

}  // namespace walkconv::app
