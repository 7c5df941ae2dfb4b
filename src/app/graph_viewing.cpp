#include "app/graph_viewing.h"

namespace walkconv::app {

void GraphViewing::Follow(const GraphEditing& editing) {
    if (editing.Content() != shown_) {
        shown_ = editing.Content();
        rows_ = shown_ != nullptr ? FindingRows(*shown_) : std::vector<std::string>{};
        selectedFinding_ = -1;
        highlight_ = {};
        if (shown_ != nullptr) {
            panes_.Show(shown_->drawing);
        }
        layers_.Follow(shown_ != nullptr ? &shown_->drawing : nullptr);
    }
    highlight_.selectedPoint.reset();
    highlight_.selectedLink.reset();
    const Selection& selected = editing.Selected();
    highlight_.selectedPoints =
        selected.kind == Selection::Kind::Points ? selected.points : std::vector<int>{};
    if (selected.kind == Selection::Kind::Point) {
        highlight_.selectedPoint = selected.number;
    } else if (selected.kind == Selection::Kind::Link) {
        highlight_.selectedLink = selected.number;
    }
}

void GraphViewing::FitPicture() {
    if (shown_ != nullptr) {
        panes_.Show(shown_->drawing);
    }
    panes_.FitAll();
}

bool GraphViewing::RowsSelectable() const {
    return shown_ != nullptr && !shown_->findings.empty();
}

void GraphViewing::SelectFinding(int row, const TextMeasure& /*measure*/) {
    Highlight selection;
    selection.selectedPoint = highlight_.selectedPoint;
    selection.selectedLink = highlight_.selectedLink;
    selection.selectedPoints = highlight_.selectedPoints;
    highlight_ = selection;
    selectedFinding_ = -1;
    if (shown_ == nullptr || row < 0 || static_cast<std::size_t>(row) >= shown_->findings.size()) {
        return;
    }
    selectedFinding_ = row;
    const Finding& finding = shown_->findings[static_cast<std::size_t>(row)];
    const GraphDrawing& drawing = shown_->drawing;
    for (const int point : finding.points) {
        if (point >= 0 && static_cast<std::size_t>(point) < drawing.points.size()) {
            highlight_.points.push_back(point);
        }
    }
    if (finding.link && *finding.link >= 0 &&
        static_cast<std::size_t>(*finding.link) < drawing.links.size()) {
        highlight_.links.push_back(*finding.link);
    }
    panes_.EnsureVisible(
        {AreaInView(drawing, highlight_, kTopView), AreaInView(drawing, highlight_, kSideView)});
}

void GraphViewing::KeepInView(int point) {
    if (shown_ == nullptr) {
        return;
    }
    Highlight only;
    only.points.push_back(point);
    panes_.EnsureVisible({AreaInView(shown_->drawing, only, kTopView),
                          AreaInView(shown_->drawing, only, kSideView)});
}

std::optional<Hit> GraphViewing::HitAt(ScreenPoint cursor, const TextMeasure& /*measure*/) const {
    const std::optional<std::size_t> view = panes_.ViewAt(cursor);
    if (shown_ == nullptr || !view) {
        return std::nullopt;
    }
    return HitTestView(shown_->drawing, *view, panes_.ToPicture(*view, cursor),
                       panes_.Reach(*view));
}

std::string GraphViewing::HoverText(ScreenPoint cursor, const TextMeasure& /*measure*/) const {
    const std::optional<std::size_t> view = panes_.ViewAt(cursor);
    if (shown_ == nullptr || !view) {
        return {};
    }
    return HoverTextView(shown_->drawing, *view, panes_.ToPicture(*view, cursor),
                         panes_.Reach(*view));
}

void GraphViewing::Paint(Canvas& canvas) const {
    PaintViews(canvas, shown_ != nullptr ? &shown_->drawing : nullptr, panes_, highlight_, layers_,
               moving_);
}

}  // namespace walkconv::app
