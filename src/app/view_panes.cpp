#include "app/view_panes.h"

#include <algorithm>

#include "app/graph_painting.h"

namespace walkconv::app {

namespace {

PictureRect AreaOf(const ViewFrame& frame) {
    return {frame.topLeft.x, frame.topLeft.y, frame.width, frame.height};
}

std::size_t Other(std::size_t view) {
    return view == kTopView ? kSideView : kTopView;
}

}  // namespace

double DotPixels(const GraphDrawing& drawing, const ViewStyle& style) {
    return drawing.dotRadius * style.markScale;
}

double LinkPixels(const ViewStyle& style) {
    return kLinkWidth * style.markScale;
}

ViewPanes::ViewPanes() : layout_(LayOutViews(0, 0, kFirstSplit)) {}

FitMargins ViewPanes::Margins() const {
    // Left: the vertical axis's values; top: the view's title; bottom: the values along z.
    const double font = style_.fontPixels;
    return {5 * font, 2 * font, font, 2 * font};
}

void ViewPanes::Resize(double width, double height) {
    width_ = width;
    height_ = height;
    layout_ = LayOutViews(width_, height_, split_);
    for (std::size_t view = 0; view < kViewCount; ++view) {
        panes_[view].Resize(layout_.views[view].width, layout_.views[view].height);
    }
    if (sameScale_) {
        if (panes_[kTopView].IsFitted() && panes_[kSideView].IsFitted()) {
            FitAll();
        } else {
            AlignOther(kTopView);
        }
    }
}

void ViewPanes::MoveSplitTo(double y) {
    split_ = SplitAt(y, height_);
    Resize(width_, height_);
}

void ViewPanes::SetSameScale(bool on) {
    sameScale_ = on;
    if (on) {
        Resize(width_, height_);
    }
}

void ViewPanes::SetStyle(const ViewStyle& style) {
    style_ = style;
    for (std::size_t view = 0; view < kViewCount; ++view) {
        panes_[view].KeepArea(areas_[view], Margins());
    }
    // The margins changed: views fitted each on its own must again share one scale.
    Resize(width_, height_);
}

void ViewPanes::Show(const GraphDrawing& drawing) {
    const bool bothFitted = panes_[kTopView].IsFitted() && panes_[kSideView].IsFitted();
    for (std::size_t view = 0; view < kViewCount; ++view) {
        areas_[view] = AreaOf(drawing.views[view]);
        panes_[view].KeepArea(areas_[view], Margins());
    }
    if (sameScale_ && bothFitted) {
        FitAll();
    }
}

void ViewPanes::FitAll() {
    for (Viewport& pane : panes_) {
        pane.Fit();
    }
    if (sameScale_) {
        const double zoom = std::min(panes_[kTopView].FittedZoom(), panes_[kSideView].FittedZoom());
        for (Viewport& pane : panes_) {
            pane.FitAtZoom(zoom);
        }
    }
}

void ViewPanes::Fit(std::size_t view) {
    // With one scale, fitting one view at its own zoom could push the other's picture out of
    // it: both are fitted at the zoom that shows both whole.
    if (sameScale_) {
        FitAll();
    } else {
        panes_[view].Fit();
    }
}

void ViewPanes::AlignOther(std::size_t leader) {
    if (sameScale_) {
        panes_[Other(leader)].AlignWith(panes_[leader]);
    }
}

void ViewPanes::ZoomAt(std::size_t view, ScreenPoint cursor, int eighths) {
    panes_[view].ZoomAt(InView(view, cursor), eighths);
    AlignOther(view);
}

void ViewPanes::PanBy(std::size_t view, double dx, double dy) {
    panes_[view].PanBy(dx, dy);
    if (sameScale_) {
        panes_[Other(view)].PanBy(dx, 0);
    }
}

void ViewPanes::EnsureVisible(const std::array<PictureRect, kViewCount>& areas) {
    std::array<PictureRect, kViewCount> shown = areas;
    if (sameScale_ && !areas[kTopView].Empty() && !areas[kSideView].Empty()) {
        // One span along z for both, so that both pan alike.
        const double left = std::min(areas[kTopView].left, areas[kSideView].left);
        const double right = std::max(areas[kTopView].left + areas[kTopView].width,
                                      areas[kSideView].left + areas[kSideView].width);
        for (PictureRect& area : shown) {
            area.left = left;
            area.width = right - left;
        }
    }
    for (std::size_t view = 0; view < kViewCount; ++view) {
        if (!shown[view].Empty()) {
            panes_[view].EnsureVisible(shown[view]);
        }
    }
    if (shown[kTopView].Empty() != shown[kSideView].Empty()) {
        AlignOther(shown[kTopView].Empty() ? kSideView : kTopView);
    }
}

std::optional<std::size_t> ViewPanes::ViewAt(ScreenPoint point) const {
    return app::ViewAt(layout_, point);
}

ScreenPoint ViewPanes::InView(std::size_t view, ScreenPoint point) const {
    const ViewRect& rect = layout_.views[view];
    return {point.x - rect.left, point.y - rect.top};
}

ScreenPoint ViewPanes::ToRoom(std::size_t view, ScreenPoint point) const {
    const ViewRect& rect = layout_.views[view];
    return {point.x + rect.left, point.y + rect.top};
}

ScreenPoint ViewPanes::ToRoom(std::size_t view, Spot spot) const {
    return ToRoom(view, panes_[view].ToScreen(spot));
}

Spot ViewPanes::ToPicture(std::size_t view, ScreenPoint point) const {
    return panes_[view].ToPicture(InView(view, point));
}

MarkReach ViewPanes::Reach(std::size_t view) const {
    return {1 / panes_[view].Zoom(), style_.markScale};
}

}  // namespace walkconv::app
