#include "reference/reference_readers.h"

#include <algorithm>
#include <cmath>

#include "core/conversion_error.h"
#include "core/file_names.h"
#include "core/numbers.h"
#include "core/reading_failures.h"
#include "core/text.h"

namespace walkconv::reference {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first occurrence of a needle in a line at or after a position, remembering its last
// answer. Each pass of the scanner asks from the start of its statement, and the positions
// asked only grow from one pass to the next; so each part of the line is searched at most
// once, a file written on one line stays linear, and nothing beyond the line is kept. A finder
// serves one stream of questions: any question gets the right answer, but only growing ones
// are cheap.
class Finder {
  public:
    // `needle` in upper case; with `anyCase`, the line's letters match in either case.
    Finder(std::string_view line, std::string_view needle, bool anyCase = false)
        : line_(line), needle_(needle), anyCase_(anyCase) {}

    std::size_t FirstFrom(std::size_t from) {
        if (!asked_ || from < from_ || from > found_) {
            found_ = Search(from);
            from_ = from;
            asked_ = true;
        }
        return found_;
    }

  private:
    std::size_t Search(std::size_t from) const {
        if (!anyCase_) {
            return line_.find(needle_, from);
        }
        if (line_.size() < needle_.size()) {
            return kNone;
        }
        for (std::size_t at = from; at <= line_.size() - needle_.size(); ++at) {
            std::size_t k = 0;
            while (k < needle_.size() && UpperAscii(line_[at + k]) == needle_[k]) {
                ++k;
            }
            if (k == needle_.size()) {
                return at;
            }
        }
        return kNone;
    }

    std::string_view line_;
    std::string_view needle_;
    bool anyCase_;
    bool asked_ = false;
    std::size_t from_ = 0;
    std::size_t found_ = kNone;  // kNone lies above every position
};

// A keyword, matched in any case, with the punctuation looked for after it.
struct KeywordFinders {
    KeywordFinders(std::string_view line, std::string_view upperKeyword)
        : keyword(line, upperKeyword, true),
          bracket(line, "["),
          equals(line, "="),
          semicolon(line, ";") {}

    Finder keyword, bracket, equals, semicolon;
};

// TextToNumber at a position, remembering the last answer: when a statement lacks a keyword,
// a pass reads the next statement that has it, and the pass that starts there reads it again.
class NumberAt {
  public:
    double Read(std::string_view line, std::size_t pos) {
        if (pos != pos_) {
            value_ = TextToNumber(line.substr(std::min(pos, line.size())));
            pos_ = pos;
        }
        return value_;
    }

  private:
    std::size_t pos_ = kNone;
    double value_ = 0;
};

// One line of a walk source, read statement by statement.
class LineScanner {
  public:
    LineScanner(std::string_view line, int lineNumber, ConversionState& state,
                AnalysisDetails& details, WalkSourceFacts* facts)
        : line_(line),
          lineNumber_(lineNumber),
          verts_(line, "WALK_VERTS"),
          types_(line, "WALK_TYPES"),
          graph_(line, "WALK_GRAPH"),
          count_(line, "WALK_COUNT"),
          graphParen_(line, "("),
          graphPlus_(line, "+"),
          graphSecondParen_(line, "("),
          semicolon_(line, ";"),
          statementEquals_(line, "="),
          state_(state),
          details_(details),
          facts_(facts) {}

    // Reads every statement of the line. A failure carries the place of the statement that
    // holds the keyword being read.
    void Run() {
        try {
            std::size_t start = 0;
            while (true) {
                const std::size_t end = semicolon_.FirstFrom(start);
                ReadVertex(start);
                ReadType(start);
                ReadLink(start);
                if (facts_ != nullptr) {
                    NoteStatement(start, end);
                }
                if (end == kNone) {
                    break;
                }
                start = end + 1;
            }
        } catch (ConversionError& error) {
            error.Locate(lineNumber_, StatementColumn(reading_));
            throw;
        }
    }

  private:
    SourcePlace PlaceOf(std::size_t at) const { return {lineNumber_, StatementColumn(at)}; }

    // The 1-based column of the first character of the statement that holds `at`.
    int StatementColumn(std::size_t at) const {
        if (at == kNone) {
            return 1;
        }
        const std::size_t semicolon = line_.rfind(';', at);
        std::size_t start = semicolon == kNone ? 0 : semicolon + 1;
        while (start < at && (line_[start] == ' ' || line_[start] == '\t')) {
            ++start;
        }
        return static_cast<int>(start) + 1;
    }

    // Where the number after the first `marker` at or after `rest` begins; the whole rest
    // (which begins with a keyword, and so reads 0) when there is none.
    std::size_t NumberPosition(Finder& marker, std::size_t rest) {
        const std::size_t pos = marker.FirstFrom(rest);
        return pos == kNone ? rest : pos + 1;
    }

    double NumberAfter(Finder& marker, NumberAt& cache, std::size_t rest) {
        return cache.Read(line_, NumberPosition(marker, rest));
    }

    // The number after `marker` in 16 bits; a failure names it as `what`.
    std::int16_t Int16After(Finder& marker, NumberAt& cache, std::size_t rest,
                            std::string_view what) {
        const std::size_t pos = NumberPosition(marker, rest);
        const double value = cache.Read(line_, pos);
        return Int16OrFail(value, what, NumberTextAt(pos));
    }

    // The number at `pos` as the line writes it (computed only for a message).
    std::string_view NumberTextAt(std::size_t pos) const {
        return LeadingNumberText(line_.substr(std::min(pos, line_.size())));
    }

    // True when the statement holding the keyword at `at` has no "=" (it declares an array).
    static bool IsDeclaration(KeywordFinders& finders, std::size_t at) {
        const std::size_t equals = finders.equals.FirstFrom(at);
        return equals == kNone || equals > finders.semicolon.FirstFrom(at);
    }

    void ReadVertex(std::size_t start) {
        const std::size_t rest = verts_.keyword.FirstFrom(start);
        if (rest == kNone) {
            return;
        }
        reading_ = rest;
        const int index = Int16After(verts_.bracket, vertsIndex_, rest, "index");
        const double value = NumberAfter(verts_.equals, vertsValue_, rest);
        const int point = static_cast<int>(std::floor(index / 3.0));
        if (point == kTableSize && IsDeclaration(verts_, rest)) {
            // "float m_walk_verts[3003];" declares the full table, as the walk writer does for
            // 1001 points: it counts them all, and the entry past them, which a shorter
            // declaration zeroes, does not exist.
            state_.PointCount = kTableSize;
            return;
        }
        if (point > state_.PointCount) {
            state_.PointCount = static_cast<std::int16_t>(point);
        }
        if (point < 0 || point >= kTableSize) {
            FailOutsideTable(failure_code::kPointOutOfRange, "point number", point,
                             NumberTextAt(NumberPosition(verts_.bracket, rest)),
                             "index " + std::to_string(index));
        }
        state_.Points[point].Coordinate(index - 3 * point) = value;
    }

    void ReadType(std::size_t start) {
        const std::size_t rest = types_.keyword.FirstFrom(start);
        if (rest == kNone) {
            return;
        }
        reading_ = rest;
        const int index = Int16After(types_.bracket, typesIndex_, rest, "index");
        double value = NumberAfter(types_.equals, typesValue_, rest);
        if (value == 5) {
            value = 10;
        }
        if (value == 4) {
            value = 7;
        }
        if (index == kTableSize && IsDeclaration(types_, rest)) {
            return;  // "int m_walk_types[1001];": the full table, nothing past it to zero
        }
        if (index < 0 || index >= kTableSize) {
            FailOutsideTable(failure_code::kTypeOutOfRange, "type index", index,
                             NumberTextAt(NumberPosition(types_.bracket, rest)));
        }
        state_.Points[index].type = value;
    }

    void ReadLink(std::size_t start) {
        const std::size_t rest = graph_.keyword.FirstFrom(start);
        if (rest == kNone) {
            return;
        }
        reading_ = rest;
        const int index = Int16After(graph_.bracket, graphIndex_, rest, "index");
        const std::size_t plus = graphPlus_.FirstFrom(rest);
        if (plus != kNone && graphParen_.FirstFrom(rest) != kNone) {
            const std::int16_t first = Int16After(graphParen_, graphFirst_, rest, "link end");
            if (index < 0 || index >= kTableSize) {
                FailOutsideTable(failure_code::kLinkOutOfRange, "link number", index,
                                 NumberTextAt(NumberPosition(graph_.bracket, rest)));
            }
            Link& link = state_.Links[index];
            link.from = first;
            // The second end follows the first "(" after the "+"; with none, the text from the
            // "+" on is read, sign and all.
            link.to = Int16After(graphSecondParen_, graphSecond_, plus, "link end");
            details_.NoteLinkPlace(index, PlaceOf(rest));
            if (facts_ != nullptr && (link.from >= 256 || link.to >= 256)) {
                facts_->wideLinks.push_back(index);
            }
        }
        if (index > state_.LinkCount) {
            state_.LinkCount = static_cast<std::int16_t>(index);
            details_.linkCountPlace = PlaceOf(rest);
        }
    }

    // Declarations and the count assignment, read from the statement [start, end) alone. These
    // are facts for the checks only: a number there that cannot be read leaves the fact unknown
    // rather than failing an analysis that converts without them.
    void NoteStatement(std::size_t start, std::size_t end) {
        try {
            NoteFacts(start, end);
        } catch (const ConversionError&) {
        }
    }

    void NoteFacts(std::size_t start, std::size_t end) {
        const std::size_t stop = end == kNone ? line_.size() : end;
        const auto within = [&](Finder& finder) {
            const std::size_t pos = finder.FirstFrom(start);
            return pos < stop ? pos : kNone;
        };
        // The index in the "[...]" after a keyword of this statement.
        const auto index = [&](KeywordFinders& finders) -> std::optional<int> {
            const std::size_t at = within(finders.keyword);
            const std::size_t bracket = at == kNone ? kNone : finders.bracket.FirstFrom(at);
            if (bracket < stop) {
                return RoundToInt16(TextToNumber(line_.substr(bracket + 1)));
            }
            return std::nullopt;
        };
        const bool assignment = within(statementEquals_) != kNone;
        if (!assignment) {
            const auto declared = [&](KeywordFinders& finders, std::optional<int>& size) {
                if (const std::optional<int> n = index(finders)) {
                    size = n;
                }
            };
            declared(verts_, facts_->declaredVerts);
            declared(types_, facts_->declaredTypes);
            declared(graph_, facts_->declaredGraph);
            return;
        }
        const auto assigned = [&](KeywordFinders& finders, int& extent) {
            if (const std::optional<int> n = index(finders)) {
                extent = std::max(extent, *n + 1);
            }
        };
        assigned(verts_, facts_->assignedVerts);
        assigned(graph_, facts_->assignedGraph);
        if (const std::size_t at = within(count_.keyword); at != kNone) {
            const std::size_t equals = count_.equals.FirstFrom(at);
            if (equals < stop) {
                facts_->assignedCount = TextToNumber(line_.substr(equals + 1));
            }
        }
    }

    std::string_view line_;
    int lineNumber_;
    std::size_t reading_ = kNone;  // the keyword whose statement is being read
    KeywordFinders verts_, types_, graph_, count_;
    Finder graphParen_, graphPlus_, graphSecondParen_;  // the two ends of a link
    Finder semicolon_;                                  // statement ends, pass by pass
    Finder statementEquals_;                            // the first "=" from the start of each pass
    NumberAt vertsIndex_, vertsValue_, typesIndex_, typesValue_;
    NumberAt graphIndex_, graphFirst_, graphSecond_;
    ConversionState& state_;
    AnalysisDetails& details_;
    WalkSourceFacts* facts_;
};

}  // namespace

void ScanWalkText(std::string_view text, ConversionState& state, WalkSourceFacts* facts,
                  AnalysisDetails* details) {
    AnalysisDetails unused;
    LineSplitter lines(text);
    int lineNumber = 0;
    for (std::string_view line; lines.Next(line);) {
        LineScanner(line, ++lineNumber, state, details != nullptr ? *details : unused, facts).Run();
    }
}

AnalysisOutcome AnalyseWalk(const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details, WalkSourceFacts* facts) {
    if (facts != nullptr) {
        *facts = WalkSourceFacts{};
    }
    const ReaderSteps reader{
        0, kWalkSourceSuffix.size(),
        [facts](std::string_view text, ConversionState& s, AnalysisDetails& d) {
            reference::ScanWalkText(text, s, facts, &d);
        }};
    return RunAnalysis(inputPath, state, reader, details);
}

}  // namespace walkconv::reference
