#include "app/graph_window.h"

#include <cmath>
#include <utility>

#include "core/findings/deck_checks.h"

namespace walkconv::app {

namespace {

// Picture units per coordinate unit for dragging, also when the points all lie in one place.
double DragScale(const GraphDrawing& drawing) {
    constexpr double kWhenAllInOnePlace = 10;
    return drawing.scale > 0 ? drawing.scale : kWhenAllInOnePlace;
}

double Rounded(double value) {
    return std::round(value / GraphWindowBehaviour::kDragStep) * GraphWindowBehaviour::kDragStep;
}

}  // namespace

TextMeasure MeasureWith(Drawer& drawer) {
    return [&drawer](std::string_view text, const FontSpec& font) {
        return drawer.TextWidth(text, font);
    };
}

void GraphWindowBehaviour::Open(GraphDocument document, std::string path) {
    editing_.Open(std::move(document), std::move(path));
    drag_.reset();
    Refresh();
    viewing_.FitPicture();
}

void GraphWindowBehaviour::Reopen(GraphDocument document, std::string path) {
    if (editing_.Reopen(std::move(document), std::move(path))) {
        Refresh();
        return;
    }
    drag_.reset();
    Refresh();
    viewing_.Panes().FitAll();
}

void GraphWindowBehaviour::Close() {
    editing_.Close();
    drag_.reset();
    Refresh();
}

void GraphWindowBehaviour::Run(GraphCommand command, Host& host, Drawer& drawer,
                               const CommandInput& input) {
    if (const PanelFieldSpec* field = PanelFieldOf(command)) {
        return EnterField(field->field, input.text);
    }
    switch (command) {
        case GraphCommand::Undo:
            return Undo();
        case GraphCommand::Redo:
            return Redo();
        case GraphCommand::AddPoint:
            return AddPoint();
        case GraphCommand::DropToDeck:
            return DropToDeck();
        case GraphCommand::Remove:
            return Remove();
        case GraphCommand::Fix:
            return Fix();
        case GraphCommand::FixAll:
            return FixAll();
        case GraphCommand::Save:
            Save(host);
            return;
        case GraphCommand::SaveAs:
            SaveAs(host);
            return;
        case GraphCommand::SavePicture:
            return SavePicture(host, drawer);
        case GraphCommand::SelectFinding:
            return SelectFinding(input.row, MeasureWith(drawer));
        case GraphCommand::SameScale:
            return viewing_.Panes().SetSameScale(!viewing_.Panes().SameScale());
        default:
            return;  // a label, GoTo, or a field's Enter above
    }
}

GraphWindowView GraphWindowBehaviour::WindowView() const {
    return MakeGraphWindowView(editing_, viewing_);
}

std::optional<std::string> GraphWindowBehaviour::TakeSaved() {
    return std::exchange(saved_, std::nullopt);
}

std::string GraphWindowBehaviour::Title() const {
    return GraphTitle(editing_);
}

void GraphWindowBehaviour::Refresh() {
    if (!drag_ || !drag_->point) {
        viewing_.SetMoving(std::nullopt);
    }
    viewing_.Follow(editing_);
}

void GraphWindowBehaviour::Fix() {
    editing_.Fix(SelectedFinding());
    Refresh();
}

void GraphWindowBehaviour::FixAll() {
    editing_.FixAll();
    Refresh();
}

void GraphWindowBehaviour::EnterField(PanelField field, std::string_view text) {
    editing_.EnterField(field, text);
    Refresh();
    if (field == PanelField::Number && editing_.Selected().kind == Selection::Kind::Point) {
        viewing_.KeepInView(editing_.Selected().number);
    }
}

void GraphWindowBehaviour::AddPoint() {
    editing_.AddPoint();
    Refresh();
}

void GraphWindowBehaviour::DropToDeck() {
    editing_.DropSelectedToDeck();
    Refresh();
}

void GraphWindowBehaviour::Remove() {
    editing_.RemoveSelected();
    Refresh();
}

void GraphWindowBehaviour::Undo() {
    editing_.Undo();
    Refresh();
}

void GraphWindowBehaviour::Redo() {
    editing_.Redo();
    Refresh();
}

void GraphWindowBehaviour::Press(ScreenPoint at, bool ctrl, const TextMeasure& measure) {
    drag_ = Drag{at, std::nullopt, 0, false, {}};
    if (OnSplitBar(at)) {
        drag_->split = true;
        return;
    }
    const std::optional<std::size_t> view = Panes().ViewAt(at);
    if (Content() == nullptr || !view) {
        return;
    }
    drag_->view = *view;
    const std::optional<Hit> hit = viewing_.HitAt(at, measure);
    if (hit && hit->kind == Hit::Kind::Point) {
        if (ctrl && editing_.Selected().kind == Selection::Kind::Point) {
            editing_.LinkSelectedTo(hit->number);
            drag_.reset();
        } else {
            PressPoint(hit->number, *view);
        }
    } else if (hit) {
        editing_.Select(Selection::Link(hit->number));
    } else if (ctrl && *view == kTopView && AddPointOnDeck(Panes().ToPicture(kTopView, at))) {
        drag_.reset();
    } else {
        editing_.Select({});
    }
    Refresh();
}

void GraphWindowBehaviour::PressPoint(int number, std::size_t view) {
    editing_.Select(Selection::Point(number));
    drag_->point = number;
    drag_->view = view;
    drag_->origin = editing_.Document().points[static_cast<std::size_t>(number)];
    drag_->scale = DragScale(Content()->drawing) * View(view).Zoom();
    editing_.BeginMove(number);
    viewing_.SetMoving(number);
}

void GraphWindowBehaviour::Wheel(ScreenPoint cursor, int eighths) {
    if (const std::optional<std::size_t> view = Panes().ViewAt(cursor)) {
        viewing_.Panes().ZoomAt(*view, cursor, eighths);
    }
}

void GraphWindowBehaviour::DoubleClick(ScreenPoint at) {
    if (const std::optional<std::size_t> view = Panes().ViewAt(at)) {
        viewing_.Panes().Fit(*view);
    }
}

bool GraphWindowBehaviour::AddPointOnDeck(Spot spot) {
    const GraphDrawing& drawing = Content()->drawing;
    const ViewFrame& frame = drawing.views[kTopView];
    const bool inFrame = spot.x >= frame.topLeft.x && spot.x <= frame.topLeft.x + frame.width &&
                         spot.y >= frame.topLeft.y && spot.y <= frame.topLeft.y + frame.height;
    if (editing_.Model() == nullptr || !inFrame || drawing.scale <= 0 || drawing.points.empty()) {
        return false;
    }
    // The top view shows z rightward and x upward on one scale: measured from point 0's dot.
    const Spot& known = drawing.points.front().at[kTopView];
    const Point& at = editing_.Document().points.front();
    const double x = Rounded(at.x + (known.y - spot.y) / drawing.scale);
    const double z = Rounded(at.z + (spot.x - known.x) / drawing.scale);
    return editing_.AddPointOnDeck(x, z);
}

void GraphWindowBehaviour::Move(ScreenPoint at) {
    if (!drag_) {
        return;
    }
    if (drag_->split) {
        viewing_.Panes().MoveSplitTo(at.y);
        return;
    }
    if (!drag_->point) {
        viewing_.Panes().PanBy(drag_->view, at.x - drag_->from.x, at.y - drag_->from.y);
        drag_->from = at;
        return;
    }
    // Rightward is z, upward x in the top view and y in the side view, on one scale.
    const double along = (at.x - drag_->from.x) / drag_->scale;
    const double up = -(at.y - drag_->from.y) / drag_->scale;
    Point moved = drag_->origin;
    moved.z = Rounded(moved.z + along);
    if (drag_->view == kTopView) {
        moved.x = Rounded(moved.x + up);
        // On the model, the point keeps to the surface nearest to the height it started at.
        if (const MeshIndex* model = editing_.Model()) {
            moved.y = NearestDeck(*model, moved).value_or(moved.y);
        }
    } else {
        moved.y = Rounded(moved.y + up);
    }
    editing_.MoveTo(moved.x, moved.y, moved.z);
    Refresh();
}

void GraphWindowBehaviour::Release() {
    viewing_.SetMoving(std::nullopt);
    if (drag_ && drag_->point) {
        editing_.EndMove();
        Refresh();
    }
    drag_.reset();
}

bool GraphWindowBehaviour::Took(Saved saved) {
    if (saved.graphFile) {
        saved_ = std::move(saved.graphFile);
    }
    Refresh();
    return saved.written;
}

bool GraphWindowBehaviour::Save(Host& host) {
    return Took(SaveGraph(editing_, host));
}

bool GraphWindowBehaviour::SaveAs(Host& host) {
    return Took(SaveGraphAs(editing_, host));
}

void GraphWindowBehaviour::SavePicture(Host& host, Drawer& drawer) const {
    if (Content() != nullptr) {
        SaveGraphPicture(*Content(), host, drawer);
    }
}

bool GraphWindowBehaviour::MayLetGo(Host& host) {
    LetGo letGo = app::MayLetGo(editing_, host);
    if (!editing_.HasDocument()) {
        drag_.reset();
    }
    Took(std::move(letGo.saved));
    return letGo.mayGo;
}

}  // namespace walkconv::app
