// The panel of the graph editor (a part of GraphEditing): the fields of the selected point or
// link, and the values typed into them.
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "app/graph_editing.h"
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

// The coordinate or type of `point` that `field` shows.
double& FieldOf(Point& point, PanelField field) {
    switch (field) {
        case PanelField::X:
            return point.x;
        case PanelField::Y:
            return point.y;
        case PanelField::Z:
            return point.z;
        default:
            return point.type;
    }
}

// The text of `field` for several points: their value when they all have one, else empty.
std::string CommonText(const GraphDocument& document, const std::vector<int>& points,
                       PanelField field) {
    Point first = document.points[static_cast<std::size_t>(points.front())];
    for (const int number : points) {
        Point point = document.points[static_cast<std::size_t>(number)];
        if (FieldOf(point, field) != FieldOf(first, field)) {
            return {};
        }
    }
    return NumberToText(FieldOf(first, field));
}

constexpr std::array kPanelFields{
    PanelFieldSpec{GraphCommand::EnterNumber, PanelField::Number, &PanelView::number, false, false},
    PanelFieldSpec{GraphCommand::EnterX, PanelField::X, &PanelView::x, true, true},
    PanelFieldSpec{GraphCommand::EnterY, PanelField::Y, &PanelView::y, true, true},
    PanelFieldSpec{GraphCommand::EnterZ, PanelField::Z, &PanelView::z, true, true},
    PanelFieldSpec{GraphCommand::EnterType, PanelField::Type, &PanelView::type, true, true},
    PanelFieldSpec{GraphCommand::EnterLinkTo, PanelField::LinkTo, &PanelView::linkTo, true, false},
};

}  // namespace

std::span<const PanelFieldSpec> PanelFields() {
    return kPanelFields;
}

const PanelFieldSpec* PanelFieldOf(GraphCommand command) {
    for (const PanelFieldSpec& field : kPanelFields) {
        if (field.command == command) {
            return &field;
        }
    }
    return nullptr;
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
    if (selection_.kind == Selection::Kind::Points) {
        EnterForSeveral(field, text);
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

void GraphEditing::EnterForSeveral(PanelField field, std::string_view text) {
    const std::optional<double> value = Parse<double>(text);
    if (!value) {
        status_ = NotANumber(text);
        return;
    }
    // A signed coordinate moves them all by it; the type is always a value.
    const std::string_view typed = Trimmed(text);
    const bool by = field != PanelField::Type && (typed.front() == '+' || typed.front() == '-');
    EditGroup group;
    for (const int number : selection_.points) {
        Point point = document_->points[static_cast<std::size_t>(number)];
        double& changed = FieldOf(point, field);
        changed = by ? changed + *value : *value;
        if (field == PanelField::Type) {
            group.steps.emplace_back(SetPointType{number, point.type});
        } else {
            group.steps.emplace_back(MovePoint{number, point.x, point.y, point.z});
        }
    }
    Apply(group);
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
        case Selection::Kind::Points: {
            const std::vector<int>& points = selection_.points;
            panel_.x = CommonText(*document_, points, PanelField::X);
            panel_.y = CommonText(*document_, points, PanelField::Y);
            panel_.z = CommonText(*document_, points, PanelField::Z);
            panel_.type = CommonText(*document_, points, PanelField::Type);
            panel_.selection = std::to_string(points.size()) + " points selected";
            panel_.pointFields = true;
            panel_.several = true;
            return;
        }
    }
}

}  // namespace walkconv::app
