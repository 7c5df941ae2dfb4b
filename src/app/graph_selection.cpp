// The selection of several points (a part of GraphEditing): choosing them, and the edits that
// act on all of them at once, each one step.
#include <algorithm>
#include <utility>

#include "app/graph_editing.h"
#include "core/editing/mirror.h"

namespace walkconv::app {

bool GraphEditing::ApplyAndSelect(const Edit& edit, Selection after) {
    if (!Apply(edit)) {
        return false;
    }
    Select(std::move(after));
    return true;
}

void GraphEditing::SelectAll() {
    if (!document_) {
        return;
    }
    std::vector<int> all(document_->points.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<int>(i);
    }
    Select(Selection::Points(std::move(all)));
}

void GraphEditing::ToggleSelected(int number) {
    std::vector<int> points = selection_.PointNumbers();
    if (const auto in = std::find(points.begin(), points.end(), number); in != points.end()) {
        points.erase(in);
    } else {
        points.push_back(number);
    }
    Select(Selection::Points(std::move(points)));
}

void GraphEditing::MoveSelectedBy(double dx, double dy, double dz) {
    if (!document_) {
        return;
    }
    const std::vector<int> points = selection_.PointNumbers();
    if (points.empty()) {
        status_ = "Nothing is selected to move.";
        return;
    }
    EditGroup moves;
    for (const int number : points) {
        const Point& point = document_->points[static_cast<std::size_t>(number)];
        moves.steps.emplace_back(MovePoint{number, point.x + dx, point.y + dy, point.z + dz});
    }
    if (moves.steps.size() == 1) {
        Apply(moves.steps.front());
    } else {
        Apply(moves);
    }
}

void GraphEditing::MirrorSelected() {
    if (!document_) {
        return;
    }
    const std::vector<int> points = selection_.PointNumbers();
    if (points.empty()) {
        status_ = "Select the points to mirror first.";
        return;
    }
    MirrorPlan plan = PlanMirror(*document_, points);
    if (plan.edit.steps.empty()) {
        Select(Selection::Points(std::move(plan.images)));
        status_ = "The mirror images of the selected points are there already.";
        return;
    }
    ApplyAndSelect(plan.edit, Selection::Points(std::move(plan.images)));
}

}  // namespace walkconv::app
