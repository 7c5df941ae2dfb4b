#include "reference/reference_readers.h"

#include "core/conversion_error.h"
#include "core/file_names.h"
#include "core/numbers.h"
#include "core/reading_failures.h"
#include "core/text.h"

namespace walkconv::reference {

namespace {

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

// The number that follows a word of `wordLength` letters at the start of `rest`, in 16 bits; a
// failure names it as `what`.
int NumberAfterWord(std::string_view rest, std::size_t wordLength, std::string_view what) {
    const std::string_view after = rest.substr(wordLength);
    return Int16OrFail(TextToNumber(after), what, LeadingNumberText(after));
}

// Fails unless `number` is a column of the tables.
void CheckColumn(int number, std::string_view rest, std::size_t wordLength, std::string_view code,
                 std::string_view what) {
    if (number < 0 || number >= kTableSize) {
        FailOutsideTable(code, what, number, LeadingNumberText(rest.substr(wordLength)));
    }
}

// "point N = x, y, z, type": stored only with "=" and three commas after the word.
void ReadPoint(std::string_view rest, ConversionState& state) {
    constexpr std::size_t kWordLength = 5;  // "point"
    const std::string_view whole = rest;
    const int number = NumberAfterWord(rest, kWordLength, "point number");
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
    CheckColumn(number, whole, kWordLength, failure_code::kPointOutOfRange, "point number");
    state.Points[number] = point;
    if (number > state.PointCount) {
        state.PointCount = static_cast<std::int16_t>(number);
    }
}

// "link N = a, b": stored only with "=" and a comma after the word.
void ReadLink(std::string_view rest, ConversionState& state, AnalysisDetails& details,
              SourcePlace place) {
    constexpr std::size_t kWordLength = 4;  // "link"
    const std::string_view whole = rest;
    const int number = NumberAfterWord(rest, kWordLength, "link number");
    const std::size_t equals = rest.find('=');
    if (equals == kNone) {
        return;
    }
    const std::string_view firstText = rest.substr(equals + 1);
    const double first = TextToNumber(firstText);
    if (!NextField(rest)) {
        return;
    }
    const std::string_view secondText = TextAfterFirst(rest, '=');
    const std::int16_t second =
        Int16OrFail(TextToNumber(secondText), "link end", LeadingNumberText(secondText));
    CheckColumn(number, whole, kWordLength, failure_code::kLinkOutOfRange, "link number");
    state.Links[number] =
        Link{Int16OrFail(first, "link end", LeadingNumberText(firstText)), second};
    details.NoteLinkPlace(number, place);
    if (number > state.LinkCount) {
        details.linkCountPlace = place;
        state.LinkCount = static_cast<std::int16_t>(number);
    }
}

}  // namespace

void ScanSailorpointsText(std::string_view text, ConversionState& state, AnalysisDetails* details) {
    AnalysisDetails unused;
    AnalysisDetails& notes = details != nullptr ? *details : unused;
    LineSplitter lines(text);
    int lineNumber = 0;
    for (std::string_view line; lines.Next(line);) {
        ++lineNumber;
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
        std::size_t reading = 0;  // the word whose rule is being applied; a failure points there
        try {
            if (const std::size_t at = upper.find("POINT"); at != kNone) {
                reading = at;
                ReadPoint(line.substr(at), state);
            }
            if (const std::size_t at = upper.find("LINK"); at != kNone) {
                reading = at;
                ReadLink(line.substr(at), state, notes, {lineNumber, static_cast<int>(at) + 1});
            }
        } catch (ConversionError& error) {
            error.Locate(lineNumber, static_cast<int>(reading) + 1);
            throw;
        }
    }
    state.PointCount = static_cast<std::int16_t>(state.PointCount + 1);
    state.LinkCount = static_cast<std::int16_t>(state.LinkCount + 1);
}

AnalysisOutcome AnalyseSailorpoints(const std::string& inputPath, ConversionState& state,
                                    AnalysisDetails* details) {
    const ReaderSteps reader{-1, kSailorpointsSuffix.size(),
                             [](std::string_view text, ConversionState& s, AnalysisDetails& d) {
                                 reference::ScanSailorpointsText(text, s, &d);
                             }};
    return RunAnalysis(inputPath, state, reader, details);
}

}  // namespace walkconv::reference
