#include "app/start_up.h"

#include <algorithm>
#include <cctype>

#include "app/journal_store.h"
#include "core/input_kind.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

// The ending of the file name of `path` after its last ".", in lower case; empty for none.
std::string LowerEnding(const std::string& path) {
    std::string ending = Utf8FromPath(PathFromUtf8(path).extension());
    if (!ending.empty()) {
        ending.erase(0, 1);
    }
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}

}  // namespace

FirstWindow FirstWindowFor(std::span<const std::string> arguments) {
    if (arguments.empty()) {
        return {};
    }
    const std::string& path = arguments.front();
    const std::string ending = LowerEnding(path);
    if (!IsRegularFile(PathFromUtf8(path)) && ending != "c" && ending != "ini") {
        return {};
    }
    const bool walk = KindOfInput(path) == InputKind::WalkSource;
    return {walk ? &WalkToSailorpoints() : &SailorpointsToWalk(), path};
}

}  // namespace walkconv::app

namespace walkconv::app {

std::vector<GraphToRestore> GraphsToRestore(Host& host, const std::filesystem::path& folder) {
    std::vector<GraphToRestore> restoring;
    for (FoundJournal& found : FindJournals(folder)) {
        if (!found.journal || !IsRegularFile(PathFromUtf8(found.journal->file))) {
            SetAside(found.place);
            continue;
        }
        const Journal& journal = *found.journal;
        const std::optional<FileIdentity> now = IdentityOfFile(journal.file);
        const bool changed = !now || *now != journal.identity;
        if (host.AskRestore(RestoreQuestion(journal.model, changed)) == Host::Restoring::Discard) {
            std::error_code error;
            std::filesystem::remove(found.place, error);
            continue;
        }
        const Direction& direction =
            journal.kind == InputKind::WalkSource ? WalkToSailorpoints() : SailorpointsToWalk();
        restoring.push_back({&direction, std::move(*found.journal)});
    }
    return restoring;
}

}  // namespace walkconv::app
