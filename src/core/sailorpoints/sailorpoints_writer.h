#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/conversion_state.h"

namespace walkconv {

// The sailorpoints file for the points 0..PointCount-1 and links 0..LinkCount-1 of `state`:
// [SIZE], [POINT_DATA], [LINK_DATA], every line ending with CR LF.
std::string FormatSailorpoints(const ConversionState& state);

// Writes FormatSailorpoints(state) to `path`, replacing it atomically.
// Throws ConversionError when the file cannot be written.
void WriteSailorpoints(const std::filesystem::path& path, const ConversionState& state);

}  // namespace walkconv
