#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/conversion_state.h"

namespace walkconv {

// A place in an input file: 1-based line and 1-based byte column; line 0 for none.
struct SourcePlace {
    int line = 0;
    int column = 0;

    friend bool operator==(const SourcePlace&, const SourcePlace&) = default;
};

// What an analysis noticed beside its outcome, for callers that report more than the windows.
struct AnalysisDetails {
    int droppedLinks = 0;                      // links removed for a negative end
    std::vector<DroppedLink> droppedLinkEnds;  // those links, with their numbers in the file
    Failure failure;                           // why and where the analysis failed, when it did
    std::vector<SourcePlace> linkPlaces;  // by link number in the file: where it was last stored
    SourcePlace linkCountPlace;           // the statement or line that raised the link count last
    // Once the state's links are no longer those the analysis left (an edited graph): the file's
    // number of each link of the state, -1 for a link the file does not hold, and how many
    // links the file had. Empty after an analysis, where the numbers follow from the drop.
    std::vector<int> linkFileNumbers;
    int fileLinkCount = 0;

    void NoteLinkPlace(int number, SourcePlace place);

    // The file's number of the state's link `link`.
    int FileNumberOfLink(int link) const;
    // The state's link that is link `number` of the file; none when it was dropped or is gone.
    std::optional<int> LinkOfFileNumber(int number) const;
    // How many links the file had, given the state's count.
    int FileLinkCount(int stateLinkCount) const;
};

// How one reader fills a state from the text of its input.
struct ReaderSteps {
    std::int16_t initialCount;      // both counts before the scan
    std::size_t modelSuffixLength;  // characters cut from the file name for the model name
    // Fills the state from the text and notes where links stand; may throw ConversionError.
    std::function<void(std::string_view text, ConversionState& state, AnalysisDetails& details)>
        scan;
};

// The analysis both directions share. An empty path, or one naming no regular file, changes
// nothing and gives NothingDone. Otherwise the state starts afresh (zeroed tables), takes the
// path and the model name, is filled by the reader's scan, loses its links with a negative end,
// and is Valid when it holds at least one point and one link. Every failure gives Failed.
AnalysisOutcome RunAnalysis(const std::string& inputPath, ConversionState& state,
                            const ReaderSteps& reader, AnalysisDetails* details = nullptr);

}  // namespace walkconv
