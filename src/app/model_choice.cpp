#include "app/model_choice.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "app/model_dialog.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

constexpr std::string_view kKeyStart = "ShipModel:";

// `path` made absolute against the working folder, in the system's separators.
std::string Absolute(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(PathFromUtf8(path), error);
    if (error) {
        absolute = PathFromUtf8(path);
    }
    return Utf8FromPath(absolute.lexically_normal().make_preferred());
}

}  // namespace

std::string ModelChoiceKey(const std::string& graphPath) {
    return std::string(kKeyStart) + Absolute(graphPath);
}

std::string ModelChoiceText(const ModelChoice& choice) {
    const ModelFields fields = FieldsOf(choice);
    std::string text = choice.placement.up == UpAxis::Z ? "Z\n" : "Y\n";
    text += fields.scale + '\n';
    for (const std::string& offset : fields.offset) {
        text += offset + '\n';
    }
    return text + fields.file;
}

std::optional<ModelChoice> ModelChoiceOfText(std::string_view text) {
    // The five lines of the placement, then the file.
    std::array<std::string_view, 5> lines;
    for (std::string_view& line : lines) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        line = text.substr(0, end);
        text.remove_prefix(end + 1);
    }
    if (lines[0] != "Y" && lines[0] != "Z") {
        return std::nullopt;
    }
    const ModelFields fields{std::string(text),
                             lines[0] == "Z" ? UpAxis::Z : UpAxis::Y,
                             std::string(lines[1]),
                             {std::string(lines[2]), std::string(lines[3]), std::string(lines[4])}};
    return CheckModelFields(fields).choice;
}

std::optional<ModelChoice> RememberedModel(Host& host, const std::string& graphPath) {
    return ModelChoiceOfText(host.RememberedText(ModelChoiceKey(graphPath)));
}

void RememberModel(Host& host, const std::string& graphPath, ModelChoice choice) {
    // A model file named relative to the working folder stays found from another one.
    if (!choice.file.empty()) {
        choice.file = Absolute(choice.file);
    }
    host.RememberText(ModelChoiceKey(graphPath), ModelChoiceText(choice));
}

}  // namespace walkconv::app
