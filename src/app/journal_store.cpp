#include "app/journal_store.h"

#include <algorithm>
#include <system_error>

#include "core/conversion_error.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

constexpr std::string_view kEnding = ".json";

}  // namespace

std::string JournalKey(const std::string& file) {
    const std::filesystem::path path = PathFromUtf8(file);
    std::error_code error;
    std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
    if (error) {
        full = std::filesystem::absolute(path, error).lexically_normal();
    }
    return error ? file : Utf8FromPath(full);
}

std::filesystem::path JournalPlace(const std::filesystem::path& folder, const std::string& file) {
    return folder / PathFromUtf8(IdentityOf(JournalKey(file)).hash + std::string(kEnding));
}

void WriteJournal(const std::filesystem::path& folder, const Journal& journal) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    WriteFileAtomically(JournalPlace(folder, journal.file), FormatJournal(journal));
}

void RemoveJournal(const std::filesystem::path& folder, const std::string& file) noexcept {
    std::error_code error;
    std::filesystem::remove(JournalPlace(folder, file), error);
}

namespace {

FoundJournal Read(const std::filesystem::path& place) {
    try {
        return {place, ParseJournal(ReadTextFile(place))};
    } catch (const ConversionError&) {
        return {place, std::nullopt};
    }
}

}  // namespace

std::vector<FoundJournal> FindJournals(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> places;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == kEnding && entry->is_regular_file(error)) {
            places.push_back(entry->path());
        }
    }
    std::sort(places.begin(), places.end());
    std::vector<FoundJournal> found;
    for (const std::filesystem::path& place : places) {
        found.push_back(Read(place));
    }
    return found;
}

std::optional<FoundJournal> FindJournal(const std::filesystem::path& folder,
                                        const std::string& file) {
    if (folder.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path place = JournalPlace(folder, file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(place, error)) {
        return std::nullopt;
    }
    return Read(place);
}

void SetAside(const std::filesystem::path& place) noexcept {
    std::error_code error;
    std::filesystem::path aside = place;
    aside += ".set-aside";
    std::filesystem::rename(place, aside, error);
}

}  // namespace walkconv::app
