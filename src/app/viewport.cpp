#include "app/viewport.h"

#include <algorithm>
#include <cmath>

namespace walkconv::app {

Viewport Viewport::Fitted(double width, double height, double viewWidth, double viewHeight,
                          double margin) {
    Viewport viewport;
    viewport.margin_ = margin;
    viewport.viewWidth_ = viewWidth;
    viewport.viewHeight_ = viewHeight;
    viewport.SetPicture(width, height);
    return viewport;
}

void Viewport::SetPicture(double width, double height) {
    pictureWidth_ = width;
    pictureHeight_ = height;
    Fit();
}

void Viewport::KeepPicture(double width, double height) {
    pictureWidth_ = width;
    pictureHeight_ = height;
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
    fitted_ = true;
    if (pictureWidth_ <= 0 || pictureHeight_ <= 0) {
        zoom_ = 1;
        offsetX_ = offsetY_ = 0;
        return;
    }
    const double roomX = std::max(viewWidth_ - 2 * margin_, 1.0);
    const double roomY = std::max(viewHeight_ - 2 * margin_, 1.0);
    zoom_ =
        std::clamp(std::min(roomX / pictureWidth_, roomY / pictureHeight_), kLeastZoom, kMostZoom);
    offsetX_ = (viewWidth_ - pictureWidth_ * zoom_) / 2;
    offsetY_ = (viewHeight_ - pictureHeight_ * zoom_) / 2;
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
