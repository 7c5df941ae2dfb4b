#include "app/graph_window.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "core/conversion_error.h"
#include "core/drawing/svg_writer.h"
#include "core/file_names.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

bool EndsWithSvg(const std::string& name) {
    constexpr std::string_view kSvg = ".svg";
    if (name.size() < kSvg.size()) {
        return false;
    }
    return std::equal(
        kSvg.begin(), kSvg.end(), name.end() - static_cast<long>(kSvg.size()),
        [](char wanted, char c) { return wanted == std::tolower(static_cast<unsigned char>(c)); });
}

// The name the save dialog proposes: the picture's usual name, as PNG.
std::string ProposedPngName(const std::string& model) {
    std::string name = ProposedGraphName(model);
    return name.substr(0, name.size() - std::string_view(".svg").size()) + ".png";
}

}  // namespace

void GraphWindowBehaviour::Show(std::shared_ptr<const GraphContent> content) {
    if (content == nullptr || content == content_) {
        return;
    }
    content_ = std::move(content);
    rows_ = FindingRows(*content_);
    selected_ = -1;
    highlight_ = {};
    viewport_.SetPicture(content_->drawing.width, content_->drawing.height);
}

std::string GraphWindowBehaviour::Title() const {
    return content_ != nullptr ? content_->model + " - graph" : std::string();
}

bool GraphWindowBehaviour::RowsSelectable() const {
    return content_ != nullptr && !content_->findings.empty();
}

void GraphWindowBehaviour::SelectFinding(int row, const TextMeasure& measure) {
    highlight_ = {};
    selected_ = -1;
    if (content_ == nullptr || row < 0 ||
        static_cast<std::size_t>(row) >= content_->findings.size()) {
        return;
    }
    selected_ = row;
    const Finding& finding = content_->findings[static_cast<std::size_t>(row)];
    const GraphDrawing& drawing = content_->drawing;
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

std::string GraphWindowBehaviour::HoverText(ScreenPoint cursor, const TextMeasure& measure) const {
    if (content_ == nullptr) {
        return {};
    }
    return app::HoverText(content_->drawing, viewport_.ToPicture(cursor), measure);
}

void GraphWindowBehaviour::Paint(Canvas& canvas) const {
    if (content_ == nullptr) {
        canvas.SetTransform(1, 0, 0);
        canvas.FillRect({0, 0, viewport_.ViewWidth(), viewport_.ViewHeight()},
                        Ink{kViewBackground});
        return;
    }
    PaintView(canvas, content_->drawing, viewport_, highlight_);
}

void GraphWindowBehaviour::SavePicture(Host& host, PngEncoder& png, int width, int height) const {
    if (content_ == nullptr) {
        return;
    }
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.fileName = ProposedPngName(content_->model);
    request.filters = PictureFilters();
    request.addTypeEnding = true;
    const std::optional<std::string> chosen = ChooseFileFor(host, kWindowKind, request);
    if (!chosen) {
        return;
    }

    std::string failure;
    try {
        if (EndsWithSvg(*chosen)) {
            WriteGraphSvg(PathFromUtf8(*chosen), content_->drawing);
        } else {
            // The whole picture as the SVG has it, centred on a white image of the window's
            // size, without the highlight of a selected finding.
            const GraphDrawing& drawing = content_->drawing;
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

}  // namespace walkconv::app
