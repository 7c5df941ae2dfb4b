#include "app/graph_window.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <utility>

#include "core/conversion_error.h"
#include "core/drawing/svg_writer.h"
#include "core/editing/document_file.h"
#include "core/file_names.h"
#include "core/text.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

// The ending of a file name after its last ".", in lower case.
std::string LowerEnding(const std::string& path) {
    std::string ending = Utf8FromPath(PathFromUtf8(path).extension());
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}

// The name the save dialog proposes for the picture: its usual name, as PNG.
std::string ProposedPngName(const std::string& model) {
    std::string name = ProposedGraphName(model);
    return name.substr(0, name.size() - std::string_view(".svg").size()) + ".png";
}

std::string_view SuffixOf(InputKind kind) {
    return kind == InputKind::WalkSource ? kWalkSourceSuffix : kSailorpointsSuffix;
}

std::string KindName(InputKind kind) {
    return kind == InputKind::WalkSource ? "walk source" : "sailorpoints file";
}

// Picture units per coordinate unit for dragging, also when the points all lie in one place.
double DragScale(const GraphDrawing& drawing) {
    constexpr double kWhenAllInOnePlace = 10;
    return drawing.scale > 0 ? drawing.scale : kWhenAllInOnePlace;
}

double Rounded(double value) {
    return std::round(value / GraphWindowBehaviour::kDragStep) * GraphWindowBehaviour::kDragStep;
}

}  // namespace

void GraphWindowBehaviour::Open(GraphDocument document, std::string path) {
    editing_.Open(std::move(document), std::move(path));
    drag_.reset();
    Refresh();
    viewport_.SetPicture(Content()->drawing.width, Content()->drawing.height);
    viewport_.Fit();
}

void GraphWindowBehaviour::Reopen(GraphDocument document, std::string path) {
    if (editing_.Reopen(std::move(document), std::move(path))) {
        Refresh();
        return;
    }
    drag_.reset();
    Refresh();
    viewport_.Fit();
}

void GraphWindowBehaviour::Close() {
    editing_.Close();
    drag_.reset();
    Refresh();
}

std::string GraphWindowBehaviour::Title() const {
    if (!editing_.HasDocument()) {
        return {};
    }
    return editing_.Document().modelName + (editing_.Unsaved() ? "*" : "") + " - graph";
}

bool GraphWindowBehaviour::RowsSelectable() const {
    return Content() != nullptr && !Content()->findings.empty();
}

void GraphWindowBehaviour::Refresh() {
    if (Content() != shown_) {
        shown_ = Content();
        rows_ = shown_ != nullptr ? FindingRows(*shown_) : std::vector<std::string>{};
        selectedFinding_ = -1;
        highlight_ = {};
        if (shown_ != nullptr) {
            viewport_.KeepPicture(shown_->drawing.width, shown_->drawing.height);
        }
    }
    highlight_.selectedPoint.reset();
    highlight_.selectedLink.reset();
    const Selection& selected = editing_.Selected();
    if (selected.kind == Selection::Kind::Point) {
        highlight_.selectedPoint = selected.number;
    } else if (selected.kind == Selection::Kind::Link) {
        highlight_.selectedLink = selected.number;
    }
}

void GraphWindowBehaviour::SelectFinding(int row, const TextMeasure& measure) {
    const std::optional<int> selectedPoint = highlight_.selectedPoint;
    const std::optional<int> selectedLink = highlight_.selectedLink;
    highlight_ = {};
    highlight_.selectedPoint = selectedPoint;
    highlight_.selectedLink = selectedLink;
    selectedFinding_ = -1;
    const GraphContent* content = Content();
    if (content == nullptr || row < 0 ||
        static_cast<std::size_t>(row) >= content->findings.size()) {
        return;
    }
    selectedFinding_ = row;
    const Finding& finding = content->findings[static_cast<std::size_t>(row)];
    const GraphDrawing& drawing = content->drawing;
    for (const int point : finding.points) {
        if (point >= 0 && static_cast<std::size_t>(point) < drawing.points.size()) {
            highlight_.points.push_back(point);
        }
    }
    if (finding.link && *finding.link >= 0 &&
        static_cast<std::size_t>(*finding.link) < drawing.links.size()) {
        highlight_.links.push_back(*finding.link);
    }
    const PictureRect area = AreaOf(drawing, highlight_, measure);
    if (!area.Empty()) {
        viewport_.EnsureVisible(area);
    }
}

void GraphWindowBehaviour::Fix() {
    editing_.Fix(selectedFinding_);
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
        KeepInView(editing_.Selected().number);
    }
}

void GraphWindowBehaviour::AddPoint() {
    editing_.AddPoint();
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

void GraphWindowBehaviour::KeepInView(int point) {
    const GraphContent* content = Content();
    if (content == nullptr) {
        return;
    }
    Highlight only;
    only.points.push_back(point);
    const PictureRect area = AreaOf(content->drawing, only);
    if (!area.Empty()) {
        viewport_.EnsureVisible(area);
    }
}

void GraphWindowBehaviour::Press(ScreenPoint at, bool ctrl, const TextMeasure& measure) {
    const GraphContent* content = Content();
    drag_ = Drag{at, std::nullopt, 0, {}};
    if (content == nullptr) {
        return;
    }
    const GraphDrawing& drawing = content->drawing;
    const Spot spot = viewport_.ToPicture(at);
    const std::optional<Hit> hit = HitTest(drawing, spot, measure);
    if (hit && hit->kind == Hit::Kind::Point) {
        if (ctrl && editing_.Selected().kind == Selection::Kind::Point) {
            editing_.LinkSelectedTo(hit->number);
            drag_.reset();
            Refresh();
            return;
        }
        editing_.Select(Selection::Point(hit->number));
        // The view of the point pressed: the one whose dot lies nearer.
        const DrawnPoint& dot = drawing.points[static_cast<std::size_t>(hit->number)];
        const auto distance = [&](std::size_t view) {
            return std::hypot(dot.at[view].x - spot.x, dot.at[view].y - spot.y);
        };
        drag_->point = hit->number;
        drag_->view = distance(kSideView) < distance(kTopView) ? kSideView : kTopView;
        drag_->origin = editing_.Document().points[static_cast<std::size_t>(hit->number)];
        drag_->scale = DragScale(drawing) * viewport_.Zoom();
        editing_.BeginMove(hit->number);
    } else if (hit) {
        editing_.Select(Selection::Link(hit->number));
    } else {
        editing_.Select({});
    }
    Refresh();
}

void GraphWindowBehaviour::Move(ScreenPoint at) {
    if (!drag_) {
        return;
    }
    if (!drag_->point) {
        viewport_.PanBy(at.x - drag_->from.x, at.y - drag_->from.y);
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
    } else {
        moved.y = Rounded(moved.y + up);
    }
    editing_.MoveTo(moved.x, moved.y, moved.z);
    Refresh();
}

void GraphWindowBehaviour::Release() {
    if (drag_ && drag_->point) {
        editing_.EndMove();
        Refresh();
    }
    drag_.reset();
}

std::string GraphWindowBehaviour::HoverText(ScreenPoint cursor, const TextMeasure& measure) const {
    if (Content() == nullptr) {
        return {};
    }
    return app::HoverText(Content()->drawing, viewport_.ToPicture(cursor), measure);
}

void GraphWindowBehaviour::Paint(Canvas& canvas) const {
    if (Content() == nullptr) {
        canvas.SetTransform(1, 0, 0);
        canvas.FillRect({0, 0, viewport_.ViewWidth(), viewport_.ViewHeight()},
                        Ink{kViewBackground});
        return;
    }
    PaintView(canvas, Content()->drawing, viewport_, highlight_);
}

bool GraphWindowBehaviour::Write(Host& host, const std::string& path, InputKind kind,
                                 const std::string& model) {
    GraphDocument document = editing_.Document();
    document.modelName = model;
    try {
        if (kind != document.kind) {
            WriteDocument(PathFromUtf8(path), document, kind);
        } else if (path == editing_.Path()) {
            SaveDocument(PathFromUtf8(path), document, editing_.RemovesNegativeEnds());
        } else {
            // Another file of the same kind: the text of this one with the edits, or, when
            // that text cannot carry them, a new file in the writer's layout.
            std::string text;
            try {
                text = SavedText(document, path, editing_.RemovesNegativeEnds());
            } catch (const SaveRefused&) {
                text = FormatDocument(document, kind);
            }
            WriteFileAtomically(PathFromUtf8(path), text);
        }
    } catch (const SaveRefused& refused) {
        host.ShowMessage(refused.what());
        return false;
    } catch (const ConversionError& error) {
        host.ShowMessage("The walking graph could not be saved: " + std::string(error.what()));
        return false;
    }
    return true;
}

bool GraphWindowBehaviour::Save(Host& host) {
    if (!editing_.HasDocument()) {
        return false;
    }
    const std::string path = editing_.Path();
    const GraphDocument& document = editing_.Document();
    if (!Write(host, path, document.kind, document.modelName)) {
        return false;
    }
    editing_.MarkSaved(path);
    editing_.SetStatus("Saved " + path);
    if (onSaved) {
        onSaved(path, host);
    }
    return true;
}

bool GraphWindowBehaviour::SaveAs(Host& host) {
    if (!editing_.HasDocument()) {
        return false;
    }
    const GraphDocument& document = editing_.Document();
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.fileName = document.modelName + std::string(SuffixOf(document.kind));
    request.filters = SaveAsFilters(document.kind == InputKind::WalkSource);
    request.addTypeEnding = true;
    const std::optional<std::string> chosen = ChooseFileFor(host, kWindowKind, request);
    if (!chosen) {
        return false;
    }
    const std::string ending = LowerEnding(*chosen);
    const InputKind kind = ending == ".c"     ? InputKind::WalkSource
                           : ending == ".ini" ? InputKind::Sailorpoints
                                              : document.kind;
    // The model name that reading the file back gives, when its name is long enough to cut it
    // from; else the graph's own.
    std::string model = document.modelName;
    try {
        model = DropLastCharacters(FileNameOf(*chosen), SuffixOf(kind).size());
    } catch (const ConversionError&) {
    }
    if (!Write(host, *chosen, kind, model)) {
        return false;
    }
    if (kind != document.kind) {
        editing_.SetStatus("Saved a copy as the " + KindName(kind) + " " + *chosen);
        return true;
    }
    editing_.MarkSaved(*chosen);
    editing_.SetStatus("Saved " + *chosen);
    if (onSaved) {
        onSaved(*chosen, host);
    }
    return true;
}

void GraphWindowBehaviour::SavePicture(Host& host, PngEncoder& png, int width, int height) const {
    const GraphContent* content = Content();
    if (content == nullptr) {
        return;
    }
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.fileName = ProposedPngName(content->model);
    request.filters = PictureFilters();
    request.addTypeEnding = true;
    const std::optional<std::string> chosen = ChooseFileFor(host, kWindowKind, request);
    if (!chosen) {
        return;
    }

    std::string failure;
    try {
        if (LowerEnding(*chosen) == ".svg") {
            WriteGraphSvg(PathFromUtf8(*chosen), content->drawing);
        } else {
            // The whole picture as the SVG has it, centred on a white image of the window's
            // size, without highlight or selection.
            const GraphDrawing& drawing = content->drawing;
            const Viewport fitted =
                Viewport::Fitted(drawing.width, drawing.height, width, height, 0);
            const std::optional<std::string> bytes = png.EncodePng(
                width, height,
                [&](Canvas& canvas) {
                    canvas.SetTransform(1, 0, 0);
                    canvas.FillRect({0, 0, double(width), double(height)}, Ink{kPageColor});
                    canvas.SetTransform(fitted.Zoom(), fitted.OffsetX(), fitted.OffsetY());
                    PaintGraph(canvas, drawing);
                },
                failure);
            if (bytes) {
                WriteFileAtomically(PathFromUtf8(*chosen), *bytes);
            }
        }
    } catch (const ConversionError& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        host.ShowMessage("The picture could not be saved: " + failure);
    }
}

bool GraphWindowBehaviour::MayLetGo(Host& host) {
    if (!editing_.Unsaved()) {
        return true;
    }
    switch (
        host.Ask("Save changes to the walking graph of " + editing_.Document().modelName + "?")) {
        case Host::Answer::Save:
            return Save(host);
        case Host::Answer::Discard: {
            // Back to what the file holds, for the next time the graph shows.
            const std::string path = editing_.Path();
            const DocumentReading reading = ReadDocument(path, editing_.Document().kind);
            if (reading.document) {
                editing_.Open(*reading.document, path);
                Refresh();
            } else {
                Close();
            }
            return true;
        }
        case Host::Answer::Cancel:
            return false;
    }
    return false;
}

}  // namespace walkconv::app
