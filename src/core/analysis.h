#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion_state.h"

namespace walkconv {

// What an analysis noticed beside its outcome, for callers that report more than the windows.
struct AnalysisDetails {
    int droppedLinks = 0;                      // links removed for a negative end
    std::vector<DroppedLink> droppedLinkEnds;  // those links, with their numbers in the file
    std::string failureReason;                 // why the analysis failed, when it did
};

// How one reader fills a state from the text of its input.
struct ReaderSteps {
    std::int16_t initialCount;      // both counts before the scan
    std::size_t modelSuffixLength;  // characters cut from the file name for the model name
    std::function<void(std::string_view text, ConversionState& state)> scan;  // may throw
};

// The analysis both directions share. An empty path, or one naming no regular file, changes
// nothing and gives NothingDone. Otherwise the state starts afresh (zeroed tables), takes the
// path and the model name, is filled by the reader's scan, loses its links with a negative end,
// and is Valid when it holds at least one point and one link. Every failure gives Failed.
AnalysisOutcome RunAnalysis(const std::string& inputPath, ConversionState& state,
                            const ReaderSteps& reader, AnalysisDetails* details = nullptr);

}  // namespace walkconv
