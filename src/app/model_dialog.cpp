#include "app/model_dialog.h"

#include <charconv>
#include <cmath>

#include "core/numbers.h"

namespace walkconv::app {

namespace {

using Kind = ControlKind;
using Part = ModelPart;

constexpr std::array kModelControls{
    ModelControl{"FileLabel", Kind::Label, "Model file (empty for none):", Part::Label, 0},
    ModelControl{"ModelFile", Kind::TextBox, "", Part::File, 1},
    ModelControl{"Browse", Kind::Button, "Browse\u2026", Part::Browse, 1},
    ModelControl{"NoModel", Kind::Button, "None", Part::NoModel, 1},
    ModelControl{"UpLabel", Kind::Label, "Up axis:", Part::Label, 2},
    ModelControl{"UpY", Kind::OptionButton, "Y", Part::UpY, 2},
    ModelControl{"UpZ", Kind::OptionButton, "Z", Part::UpZ, 2},
    ModelControl{"ScaleLabel", Kind::Label, "Scale:", Part::Label, 3},
    ModelControl{"Scale", Kind::TextBox, "", Part::Scale, 3},
    ModelControl{"OffsetXLabel", Kind::Label, "Offset X:", Part::Label, 4},
    ModelControl{"OffsetX", Kind::TextBox, "", Part::OffsetX, 4},
    ModelControl{"OffsetYLabel", Kind::Label, "Offset Y:", Part::Label, 5},
    ModelControl{"OffsetY", Kind::TextBox, "", Part::OffsetY, 5},
    ModelControl{"OffsetZLabel", Kind::Label, "Offset Z:", Part::Label, 6},
    ModelControl{"OffsetZ", Kind::TextBox, "", Part::OffsetZ, 6},
    ModelControl{"OK", Kind::Button, "OK", Part::Ok, 7},
    ModelControl{"Cancel", Kind::Button, "Cancel", Part::Cancel, 7},
};

constexpr std::array kModelFilters{
    FileFilter{"3D models (*.obj;*.gltf;*.glb)", "*.obj;*.gltf;*.glb"},
    FileFilter{"All files (*.)", "*"},
};

// The folder of the last model picked is remembered apart from that of the graph files.
constexpr std::string_view kModelFolderKind = "ShipModel";

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The whole of `text` as a finite number ("2", "-0.5", "+1e3"), or none.
std::optional<double> Number(std::string_view text) {
    text = Trimmed(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::span<const ModelControl> ModelDialogControls() {
    return kModelControls;
}

std::string* FieldText(ModelFields& fields, ModelPart part) {
    switch (part) {
        case Part::File:
            return &fields.file;
        case Part::Scale:
            return &fields.scale;
        case Part::OffsetX:
            return &fields.offset[0];
        case Part::OffsetY:
            return &fields.offset[1];
        case Part::OffsetZ:
            return &fields.offset[2];
        default:
            return nullptr;
    }
}

ModelFields FieldsOf(const ModelChoice& choice) {
    const MeshPlacement& placement = choice.placement;
    return {choice.file,
            placement.up,
            NumberToText(placement.scale),
            {NumberToText(placement.offset.x), NumberToText(placement.offset.y),
             NumberToText(placement.offset.z)}};
}

CheckedFields CheckModelFields(const ModelFields& fields) {
    CheckedFields checked;
    const std::optional<double> scale = Number(fields.scale);
    if (!scale || *scale <= 0) {
        checked.problem = "The scale must be a positive number.";
        return checked;
    }
    std::array<double, 3> offset{};
    for (std::size_t i = 0; i < offset.size(); ++i) {
        const std::optional<double> value = Number(fields.offset[i]);
        if (!value) {
            checked.problem = std::string("The offset ") + "XYZ"[i] + " must be a number.";
            return checked;
        }
        offset[i] = *value;
    }
    checked.choice =
        ModelChoice{fields.file, {fields.up, *scale, {offset[0], offset[1], offset[2]}}};
    return checked;
}

std::span<const FileFilter> ModelFilters() {
    return kModelFilters;
}

std::optional<std::string> BrowseModelFile(Host& host, const std::string& current) {
    FileRequest request;
    request.fileName = current;
    request.filters = kModelFilters;
    return ChooseFileFor(host, kModelFolderKind, std::move(request));
}

}  // namespace walkconv::app
