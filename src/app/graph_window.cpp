#include "app/graph_window.h"

#include <array>
#include <cmath>
#include <utility>

#include "app/journal_keeper.h"
#include "app/model_dialog.h"
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

// The arrow keys: the command, and the steps rightward and upward in the view.
struct NudgeKey {
    GraphCommand command;
    double right;
    double up;
};
constexpr double kStep = GraphWindowBehaviour::kNudgeStep;
constexpr double kFine = GraphWindowBehaviour::kFineNudgeStep;
constexpr std::array kNudgeKeys{
    NudgeKey{GraphCommand::NudgeLeft, -kStep, 0}, NudgeKey{GraphCommand::NudgeRight, kStep, 0},
    NudgeKey{GraphCommand::NudgeUp, 0, kStep},    NudgeKey{GraphCommand::NudgeDown, 0, -kStep},
    NudgeKey{GraphCommand::FineLeft, -kFine, 0},  NudgeKey{GraphCommand::FineRight, kFine, 0},
    NudgeKey{GraphCommand::FineUp, 0, kFine},     NudgeKey{GraphCommand::FineDown, 0, -kFine},
};

// The band over the picture: a light wash of the selection colour inside a thin line of it.
constexpr Ink kBandFill{kSelectionColor, 40};
constexpr double kBandLineWidth = 1;

}  // namespace

TextMeasure MeasureWith(Drawer& drawer) {
    return [&drawer](std::string_view text, const FontSpec& font) {
        return drawer.TextWidth(text, font);
    };
}

void GraphWindowBehaviour::Open(GraphDocument document, std::string path, Host* settings) {
    std::optional<ModelChoice> model;
    if (settings != nullptr) {
        model = RememberedModel(*settings, path);
    }
    editing_.Open(std::move(document), std::move(path), std::move(model));
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

int GraphWindowBehaviour::Restore(GraphDocument document, const Journal& journal,
                                  bool fileChanged) {
    const int refused = RestoreJournal(editing_, std::move(document), journal, fileChanged);
    drag_.reset();
    Refresh();
    viewing_.Panes().FitAll();
    return refused;
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
    for (const NudgeKey& nudge : kNudgeKeys) {
        if (nudge.command == command) {
            return Nudge(nudge.right, nudge.up);
        }
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
        case GraphCommand::ChooseModel:
            return ChooseModel(host);
        case GraphCommand::SelectAll:
            return SelectAll();
        case GraphCommand::Mirror:
            return Mirror();
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

void GraphWindowBehaviour::ChooseModel(Host& host) {
    if (!editing_.HasDocument()) {
        return;
    }
    const std::optional<ModelFields> fields = host.AskModel(FieldsOf(editing_.ModelChosen()));
    if (!fields) {
        return;
    }
    const std::optional<ModelChoice> choice = CheckModelFields(*fields).choice;
    if (!choice) {
        return;  // the dialog takes no fields with a problem
    }
    if (const std::string why = editing_.UseModel(*choice); !why.empty()) {
        host.ShowMessage("The model could not be read: " + why);
        return;
    }
    RememberModel(host, editing_.Path(), *choice);
    Refresh();
}

void GraphWindowBehaviour::SelectAll() {
    editing_.SelectAll();
    Refresh();
}

void GraphWindowBehaviour::Mirror() {
    editing_.MirrorSelected();
    Refresh();
}

void GraphWindowBehaviour::Nudge(double right, double up) {
    if (Content() == nullptr) {
        return;
    }
    const std::size_t view = cursor_ ? Panes().ViewAt(*cursor_).value_or(kTopView) : kTopView;
    if (view == kTopView) {
        editing_.MoveSelectedBy(up, 0, right);
    } else {
        editing_.MoveSelectedBy(0, up, right);
    }
    Refresh();
}

void GraphWindowBehaviour::Press(ScreenPoint at, bool ctrl, const TextMeasure& measure) {
    Press(at, ctrl, false, measure);
}

void GraphWindowBehaviour::Press(ScreenPoint at, bool ctrl, bool shift,
                                 const TextMeasure& measure) {
    cursor_ = at;
    drag_ = Drag{};
    drag_->from = at;
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
        } else if (shift) {
            editing_.ToggleSelected(hit->number);
            drag_.reset();
        } else {
            PressPoint(hit->number, *view);
        }
    } else if (shift) {
        // Over a link too, so that a band can begin anywhere.
        drag_->band = Band{at, at};
        drag_->before = editing_.Selected();
    } else if (hit) {
        editing_.Select(Selection::Link(hit->number));
    } else if (ctrl && *view == kTopView && AddPointOnDeck(Panes().ToPicture(kTopView, at))) {
        drag_.reset();
    } else {
        drag_->clicksEmpty = true;  // selects nothing if it ends as a click, not a pan
    }
    Refresh();
}

void GraphWindowBehaviour::PressPoint(int number, std::size_t view) {
    const Selection& selected = editing_.Selected();
    const bool group = selected.kind == Selection::Kind::Points && selected.HasPoint(number);
    if (!group) {
        editing_.Select(Selection::Point(number));
    }
    drag_->point = number;
    drag_->view = view;
    drag_->origin = editing_.Document().points[static_cast<std::size_t>(number)];
    drag_->scale = DragScale(Content()->drawing) * View(view).Zoom();
    viewing_.SetMoving(number);
    if (!group) {
        editing_.BeginMove(number);
        return;
    }
    for (const int point : selected.points) {
        const Point& at = editing_.Document().points[static_cast<std::size_t>(point)];
        drag_->group.push_back({point, at.x, at.y, at.z});
    }
    editing_.BeginMove(selected.points);
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
    cursor_ = at;
    if (!drag_) {
        return;
    }
    drag_->moved = drag_->moved || at != drag_->from;
    if (drag_->split) {
        viewing_.Panes().MoveSplitTo(at.y);
        return;
    }
    if (drag_->band) {
        return DrawBandTo(at);
    }
    if (!drag_->point) {
        viewing_.Panes().PanBy(drag_->view, at.x - drag_->from.x, at.y - drag_->from.y);
        drag_->from = at;
        return;
    }
    // Rightward is z, upward x in the top view and y in the side view, on one scale.
    const double along = (at.x - drag_->from.x) / drag_->scale;
    const double up = -(at.y - drag_->from.y) / drag_->scale;
    if (!drag_->group.empty()) {
        return MoveGroup(along, up);
    }
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

void GraphWindowBehaviour::MoveGroup(double along, double up) {
    // By whole drag steps, so that the points keep their places to one another exactly.
    const double dz = Rounded(along);
    const double dUp = Rounded(up);
    const MeshIndex* model = editing_.Model();
    std::vector<MovePoint> moves;
    for (const MovePoint& origin : drag_->group) {
        Point moved{origin.x, origin.y, origin.z + dz, 0};
        if (drag_->view == kTopView) {
            moved.x += dUp;
            // On the model, each point keeps to the surface nearest to the height it started at.
            if (model != nullptr) {
                moved.y = NearestDeck(*model, moved).value_or(moved.y);
            }
        } else {
            moved.y += dUp;
        }
        moves.push_back({origin.point, moved.x, moved.y, moved.z});
    }
    editing_.MoveAll(moves);
    Refresh();
}

void GraphWindowBehaviour::DrawBandTo(ScreenPoint at) {
    drag_->band->to = at;
    // In the view the band began in, whichever view the mouse has moved into since.
    const std::size_t view = drag_->view;
    std::vector<int> points = drag_->before.PointNumbers();
    const std::vector<int> inside =
        PointsWithin(Content()->drawing, view, Panes().ToPicture(view, drag_->band->from),
                     Panes().ToPicture(view, at));
    points.insert(points.end(), inside.begin(), inside.end());
    editing_.Select(Selection::Points(std::move(points)));
    Refresh();
}

std::optional<Band> GraphWindowBehaviour::DrawnBand() const {
    return drag_ ? drag_->band : std::nullopt;
}

void GraphWindowBehaviour::Paint(Canvas& canvas) const {
    viewing_.Paint(canvas);
    if (const std::optional<Band> band = DrawnBand()) {
        canvas.Unclip();
        canvas.SetTransform(1, 0, 0);
        canvas.FillRect(band->Rect(), kBandFill);
        canvas.StrokeRect(band->Rect(), Ink{kSelectionColor}, kBandLineWidth);
    }
}

void GraphWindowBehaviour::Release() {
    viewing_.SetMoving(std::nullopt);
    if (drag_ && drag_->point) {
        editing_.EndMove();
    }
    // A click, not a drag: on one of several points it selects that one; elsewhere, nothing.
    if (drag_ && !drag_->moved && (drag_->clicksEmpty || !drag_->group.empty())) {
        editing_.Select(drag_->point ? Selection::Point(*drag_->point) : Selection{});
    }
    if (drag_) {
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
