#include "app/graph_editing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "core/drawing/graph_drawing.h"
#include "core/findings/findings.h"
#include "core/numbers.h"

namespace walkconv::app {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// The whole of `text` as a number of type T ("12", "-0.5", "1e3"), or none.
template <typename T>
std::optional<T> Parse(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string NotANumber(std::string_view text) {
    return "\"" + std::string(Trimmed(text)) + "\" is not a number";
}

bool Exists(const GraphDocument& document, const Selection& selection) {
    switch (selection.kind) {
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

constexpr std::array kPanelFields{
    PanelFieldSpec{"PointNumber", PanelField::Number, &PanelView::number, false},
    PanelFieldSpec{"X", PanelField::X, &PanelView::x, true},
    PanelFieldSpec{"Y", PanelField::Y, &PanelView::y, true},
    PanelFieldSpec{"Z", PanelField::Z, &PanelView::z, true},
    PanelFieldSpec{"Type", PanelField::Type, &PanelView::type, true},
    PanelFieldSpec{"LinkTo", PanelField::LinkTo, &PanelView::linkTo, true},
};

}  // namespace

std::span<const PanelFieldSpec> PanelFields() {
    return kPanelFields;
}

const PanelFieldSpec* PanelFieldNamed(std::string_view name) {
    for (const PanelFieldSpec& field : kPanelFields) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

void GraphEditing::Open(GraphDocument document, std::string path) {
    document_ = std::move(document);
    path_ = std::move(path);
    undo_.clear();
    redo_.clear();
    state_ = savedState_ = nextState_++;
    removesNegativeEnds_ = false;
    selection_ = {};
    status_.clear();
    moving_.reset();
    Refresh();
}

bool GraphEditing::Reopen(GraphDocument document, std::string path) {
    bool same = document_ && document.points == document_->points &&
                document.links.size() == document_->links.size();
    for (std::size_t i = 0; same && i < document.links.size(); ++i) {
        same = document.links[i].ends == document_->links[i].ends;
    }
    if (!same) {
        Open(std::move(document), std::move(path));
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

void GraphEditing::Record(Edit undo) {
    const int before = state_;
    state_ = nextState_++;
    undo_.push_back({std::move(undo), before});
    redo_.clear();
}

bool GraphEditing::Apply(const Edit& edit) {
    status_.clear();
    std::optional<Edit> undo = Change(edit);
    if (!undo) {
        return false;
    }
    Record(std::move(*undo));
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
    redo_.push_back({std::move(*redo), state_});
    state_ = step.state;
    if (!Exists(*document_, selection_)) {
        selection_ = {};
    }
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
    undo_.push_back({std::move(*undo), state_});
    state_ = step.state;
    if (!Exists(*document_, selection_)) {
        selection_ = {};
    }
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

void GraphEditing::RemoveSelected() {
    switch (selection_.kind) {
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

void GraphEditing::EnterField(PanelField field, std::string_view text) {
    if (!document_) {
        return;
    }
    if (field == PanelField::Number || field == PanelField::LinkTo) {
        const std::optional<int> number = Parse<int>(text);
        if (!number) {
            status_ = NotANumber(text);
            RefreshPanel();
            return;
        }
        if (field == PanelField::Number) {
            GoTo(*number);
        } else {
            LinkSelectedTo(*number);
        }
        RefreshPanel();
        return;
    }
    if (selection_.kind != Selection::Kind::Point) {
        return;
    }
    const std::optional<double> value = Parse<double>(text);
    if (!value) {
        status_ = NotANumber(text);
        RefreshPanel();
        return;
    }
    const int number = selection_.number;
    const Point& point = document_->points[static_cast<std::size_t>(number)];
    switch (field) {
        case PanelField::X:
            Apply(MovePoint{number, *value, point.y, point.z});
            break;
        case PanelField::Y:
            Apply(MovePoint{number, point.x, *value, point.z});
            break;
        case PanelField::Z:
            Apply(MovePoint{number, point.x, point.y, *value});
            break;
        case PanelField::Type:
            Apply(SetPointType{number, *value});
            break;
        case PanelField::Number:
        case PanelField::LinkTo:
            break;
    }
    RefreshPanel();
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
        if (sameLink || bothNegative) {
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
    if (document_ && Exists(*document_, Selection::Point(point))) {
        moving_ = point;
        moveOrigin_ = document_->points[static_cast<std::size_t>(point)];
    }
}

void GraphEditing::MoveTo(double x, double y, double z) {
    if (!moving_) {
        return;
    }
    if (Change(MovePoint{*moving_, x, y, z})) {
        Refresh();
    }
}

void GraphEditing::EndMove() {
    if (!moving_) {
        return;
    }
    const int point = *moving_;
    moving_.reset();
    const Point& now = document_->points[static_cast<std::size_t>(point)];
    if (now.x == moveOrigin_.x && now.y == moveOrigin_.y && now.z == moveOrigin_.z) {
        return;  // a click, not a drag
    }
    status_.clear();
    Record(MovePoint{point, moveOrigin_.x, moveOrigin_.y, moveOrigin_.z});
    Refresh();
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
    content->findings = FindingsOf(*document_);
    content->drawing = DrawGraph(StateOf(*document_, document_->kind), content->findings);
    repairs_ = RepairsOf(*document_, content->findings);
    content_ = std::move(content);
    RefreshPanel();
}

void GraphEditing::RefreshPanel() {
    panel_ = {};
    if (!document_) {
        return;
    }
    switch (selection_.kind) {
        case Selection::Kind::None:
            panel_.selection = "nothing selected";
            return;
        case Selection::Kind::Point: {
            const Point& point = document_->points[static_cast<std::size_t>(selection_.number)];
            panel_.number = std::to_string(selection_.number);
            panel_.x = NumberToText(point.x);
            panel_.y = NumberToText(point.y);
            panel_.z = NumberToText(point.z);
            panel_.type = NumberToText(point.type);
            panel_.selection = "point " + panel_.number;
            panel_.pointFields = true;
            return;
        }
        case Selection::Kind::Link: {
            const Link& ends = document_->links[static_cast<std::size_t>(selection_.number)].ends;
            panel_.selection = "link " + std::to_string(selection_.number) + ": points " +
                               std::to_string(ends.from) + " and " + std::to_string(ends.to);
            return;
        }
    }
}

}  // namespace walkconv::app
