#pragma once

#include <filesystem>
#include <string>

#include "core/drawing/graph_drawing.h"

// The picture of a walking graph as a standalone SVG 1.1 document.
namespace walkconv {

// The document, byte for byte the same for the same drawing: every point and link an element
// with a <title> for its hover text, every text valid XML whatever bytes it holds, and every
// number in an attribute written with two decimals (no exponent, never "inf" or "nan").
std::string FormatGraphSvg(const GraphDrawing& drawing);

// Writes FormatGraphSvg(drawing) to `target` through WriteFileAtomically; throws
// ConversionError when it cannot.
void WriteGraphSvg(const std::filesystem::path& target, const GraphDrawing& drawing);

}  // namespace walkconv
