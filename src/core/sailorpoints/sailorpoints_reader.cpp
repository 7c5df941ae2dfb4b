#include "core/sailorpoints/sailorpoints_reader.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/conversion_error.h"
#include "core/file_names.h"
#include "core/numbers.h"
#include "core/point_types.h"
#include "core/reading_failures.h"
#include "core/text.h"

namespace walkconv {

namespace {

// Where a line holds the words that the reader acts on: the first "point" and the first "link"
// (any case, inside longer words too), and whether a section marker stands anywhere in it.
struct LineWords {
    std::size_t point = kNone;
    std::size_t link = kNone;
    bool pointData = false;  // "POINT_DATA"
    bool linkData = false;   // "LINK_DATA"
};

// One pass over the line finds them all: each marker begins with its word, so only the places
// of a "P" or an "L" in either case need a closer look.
LineWords FindWords(std::string_view line) {
    LineWords words;
    const auto next = [line](std::size_t from) {
        return FindEitherByte(line, from, 'p', 'l', 0x20);
    };
    for (std::size_t at = next(0); at != kNone; at = next(at + 1)) {
        const std::string_view rest = line.substr(at);
        const unsigned char c = kUpperCase[static_cast<unsigned char>(line[at])];
        if (c == 'P' && StartsWithAnyCase(rest, "POINT")) {
            words.point = std::min(words.point, at);
            words.pointData = words.pointData || StartsWithAnyCase(rest, "POINT_DATA");
        } else if (c == 'L' && StartsWithAnyCase(rest, "LINK")) {
            words.link = std::min(words.link, at);
            words.linkData = words.linkData || StartsWithAnyCase(rest, "LINK_DATA");
        }
    }
    return words;
}

// True for a line whose first byte other than a blank is ";" or "#": a comment to every INI
// reader, which no rule reads.
bool IsCommentLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first != kNone && (line[first] == ';' || line[first] == '#');
}

// Where the reader found things in the text that begins at `base`: ranges of views into it.
struct Locator {
    const char* base = nullptr;
    std::vector<StatementPlace>* places = nullptr;

    TextRange Of(std::string_view part) const {
        const auto begin = static_cast<std::size_t>(part.data() - base);
        return {begin, begin + part.size()};
    }
    // The range of the number with which `text` begins; empty, at its start, when none does.
    TextRange NumberIn(std::string_view text) const {
        const std::string_view number = LeadingNumberText(text);
        return number.empty() ? Of(text.substr(0, 0)) : Of(number);
    }
};

// The place of a line read as one statement: the line's content from its first non-blank.
StatementPlace LinePlace(StatementKind kind, int number, std::string_view line, int lineNumber,
                         std::size_t nextLine, const Locator& locator) {
    StatementPlace place;
    place.kind = kind;
    place.line = lineNumber;
    place.number = number;
    place.lineContent = locator.Of(line);
    place.statement = locator.Of(line.substr(std::min(line.find_first_not_of(" \t"), line.size())));
    place.lineEnd = nextLine;
    return place;
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
    return Int16OrFailWith(TextToNumber(after), what, [after] { return LeadingNumberText(after); });
}

// Fails unless `number` is a column of the tables.
void CheckColumn(int number, std::string_view rest, std::size_t wordLength, std::string_view code,
                 std::string_view what) {
    if (number < 0 || number >= kTableSize) {
        FailOutsideTable(code, what, number, LeadingNumberText(rest.substr(wordLength)));
    }
}

// "point N = x, y, z, type": stored only with "=" and three commas after the word. With
// `place`, the ranges of its number and values are noted there, and true returned once stored.
bool ReadPoint(std::string_view rest, ConversionState& state, TypeCodes codes,
               StatementPlace* place = nullptr, const Locator* locator = nullptr) {
    constexpr std::size_t kWordLength = 5;  // "point"
    const std::string_view whole = rest;
    const int number = NumberAfterWord(rest, kWordLength, "point number");
    const std::size_t equals = rest.find('=');
    if (equals == kNone) {
        return false;
    }
    std::array<std::string_view, 4> fields{rest.substr(equals + 1)};
    Point point;
    point.x = TextToNumber(fields[0]);
    for (int k = 1; k < 4; ++k) {
        if (!NextField(rest)) {
            return false;
        }
        fields[static_cast<std::size_t>(k)] = rest;
        const double value = TextToNumber(rest);
        if (k < 3) {
            point.Coordinate(k) = value;
        } else {
            point.type = value;
        }
    }
    if (codes == TypeCodes::OtherKind) {
        point.type = SailorpointsTypeInWalk(point.type);
    }
    CheckColumn(number, whole, kWordLength, failure_code::kPointOutOfRange, "point number");
    state.Points[number] = point;
    if (number > state.PointCount) {
        state.PointCount = static_cast<std::int16_t>(number);
    }
    if (place != nullptr) {
        place->numberText = locator->NumberIn(whole.substr(kWordLength));
        for (const std::string_view field : fields) {
            place->values[static_cast<std::size_t>(place->valueCount++)] = locator->NumberIn(field);
        }
    }
    return true;
}

// "link N = a, b": stored only with "=" and a comma after the word; noted as ReadPoint notes.
bool ReadLink(std::string_view rest, ConversionState& state, AnalysisDetails& details,
              SourcePlace place, StatementPlace* located = nullptr,
              const Locator* locator = nullptr) {
    constexpr std::size_t kWordLength = 4;  // "link"
    const std::string_view whole = rest;
    const int number = NumberAfterWord(rest, kWordLength, "link number");
    const std::size_t equals = rest.find('=');
    if (equals == kNone) {
        return false;
    }
    const std::string_view firstText = rest.substr(equals + 1);
    const double first = TextToNumber(firstText);
    if (!NextField(rest)) {
        return false;
    }
    const std::string_view secondText = TextAfterFirst(rest, '=');
    const std::int16_t second = Int16OrFailWith(TextToNumber(secondText), "link end", [secondText] {
        return LeadingNumberText(secondText);
    });
    CheckColumn(number, whole, kWordLength, failure_code::kLinkOutOfRange, "link number");
    state.Links[number] = Link{
        Int16OrFailWith(first, "link end", [firstText] { return LeadingNumberText(firstText); }),
        second};
    details.NoteLinkPlace(number, place);
    if (number > state.LinkCount) {
        details.linkCountPlace = place;
        state.LinkCount = static_cast<std::int16_t>(number);
    }
    if (located != nullptr) {
        located->numberText = locator->NumberIn(whole.substr(kWordLength));
        located->values[0] = locator->NumberIn(firstText);
        located->values[1] = locator->NumberIn(secondText);
        located->valueCount = 2;
    }
    return true;
}

// "points = N" or "links = N" of the [SIZE] section, which the reading itself passes over.
void LocateSize(std::string_view line, int lineNumber, std::size_t nextLine,
                const Locator& locator) {
    const std::string_view rest = line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
    const bool points = StartsWithAnyCase(rest, "POINTS");
    if (!points && !StartsWithAnyCase(rest, "LINKS")) {
        return;
    }
    const std::size_t equals = rest.find('=');
    if (equals == kNone) {
        return;
    }
    const std::string_view value = rest.substr(equals + 1);
    const std::string_view number = LeadingNumberText(value);
    if (number.empty() || number.find_first_not_of("0123456789") != kNone || number.size() > 5) {
        return;
    }
    StatementPlace place =
        LinePlace(points ? StatementKind::PointsSize : StatementKind::LinksSize,
                  std::stoi(std::string(number)), line, lineNumber, nextLine, locator);
    place.numberText = locator.Of(number);
    locator.places->push_back(place);
}

}  // namespace

void ScanSailorpointsText(std::string_view text, ConversionState& state, AnalysisDetails* details,
                          TypeCodes codes, std::vector<StatementPlace>* places) {
    const Locator locator{text.data(), places};
    AnalysisDetails unused;
    AnalysisDetails& notes = details != nullptr ? *details : unused;
    LineSplitter lines(text);
    int lineNumber = 0;
    for (std::string_view line; lines.Next(line);) {
        ++lineNumber;
        if (IsCommentLine(line)) {
            continue;
        }
        const LineWords words = FindWords(line);
        if (words.pointData) {
            state.PointCount = 0;
        }
        if (words.linkData) {
            state.LinkCount = 0;
        }
        const std::size_t nextLine =
            places != nullptr ? NextLineStart(text, locator.Of(line).end) : 0;
        // Nothing before the first section marker counts, the [SIZE] section included.
        if (state.PointCount < 0 && state.LinkCount < 0) {
            if (places != nullptr) {
                LocateSize(line, lineNumber, nextLine, locator);
            }
            continue;
        }
        std::size_t reading = 0;  // the word whose rule is being applied; a failure points there
        try {
            if (words.point != kNone) {
                reading = words.point;
                const std::string_view rest = line.substr(words.point);
                StatementPlace place;
                if (places == nullptr) {
                    ReadPoint(rest, state, codes);
                } else if (ReadPoint(rest, state, codes, &place, &locator)) {
                    StatementPlace located =
                        LinePlace(StatementKind::PointLine, 0, line, lineNumber, nextLine, locator);
                    located.number = NumberAfterWord(rest, 5, "point number");
                    located.numberText = place.numberText;
                    located.values = place.values;
                    located.valueCount = place.valueCount;
                    places->push_back(located);
                }
            }
            if (words.link != kNone) {
                reading = words.link;
                const std::string_view rest = line.substr(words.link);
                const SourcePlace where{lineNumber, static_cast<int>(words.link) + 1};
                StatementPlace place;
                if (places == nullptr) {
                    ReadLink(rest, state, notes, where);
                } else if (ReadLink(rest, state, notes, where, &place, &locator)) {
                    StatementPlace located =
                        LinePlace(StatementKind::LinkLine, 0, line, lineNumber, nextLine, locator);
                    located.number = NumberAfterWord(rest, 4, "link number");
                    located.numberText = place.numberText;
                    located.values = place.values;
                    located.valueCount = place.valueCount;
                    places->push_back(located);
                }
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
                                    AnalysisDetails* details, TypeCodes codes,
                                    TextLocations* located) {
    const ReaderSteps reader{
        -1, kSailorpointsSuffix.size(),
        [codes, located](std::string_view text, ConversionState& s, AnalysisDetails& d) {
            if (located != nullptr) {
                located->text = text;
                located->statements.clear();
            }
            ScanSailorpointsText(text, s, &d, codes,
                                 located != nullptr ? &located->statements : nullptr);
        }};
    return RunAnalysis(inputPath, state, reader, details);
}

}  // namespace walkconv
