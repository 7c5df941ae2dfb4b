#include "app/graph_editing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "core/drawing/graph_drawing.h"
#include "core/editing/mirror.h"
#include "core/findings/deck_checks.h"
#include "core/findings/findings.h"

namespace walkconv::app {

namespace {

bool Exists(const GraphDocument& document, const Selection& selection) {
    const auto isPoint = [&](int number) {
        return number >= 0 && static_cast<std::size_t>(number) < document.points.size();
    };
    switch (selection.kind) {
        case Selection::Kind::Points:
            return std::all_of(selection.points.begin(), selection.points.end(), isPoint);
        case Selection::Kind::None:
            return true;
        case Selection::Kind::Point:
            return selection.number >= 0 &&
                   static_cast<std::size_t>(selection.number) < document.points.size();
        case Selection::Kind::Link:
            return selection.number >= 0 &&
                   static_cast<std::size_t>(selection.number) < document.links.size();
    }
    return false;
}

}  // namespace

Selection Selection::Points(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    if (numbers.empty()) {
        return {};
    }
    if (numbers.size() == 1) {
        return Point(numbers.front());
    }
    return {Kind::Points, 0, std::move(numbers)};
}

std::vector<int> Selection::PointNumbers() const {
    switch (kind) {
        case Kind::Point:
            return {number};
        case Kind::Points:
            return points;
        case Kind::None:
        case Kind::Link:
            break;
    }
    return {};
}

bool Selection::HasPoint(int point) const {
    const std::vector<int> numbers = PointNumbers();
    return std::find(numbers.begin(), numbers.end(), point) != numbers.end();
}

void GraphEditing::Open(GraphDocument document, std::string path,
                        std::optional<ModelChoice> model) {
    document_ = std::move(document);
    path_ = std::move(path);
    undo_.clear();
    redo_.clear();
    state_ = savedState_ = nextState_++;
    removesNegativeEnds_ = false;
    selection_ = {};
    status_.clear();
    moving_.reset();
    modelChoice_ = model ? std::move(*model) : ModelChoiceBeside(path_);
    LoadedShipModel loaded = LoadShipModel(modelChoice_);
    model_ = std::move(loaded.mesh);
    status_ = std::move(loaded.message);
    Refresh();
}

std::string GraphEditing::UseModel(const ModelChoice& choice) {
    LoadedShipModel loaded = LoadShipModel(choice);
    if (!loaded.message.empty()) {
        return loaded.message;
    }
    model_ = std::move(loaded.mesh);
    modelChoice_ = choice;
    status_.clear();
    Refresh();
    return {};
}

bool GraphEditing::Reopen(GraphDocument document, std::string path) {
    bool same = document_ && document.points == document_->points &&
                document.links.size() == document_->links.size();
    for (std::size_t i = 0; same && i < document.links.size(); ++i) {
        same = document.links[i].ends == document_->links[i].ends;
    }
    if (!same) {
        Open(std::move(document), std::move(path), modelChoice_);
        return false;
    }
    // The file holds this graph now: its facts (and numbers of links) and name come from it.
    document_ = std::move(document);
    path_ = std::move(path);
    savedState_ = state_;
    removesNegativeEnds_ = false;
    Refresh();
    return true;
}

void GraphEditing::Close() {
    document_.reset();
    path_.clear();
    model_.reset();
    modelChoice_ = {};
    content_.reset();
    repairs_.clear();
    undo_.clear();
    redo_.clear();
    selection_ = {};
    panel_ = {};
    status_.clear();
    moving_.reset();
}

void GraphEditing::MarkSaved(std::string path) {
    path_ = std::move(path);
    savedState_ = state_;
}

std::optional<Edit> GraphEditing::Change(const Edit& edit) {
    if (!document_) {
        return std::nullopt;
    }
    EditResult result = ApplyEdit(*document_, edit);
    if (!result.Applied()) {
        status_ = result.refusal;
        return std::nullopt;
    }
    return std::move(*result.undo);
}

void GraphEditing::Record(Edit undo, Selection before) {
    const int was = state_;
    state_ = nextState_++;
    undo_.push_back({std::move(undo), was, std::move(before)});
    redo_.clear();
}

bool GraphEditing::Apply(const Edit& edit) {
    status_.clear();
    Selection before = selection_;
    std::optional<Edit> undo = Change(edit);
    if (!undo) {
        return false;
    }
    Record(std::move(*undo), std::move(before));
    if (!Exists(*document_, selection_)) {
        selection_ = {};
    }
    Refresh();
    return true;
}

void GraphEditing::Undo() {
    if (undo_.empty() || !document_) {
        return;
    }
    status_.clear();
    Step step = std::move(undo_.back());
    undo_.pop_back();
    std::optional<Edit> redo = Change(step.edit);
    if (!redo) {
        return;  // an undo always fits the document it was made for
    }
    redo_.push_back({std::move(*redo), state_, selection_});
    state_ = step.state;
    selection_ = Exists(*document_, step.selection) ? std::move(step.selection) : Selection{};
    Refresh();
}

void GraphEditing::Redo() {
    if (redo_.empty() || !document_) {
        return;
    }
    status_.clear();
    Step step = std::move(redo_.back());
    redo_.pop_back();
    std::optional<Edit> undo = Change(step.edit);
    if (!undo) {
        return;
    }
    undo_.push_back({std::move(*undo), state_, selection_});
    state_ = step.state;
    selection_ = Exists(*document_, step.selection) ? std::move(step.selection) : Selection{};
    Refresh();
}

void GraphEditing::Select(Selection selection) {
    selection_ = document_ && Exists(*document_, selection) ? selection : Selection{};
    RefreshPanel();
}

void GraphEditing::AddPoint() {
    if (!document_) {
        return;
    }
    Point point;
    if (selection_.kind == Selection::Kind::Point) {
        point = document_->points[static_cast<std::size_t>(selection_.number)];
    }
    if (Apply(walkconv::AddPoint{point})) {
        Select(Selection::Point(static_cast<int>(document_->points.size()) - 1));
    }
}

void GraphEditing::DropSelectedToDeck() {
    if (!document_) {
        return;
    }
    if (!model_) {
        status_ = "No ship's model is shown to drop a point onto.";
        return;
    }
    if (selection_.kind != Selection::Kind::Point) {
        status_ = "Select a point to drop it onto the deck.";
        return;
    }
    const int number = selection_.number;
    const Point& point = document_->points[static_cast<std::size_t>(number)];
    const std::optional<double> deck = NearestDeck(*model_, point);
    if (!deck) {
        status_ =
            "No surface of the model lies under or over point " + std::to_string(number) + ".";
        return;
    }
    if (*deck != point.y) {
        Apply(MovePoint{number, point.x, *deck, point.z});
    }
}

bool GraphEditing::AddPointOnDeck(double x, double z) {
    if (!document_ || !model_) {
        return false;
    }
    const std::vector<double> surfaces = model_->SurfacesUnder(x, z);
    if (surfaces.empty()) {
        return false;
    }
    Point point;
    if (selection_.kind == Selection::Kind::Point) {
        point.type = document_->points[static_cast<std::size_t>(selection_.number)].type;
    }
    point.x = x;
    point.y = surfaces.back();
    point.z = z;
    if (!Apply(walkconv::AddPoint{point})) {
        return false;
    }
    Select(Selection::Point(static_cast<int>(document_->points.size()) - 1));
    return true;
}

void GraphEditing::RemoveSelected() {
    switch (selection_.kind) {
        case Selection::Kind::Points: {
            // From the highest, so that each number still names its point.
            EditGroup removals;
            for (auto point = selection_.points.rbegin(); point != selection_.points.rend();
                 ++point) {
                removals.steps.emplace_back(RemovePoint{*point});
            }
            ApplyAndSelect(removals, {});
            return;
        }
        case Selection::Kind::Point:
            if (Apply(RemovePoint{selection_.number})) {
                Select({});
            }
            return;
        case Selection::Kind::Link:
            if (Apply(RemoveLink{selection_.number})) {
                Select({});
            }
            return;
        case Selection::Kind::None:
            status_ = "Nothing is selected to remove.";
            return;
    }
}

bool GraphEditing::GoTo(int number) {
    if (!document_ || !Exists(*document_, Selection::Point(number))) {
        status_ = "There is no point " + std::to_string(number) + ".";
        return false;
    }
    status_.clear();
    Select(Selection::Point(number));
    return true;
}

void GraphEditing::LinkSelectedTo(int to) {
    if (selection_.kind != Selection::Kind::Point) {
        status_ = "Select the point the link starts from first.";
        return;
    }
    if (Apply(AddLink{selection_.number, to})) {
        Select(Selection::Link(static_cast<int>(document_->links.size()) - 1));
    }
}

const Repair* GraphEditing::RepairOf(int row) const {
    if (!content_ || row < 0 || static_cast<std::size_t>(row) >= content_->findings.size()) {
        return nullptr;
    }
    const Finding& finding = content_->findings[static_cast<std::size_t>(row)];
    if (!HasRepair(finding.code)) {
        return nullptr;
    }
    for (const Repair& repair : repairs_) {
        const bool sameLink = finding.link && repair.link == finding.link;
        const bool bothNegative =
            repair.code == finding_code::kNegativeEnd && finding.code == repair.code;
        // A point moved onto the deck repairs the finding about that point.
        const bool samePoint = repair.point && repair.code == finding.code &&
                               std::find(finding.points.begin(), finding.points.end(),
                                         *repair.point) != finding.points.end();
        if (sameLink || bothNegative || samePoint) {
            return &repair;
        }
    }
    return nullptr;
}

void GraphEditing::Fix(int row) {
    const Repair* repair = RepairOf(row);
    if (repair == nullptr) {
        return;
    }
    const bool negativeEnds = repair->code == finding_code::kNegativeEnd;
    if (Apply(repair->edit) && negativeEnds) {
        removesNegativeEnds_ = true;
        status_ = "The links with a negative end leave the file when it is saved.";
    }
}

void GraphEditing::FixAll() {
    if (repairs_.empty()) {
        return;
    }
    const bool negativeEnds = std::any_of(repairs_.begin(), repairs_.end(), [](const Repair& r) {
        return r.code == finding_code::kNegativeEnd;
    });
    if (Apply(RepairAll(repairs_)) && negativeEnds) {
        removesNegativeEnds_ = true;
    }
}

void GraphEditing::BeginMove(int point) {
    BeginMove(std::vector<int>{point});
}

void GraphEditing::BeginMove(const std::vector<int>& points) {
    moving_.reset();
    moveOrigins_.clear();
    if (!document_ || points.empty() || !Exists(*document_, Selection::Points(points))) {
        return;
    }
    moving_ = points.front();
    for (const int point : points) {
        const Point& at = document_->points[static_cast<std::size_t>(point)];
        moveOrigins_.push_back({point, at.x, at.y, at.z});
    }
}

void GraphEditing::MoveTo(double x, double y, double z) {
    if (moving_) {
        MoveAll({MovePoint{*moving_, x, y, z}});
    }
}

void GraphEditing::MoveAll(const std::vector<MovePoint>& moves) {
    if (!moving_) {
        return;
    }
    EditGroup group;
    group.steps.assign(moves.begin(), moves.end());
    if (Change(group)) {
        Refresh();
    }
}

void GraphEditing::EndMove() {
    if (!moving_) {
        return;
    }
    moving_.reset();
    EditGroup undo;
    for (const MovePoint& origin : moveOrigins_) {
        const Point& now = document_->points[static_cast<std::size_t>(origin.point)];
        if (now.x != origin.x || now.y != origin.y || now.z != origin.z) {
            undo.steps.emplace_back(origin);
        }
    }
    if (undo.steps.empty()) {
        return;  // a click, not a drag
    }
    status_.clear();
    if (undo.steps.size() == 1) {
        Record(std::move(undo.steps.front()), selection_);
    } else {
        Record(std::move(undo), selection_);
    }
    Refresh();
}

GraphEditing::History GraphEditing::HistoryOf() const {
    History history;
    // The states along the history: the one before each step done, this one, then the one
    // each step undone leads to.
    std::vector<int> states;
    for (const Step& step : undo_) {
        history.undo.push_back(step.edit);
        states.push_back(step.state);
    }
    states.push_back(state_);
    for (auto step = redo_.rbegin(); step != redo_.rend(); ++step) {
        states.push_back(step->state);
    }
    for (const Step& step : redo_) {
        history.redo.push_back(step.edit);
    }
    const auto saved = std::find(states.begin(), states.end(), savedState_);
    if (saved != states.end()) {
        history.saved = static_cast<std::size_t>(saved - states.begin());
    }
    return history;
}

void GraphEditing::Refresh() {
    if (!document_) {
        content_.reset();
        repairs_.clear();
        panel_ = {};
        return;
    }
    auto content = std::make_shared<GraphContent>();
    content->model = document_->modelName;
    const ModelCheck check{model_.get(), {}};
    const ModelCheck* withModel = model_ ? &check : nullptr;
    content->findings = FindingsOf(*document_, withModel);
    content->drawing =
        DrawGraph(StateOf(*document_, document_->kind), content->findings, model_.get());
    repairs_ = RepairsOf(*document_, content->findings, withModel);
    content_ = std::move(content);
    RefreshPanel();
}

}  // namespace walkconv::app
