#include "app/host.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "core/text_file.h"

namespace walkconv::app {

namespace {

// The folder that holds `chosenPath`, absolute and in the system's separators.
std::string FolderOf(const std::string& chosenPath) {
    std::error_code error;
    std::filesystem::path folder =
        std::filesystem::absolute(PathFromUtf8(chosenPath), error).parent_path();
    if (error) {
        return {};
    }
    return Utf8FromPath(folder.make_preferred());
}

bool FolderExists(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(PathFromUtf8(folder), error);
}

}  // namespace

Host& WindowHost::Target() {
    return given_ != nullptr ? *given_ : *own_;
}

void WindowHost::BeforeModal() {
    if (beforeModal_) {
        beforeModal_();
    }
}

std::optional<std::string> WindowHost::ChooseFile(const FileRequest& request) {
    BeforeModal();
    return Target().ChooseFile(request);
}

void WindowHost::ShowMessage(std::string_view text) {
    BeforeModal();
    Target().ShowMessage(text);
}

Host::Answer WindowHost::Ask(std::string_view question) {
    BeforeModal();
    return Target().Ask(question);
}

Host::Restoring WindowHost::AskRestore(std::string_view question) {
    BeforeModal();
    return Target().AskRestore(question);
}

std::string WindowHost::RememberedFolder(std::string_view windowKind) {
    return Target().RememberedFolder(windowKind);
}

void WindowHost::RememberFolder(std::string_view windowKind, const std::string& folder) {
    Target().RememberFolder(windowKind, folder);
}

std::string WindowHost::RememberedText(std::string_view key) {
    return Target().RememberedText(key);
}

void WindowHost::RememberText(std::string_view key, const std::string& text) {
    Target().RememberText(key, text);
}

std::optional<ModelFields> WindowHost::AskModel(const ModelFields& fields) {
    BeforeModal();
    return Target().AskModel(fields);
}

std::optional<std::string> ChooseFileFor(Host& host, std::string_view windowKind,
                                         FileRequest request) {
    std::string folder = host.RememberedFolder(windowKind);
    request.folder = FolderExists(folder) ? std::move(folder) : std::string();
    std::optional<std::string> chosen = host.ChooseFile(request);
    if (chosen && !chosen->empty()) {
        const std::string chosenFolder = FolderOf(*chosen);
        if (!chosenFolder.empty()) {
            host.RememberFolder(windowKind, chosenFolder);
        }
    }
    return chosen;
}

std::string WithTypeEnding(const FileRequest& request, std::size_t type, std::string chosen) {
    if (request.mode != FileRequest::Mode::Save || !request.addTypeEnding ||
        type >= request.filters.size() || PathFromUtf8(chosen).has_extension()) {
        return chosen;
    }
    // The ending of the type's first pattern: ".png" for "*.png"; none for "*".
    const std::string_view patterns = request.filters[type].pattern;
    const std::string_view first = patterns.substr(0, patterns.find(';'));
    if (first.size() > 2 && first.starts_with("*.")) {
        chosen += first.substr(1);
    }
    return chosen;
}

}  // namespace walkconv::app
