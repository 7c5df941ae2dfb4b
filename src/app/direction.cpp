#include "app/direction.h"

#include "core/file_names.h"
#include "core/messages.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_writer.h"

namespace walkconv::app {

namespace {

AnalysisOutcome AnalyseWalkFile(const std::string& inputPath, ConversionState& state,
                                AnalysisDetails* details, WalkSourceFacts* facts) {
    return AnalyseWalk(inputPath, state, details, facts);
}

AnalysisOutcome AnalyseSailorpointsFile(const std::string& inputPath, ConversionState& state,
                                        AnalysisDetails* details, WalkSourceFacts*) {
    return AnalyseSailorpoints(inputPath, state, details);
}

}  // namespace

const Direction& WalkToSailorpoints() {
    static const Direction direction{
        .window = WalkToSailorpointsWindow(),
        .openFilters = WalkSourceFilters(),
        .saveFilters = SailorpointsFilters(),
        .outputSuffix = kSailorpointsSuffix,
        .notValidText = kNotValidWalkText,
        .namesOutput = false,
        .analyse = AnalyseWalkFile,
        .write = WriteSailorpoints,
        .readsWalkSources = true,
    };
    return direction;
}

const Direction& SailorpointsToWalk() {
    static const Direction direction{
        .window = SailorpointsToWalkWindow(),
        .openFilters = SailorpointsFilters(),
        .saveFilters = WalkSourceFilters(),
        .outputSuffix = kWalkSourceSuffix,
        .notValidText = kNotValidSailorpointsText,
        .namesOutput = true,
        .analyse = AnalyseSailorpointsFile,
        .write = WriteWalkSource,
        .readsWalkSources = false,
    };
    return direction;
}

}  // namespace walkconv::app
