#include "app/graph_viewing.h"

namespace walkconv::app {

namespace {

// Brings `area` of the picture into view, unless it is empty.
void EnsureVisible(Viewport& viewport, const PictureRect& area) {
    if (!area.Empty()) {
        viewport.EnsureVisible(area);
    }
}

}  // namespace

void GraphViewing::Follow(const GraphEditing& editing) {
    if (editing.Content() != shown_) {
        shown_ = editing.Content();
        rows_ = shown_ != nullptr ? FindingRows(*shown_) : std::vector<std::string>{};
        selectedFinding_ = -1;
        highlight_ = {};
        if (shown_ != nullptr) {
            viewport_.KeepPicture(shown_->drawing.width, shown_->drawing.height);
        }
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
        viewport_.SetPicture(shown_->drawing.width, shown_->drawing.height);
    }
    viewport_.Fit();
}

bool GraphViewing::RowsSelectable() const {
    return shown_ != nullptr && !shown_->findings.empty();
}

void GraphViewing::SelectFinding(int row, const TextMeasure& measure) {
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
    EnsureVisible(viewport_, AreaOf(drawing, highlight_, measure));
}

void GraphViewing::KeepInView(int point) {
    if (shown_ == nullptr) {
        return;
    }
    Highlight only;
    only.points.push_back(point);
    EnsureVisible(viewport_, AreaOf(shown_->drawing, only));
}

std::optional<Hit> GraphViewing::HitAt(ScreenPoint cursor, const TextMeasure& measure) const {
    if (shown_ == nullptr) {
        return std::nullopt;
    }
    return HitTest(shown_->drawing, viewport_.ToPicture(cursor), measure);
}

std::string GraphViewing::HoverText(ScreenPoint cursor, const TextMeasure& measure) const {
    if (shown_ == nullptr) {
        return {};
    }
    return app::HoverText(shown_->drawing, viewport_.ToPicture(cursor), measure);
}

void GraphViewing::Paint(Canvas& canvas) const {
    if (shown_ == nullptr) {
        canvas.SetTransform(1, 0, 0);
        canvas.FillRect({0, 0, viewport_.ViewWidth(), viewport_.ViewHeight()},
                        Ink{kViewBackground});
        return;
    }
    PaintView(canvas, shown_->drawing, viewport_, highlight_);
}

}  // namespace walkconv::app
