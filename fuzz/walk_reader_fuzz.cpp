// Any bytes, saved as a walk source and analysed as the window does: the analysis ends in one
// of its outcomes, and a valid state can be written in both layouts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "sailorpoints_to_walk/walk_writer.h"
#include "walk_to_sailorpoints/sailorpoints_writer.h"
#include "walk_to_sailorpoints/walk_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace walkconv;
    const std::string path = fuzz::ScratchFolder().Put(
        "fuzz_walk.c", std::string_view(reinterpret_cast<const char*>(data), size));

    ConversionState state;
    AnalysisDetails details;
    WalkSourceFacts facts;
    const AnalysisOutcome outcome = AnalyseWalk(path, state, &details, &facts);
    fuzz::CheckAnalysis(outcome, state, details);
    if (outcome == AnalysisOutcome::Valid) {
        fuzz::Require(state.ModelName == "fuzz", "the model name comes from the file name");
        fuzz::Require(!FormatSailorpoints(state).empty(), "a valid state has a sailorpoints text");
        fuzz::Require(!FormatWalkSource(state).empty(), "a valid state has a walk source text");
    }
    return 0;
}
