#pragma once

#include <algorithm>
#include <string>

#include "core/conversion_state.h"
#include "core/walk/walk_writer.h"

// Walk sources of the largest size the tables hold, shared by the reader's speed test and the
// benchmark.
namespace walkconv::testing {

inline constexpr int kMaxPoints = 1000;
inline constexpr int kMaxLinks = 1000;

// A state for the model "ship" with `points` points and `links` links. The coordinates mix
// whole numbers, short fractions and 15-digit fractions; the types cycle through 1, 10 and 7;
// link i joins point i % points with the next point.
inline ConversionState SampleState(int points = kMaxPoints, int links = kMaxLinks) {
    ConversionState state;
    state.ModelName = "ship";
    state.PointCount = static_cast<std::int16_t>(points);
    state.LinkCount = static_cast<std::int16_t>(links);
    for (int i = 0; i < points; ++i) {
        Point& p = state.Points[i];
        p.x = i * 0.125 - 40;
        p.y = (i % 17) * 1.5;
        p.z = -i / 7.0;
        p.type = i % 3 == 0 ? 1 : (i % 3 == 1 ? 10 : 7);
    }
    for (int i = 0; i < links; ++i) {
        state.Links[i] = Link{static_cast<std::int16_t>(i % points),
                              static_cast<std::int16_t>((i + 1) % points)};
    }
    return state;
}

// The walk source of `state` with one statement per line, as the walk writer lays it out.
inline std::string MultiLineWalk(const ConversionState& state) {
    return FormatWalkSource(state);
}

// The same walk source on one single line: every line break removed, so that the statements
// are separated only by ";".
inline std::string OneLineWalk(const ConversionState& state) {
    std::string text = FormatWalkSource(state);
    text.erase(
        std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
        text.end());
    return text;
}

}  // namespace walkconv::testing
