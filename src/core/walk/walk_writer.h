#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/conversion_state.h"

namespace walkconv {

// The walk source for the points 0..PointCount-1 and links 0..LinkCount-1 of `state`, every
// identifier prefixed with its ModelName: three declared arrays, a count and an init function
// that fills them, 8-space indent, every line ending with CR LF.
std::string FormatWalkSource(const ConversionState& state);

// Writes FormatWalkSource(state) to `path`, replacing it atomically.
// Throws ConversionError when the file cannot be written.
void WriteWalkSource(const std::filesystem::path& path, const ConversionState& state);

}  // namespace walkconv
