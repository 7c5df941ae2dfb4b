#include "core/analysis.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "core/conversion_error.h"
#include "core/text.h"
#include "core/text_file.h"

namespace walkconv {

namespace {

// The file name of `inputPath` without its last `suffixLength` characters.
std::string ModelNameOf(const std::string& inputPath, std::size_t suffixLength) {
    const std::string_view name = FileNameOf(inputPath);
    try {
        return DropLastCharacters(name, suffixLength);
    } catch (const ConversionError&) {
        throw ConversionError(Failure{failure_code::kFileNameTooShort,
                                      "the file name \"" + std::string(name) +
                                          "\" is too short to name a model (fewer than " +
                                          std::to_string(suffixLength) + " characters)"});
    }
}

// Puts the line where the reader stopped into `failure`, cut around its column, so that a
// message can show it with a mark under the column.
void AttachLineText(Failure& failure, std::string_view text) {
    if (failure.line <= 0) {
        return;
    }
    LineSplitter lines(text);
    std::string_view line;
    for (int number = 0; number < failure.line && lines.Next(line); ++number) {
    }
    constexpr std::size_t kMaxShown = 200;
    constexpr std::size_t kBefore = kMaxShown / 2;
    const std::size_t at = std::min(static_cast<std::size_t>(failure.column - 1), line.size());
    std::size_t from = 0;
    if (line.size() > kMaxShown) {
        from = std::min(at > kBefore ? at - kBefore : 0, line.size() - kMaxShown);
    }
    const std::string_view shown = line.substr(from, kMaxShown);
    const bool cutBefore = from > 0;
    const bool cutAfter = from + shown.size() < line.size();
    failure.lineText = (cutBefore ? "..." : "") + std::string(shown) + (cutAfter ? "..." : "");
    failure.lineTextColumn = static_cast<int>(at - from) + 1 + (cutBefore ? 3 : 0);
}

}  // namespace

void AnalysisDetails::NoteLinkPlace(int number, SourcePlace place) {
    if (number < 0 || number >= kTableSize) {
        return;
    }
    if (linkPlaces.empty()) {
        linkPlaces.resize(kTableSize);
    }
    linkPlaces[static_cast<std::size_t>(number)] = place;
}

int AnalysisDetails::FileNumberOfLink(int link) const {
    if (!linkFileNumbers.empty()) {
        return link >= 0 && static_cast<std::size_t>(link) < linkFileNumbers.size()
                   ? linkFileNumbers[static_cast<std::size_t>(link)]
                   : -1;
    }
    // The links dropped before it count again; they are listed in ascending order.
    int number = link;
    for (const DroppedLink& dropped : droppedLinkEnds) {
        if (dropped.number <= number) {
            ++number;
        }
    }
    return number;
}

std::optional<int> AnalysisDetails::LinkOfFileNumber(int number) const {
    if (!linkFileNumbers.empty()) {
        const auto it = std::find(linkFileNumbers.begin(), linkFileNumbers.end(), number);
        if (it == linkFileNumbers.end()) {
            return std::nullopt;
        }
        return static_cast<int>(it - linkFileNumbers.begin());
    }
    int droppedBefore = 0;
    for (const DroppedLink& dropped : droppedLinkEnds) {
        if (dropped.number == number) {
            return std::nullopt;
        }
        if (dropped.number < number) {
            ++droppedBefore;
        }
    }
    return number - droppedBefore;
}

int AnalysisDetails::FileLinkCount(int stateLinkCount) const {
    return linkFileNumbers.empty() ? stateLinkCount + static_cast<int>(droppedLinkEnds.size())
                                   : fileLinkCount;
}

AnalysisOutcome RunAnalysis(const std::string& inputPath, ConversionState& state,
                            const ReaderSteps& reader, AnalysisDetails* details) {
    AnalysisDetails local;
    AnalysisDetails& out = details != nullptr ? *details : local;
    out = AnalysisDetails{};

    const std::filesystem::path path = PathFromUtf8(inputPath);
    if (inputPath.empty() || !IsRegularFile(path)) {
        return AnalysisOutcome::NothingDone;
    }

    state = ConversionState{};
    state.InputPath = inputPath;
    state.PointCount = reader.initialCount;
    state.LinkCount = reader.initialCount;
    std::string text;
    try {
        state.ModelName = ModelNameOf(inputPath, reader.modelSuffixLength);
        text = ReadTextFile(path);
        reader.scan(text, state, out);
        try {
            out.droppedLinks = DropLinksWithNegativeEnds(state, &out.droppedLinkEnds);
        } catch (ConversionError& error) {  // more links than the tables hold
            error.Locate(out.linkCountPlace.line, out.linkCountPlace.column);
            throw;
        }
    } catch (const ConversionError& error) {
        out.failure = error.failure();
        AttachLineText(out.failure, text);
        return AnalysisOutcome::Failed;
    } catch (const std::exception& error) {
        // Anything else the platform reports while reading (memory, say) fails the analysis
        // just the same.
        out.failure = Failure({}, error.what());
        return AnalysisOutcome::Failed;
    }
    return state.PointCount > 0 && state.LinkCount > 0 ? AnalysisOutcome::Valid
                                                       : AnalysisOutcome::NotValid;
}

}  // namespace walkconv
