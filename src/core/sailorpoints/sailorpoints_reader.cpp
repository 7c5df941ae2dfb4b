#include "core/sailorpoints/sailorpoints_reader.h"

#include "core/file_names.h"
#include "core/numbers.h"
#include "core/text.h"

namespace walkconv {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Point types of sailorpoints files mapped to those of walk sources.
double MapPointType(double type) {
    if (type == 7 || type == 8 || type == 9) {
        return 4;
    }
    if (type == 10) {
        return 5;
    }
    return type;
}

// Moves `rest` past its first comma; false when it has none.
bool NextField(std::string_view& rest) {
    const std::size_t comma = rest.find(',');
    if (comma == kNone) {
        return false;
    }
    rest.remove_prefix(comma + 1);
    return true;
}

// "point N = x, y, z, type": stored only with "=" and three commas after the word.
void ReadPoint(std::string_view rest, ConversionState& state) {
    constexpr std::size_t kWordLength = 5;  // "point"
    const int number = RoundToInt16(TextToNumber(rest.substr(kWordLength)));
    const std::size_t equals = rest.find('=');
    if (equals == kNone) {
        return;
    }
    Point point;
    point.x = TextToNumber(rest.substr(equals + 1));
    if (!NextField(rest)) {
        return;
    }
    point.y = TextToNumber(rest);
    if (!NextField(rest)) {
        return;
    }
    point.z = TextToNumber(rest);
    if (!NextField(rest)) {
        return;
    }
    point.type = MapPointType(TextToNumber(rest));
    state.Points[number] = point;
    if (number > state.PointCount) {
        state.PointCount = static_cast<std::int16_t>(number);
    }
}

// "link N = a, b": stored only with "=" and a comma after the word.
void ReadLink(std::string_view rest, ConversionState& state) {
    constexpr std::size_t kWordLength = 4;  // "link"
    const int number = RoundToInt16(TextToNumber(rest.substr(kWordLength)));
    const std::size_t equals = rest.find('=');
    if (equals == kNone) {
        return;
    }
    const double first = TextToNumber(rest.substr(equals + 1));
    if (!NextField(rest)) {
        return;
    }
    const std::int16_t second = RoundToInt16(TextToNumber(TextAfterFirst(rest, '=')));
    Link& link = state.Links[number];
    link = Link{RoundToInt16(first), second};
    if (number > state.LinkCount) {
        state.LinkCount = static_cast<std::int16_t>(number);
    }
}

}  // namespace

void ScanSailorpointsText(std::string_view text, ConversionState& state) {
    LineSplitter lines(text);
    for (std::string_view line; lines.Next(line);) {
        const std::string upper = ToUpperAscii(line);
        if (upper.find("POINT_DATA") != kNone) {
            state.PointCount = 0;
        }
        if (upper.find("LINK_DATA") != kNone) {
            state.LinkCount = 0;
        }
        // Nothing before the first section marker counts, the [SIZE] section included.
        if (state.PointCount < 0 && state.LinkCount < 0) {
            continue;
        }
        if (const std::size_t at = upper.find("POINT"); at != kNone) {
            ReadPoint(line.substr(at), state);
        }
        if (const std::size_t at = upper.find("LINK"); at != kNone) {
            ReadLink(line.substr(at), state);
        }
    }
    state.PointCount = static_cast<std::int16_t>(state.PointCount + 1);
    state.LinkCount = static_cast<std::int16_t>(state.LinkCount + 1);
}

AnalysisOutcome AnalyseSailorpoints(const std::string& inputPath, ConversionState& state,
                                    AnalysisDetails* details) {
    const ReaderSteps reader{-1, kSailorpointsSuffix.size(), ScanSailorpointsText};
    return RunAnalysis(inputPath, state, reader, details);
}

}  // namespace walkconv
