#include "core/analysis.h"

#include <exception>
#include <utility>

#include "core/conversion_error.h"
#include "core/text.h"
#include "core/text_file.h"

namespace walkconv {

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
    try {
        state.ModelName = DropLastCharacters(FileNameOf(inputPath), reader.modelSuffixLength);
        const std::string text = ReadTextFile(path);
        reader.scan(text, state);
        out.droppedLinks = DropLinksWithNegativeEnds(state, &out.droppedLinkEnds);
    } catch (const std::exception& error) {
        // ConversionError for the reader's limits; anything else the platform reports while
        // reading (memory, say) fails the analysis just the same.
        out.failureReason = error.what();
        return AnalysisOutcome::Failed;
    }
    return state.PointCount > 0 && state.LinkCount > 0 ? AnalysisOutcome::Valid
                                                       : AnalysisOutcome::NotValid;
}

}  // namespace walkconv
