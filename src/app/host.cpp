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

}  // namespace walkconv::app
