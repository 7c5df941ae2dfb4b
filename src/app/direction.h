#pragma once

#include <span>
#include <string_view>

#include "app/window_tables.h"
#include "core/input_kind.h"

// A direction of conversion as a value: what a converter window reads, writes, proposes and
// says. The converter window's behaviour is the same for both; only these differ.
namespace walkconv::app {

struct Direction {
    const WindowSpec& window;
    std::span<const FileFilter> openFilters;  // of the input's dialog
    std::span<const FileFilter> saveFilters;  // of the output's dialog
    std::string_view outputSuffix;            // after the model name in the proposed name
    std::string_view notValidText;            // the refusal shown in the result area
    // The model name box Text2: filled by a valid analysis, editable, and the name the output
    // is written under.
    bool namesOutput;
    InputKind reads;   // the kind of its input, which Analyse reads
    InputKind writes;  // the kind Convert! writes
};

const Direction& WalkToSailorpoints();
const Direction& SailorpointsToWalk();

}  // namespace walkconv::app
