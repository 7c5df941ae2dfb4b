#include "app/graph_file_actions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

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

bool Write(const GraphEditing& editing, Host& host, const std::string& path, InputKind kind,
           const std::string& model) {
    GraphDocument document = editing.Document();
    document.modelName = model;
    try {
        if (kind != document.kind) {
            WriteDocument(PathFromUtf8(path), document, kind);
        } else if (path == editing.Path()) {
            SaveDocument(PathFromUtf8(path), document, editing.RemovesNegativeEnds());
        } else {
            // Another file of the same kind: the text of this one with the edits, or, when
            // that text cannot carry them, a new file in the writer's layout.
            std::string text;
            try {
                text = SavedText(document, path, editing.RemovesNegativeEnds());
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

// The graph's file is `path` now, holding the graph as it stands.
Saved SavedAsGraphFile(GraphEditing& editing, const std::string& path) {
    editing.MarkSaved(path);
    editing.SetStatus("Saved " + path);
    return {true, path};
}

// The whole picture as the SVG has it, centred on a white image of the window's size, without
// highlight or selection; nothing when the drawer cannot encode it, with `why` set.
std::optional<std::string> PngOf(const GraphDrawing& drawing, Drawer& drawer, std::string& why) {
    return drawer.EncodePng(
        [&](Canvas& canvas, int width, int height) {
            const Viewport fitted =
                Viewport::Fitted(drawing.width, drawing.height, width, height, 0);
            canvas.SetTransform(1, 0, 0);
            canvas.FillRect({0, 0, double(width), double(height)}, Ink{kPageColor});
            canvas.SetTransform(fitted.Zoom(), fitted.OffsetX(), fitted.OffsetY());
            PaintGraph(canvas, drawing);
        },
        why);
}

}  // namespace

Saved SaveGraph(GraphEditing& editing, Host& host) {
    if (!editing.HasDocument()) {
        return {};
    }
    const std::string path = editing.Path();
    const GraphDocument& document = editing.Document();
    if (!Write(editing, host, path, document.kind, document.modelName)) {
        return {};
    }
    return SavedAsGraphFile(editing, path);
}

Saved SaveGraphAs(GraphEditing& editing, Host& host) {
    if (!editing.HasDocument()) {
        return {};
    }
    const GraphDocument& document = editing.Document();
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.fileName = document.modelName + std::string(SuffixOf(document.kind));
    request.filters = SaveAsFilters(document.kind == InputKind::WalkSource);
    request.addTypeEnding = true;
    const std::optional<std::string> chosen = ChooseFileFor(host, kGraphWindowKind, request);
    if (!chosen) {
        return {};
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
    if (!Write(editing, host, *chosen, kind, model)) {
        return {};
    }
    if (kind != document.kind) {
        editing.SetStatus("Saved a copy as the " + KindName(kind) + " " + *chosen);
        return {true, std::nullopt};
    }
    return SavedAsGraphFile(editing, *chosen);
}

void SaveGraphPicture(const GraphContent& content, Host& host, Drawer& drawer) {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.fileName = ProposedPngName(content.model);
    request.filters = PictureFilters();
    request.addTypeEnding = true;
    const std::optional<std::string> chosen = ChooseFileFor(host, kGraphWindowKind, request);
    if (!chosen) {
        return;
    }
    std::string failure;
    try {
        if (LowerEnding(*chosen) == ".svg") {
            WriteGraphSvg(PathFromUtf8(*chosen), content.drawing);
        } else if (const std::optional<std::string> bytes =
                       PngOf(content.drawing, drawer, failure)) {
            WriteFileAtomically(PathFromUtf8(*chosen), *bytes);
        }
    } catch (const ConversionError& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        host.ShowMessage("The picture could not be saved: " + failure);
    }
}

LetGo MayLetGo(GraphEditing& editing, Host& host) {
    if (!editing.Unsaved()) {
        return {};
    }
    switch (
        host.Ask("Save changes to the walking graph of " + editing.Document().modelName + "?")) {
        case Host::Answer::Save: {
            Saved saved = SaveGraph(editing, host);
            return {saved.written, std::move(saved)};
        }
        case Host::Answer::Discard: {
            // Back to what the file holds, for the next time the graph shows, on the same model.
            const std::string path = editing.Path();
            const DocumentReading reading = ReadDocument(path, editing.Document().kind);
            if (reading.document) {
                editing.Open(*reading.document, path, editing.ModelChosen());
            } else {
                editing.Close();
            }
            return {};
        }
        case Host::Answer::Cancel:
            break;
    }
    return {false, {}};
}

}  // namespace walkconv::app
