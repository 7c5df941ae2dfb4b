#include "app/direction.h"

#include "core/file_names.h"
#include "core/messages.h"

namespace walkconv::app {

const Direction& WalkToSailorpoints() {
    static const Direction direction{
        .window = WalkToSailorpointsWindow(),
        .openFilters = WalkSourceFilters(),
        .saveFilters = SailorpointsFilters(),
        .outputSuffix = kSailorpointsSuffix,
        .notValidText = kNotValidWalkText,
        .namesOutput = false,
        .reads = InputKind::WalkSource,
        .writes = InputKind::Sailorpoints,
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
        .reads = InputKind::Sailorpoints,
        .writes = InputKind::WalkSource,
    };
    return direction;
}

}  // namespace walkconv::app
