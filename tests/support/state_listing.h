#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include "core/conversion_state.h"

namespace walkconv::testing {

// The shortest text that reads back as `value` ("1.5", "-2", "0.1").
inline std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// What a converter would write from `state`, one line each: the model name and the counts,
// then the points below PointCount ("point 0 = x y z type") and the links below LinkCount
// ("link 0 = from to"). Lets a test compare a whole analysed state with one expected text.
inline std::string StateListing(const ConversionState& state) {
    std::string out = "model '" + state.ModelName + "' points " + std::to_string(state.PointCount) +
                      " links " + std::to_string(state.LinkCount) + "\n";
    for (int i = 0; i < state.PointCount; ++i) {
        const Point& p = state.Points[i];
        out += "point " + std::to_string(i) + " = " + ShortestText(p.x) + " " + ShortestText(p.y) +
               " " + ShortestText(p.z) + " " + ShortestText(p.type) + "\n";
    }
    for (int i = 0; i < state.LinkCount; ++i) {
        const Link& l = state.Links[i];
        out += "link " + std::to_string(i) + " = " + std::to_string(l.from) + " " +
               std::to_string(l.to) + "\n";
    }
    return out;
}

// `text` with every LF replaced by `ending` ("\r\n", "\r"): one test input in all three
// line-end styles.
inline std::string WithLineEnds(std::string_view text, std::string_view ending) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += ending;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace walkconv::testing
