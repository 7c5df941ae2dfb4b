#include "core/walk/walk_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/conversion_error.h"
#include "core/file_names.h"
#include "core/numbers.h"
#include "core/point_types.h"
#include "core/reading_failures.h"
#include "core/text.h"
#include "core/walk/comments.h"
#include "core/walk/link_value.h"

namespace walkconv {

namespace {

// A decimal integer as the walk writer writes one: digits, perhaps after a sign, with no
// leading zero. The save writes a changed link end over such a literal; one in another
// spelling (octal, hexadecimal) is kept as written and not changed.
bool IsPlainInteger(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    return !text.empty() && (text == "0" || text.front() != '0') &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The first occurrence of a needle in a line at or after a position, remembering its last
// answer. Each pass of the scanner asks from the start of its statement, and the positions
// asked only grow from one pass to the next; so each part of the line is searched at most
// once, a file written on one line stays linear, and nothing beyond the line is kept. A finder
// serves one stream of questions: any question gets the right answer, but only growing ones
// are cheap. It holds no more than its last question and answer, since a line has many finders
// and most are never asked; the search itself comes with each question.
class Finder {
  public:
    Finder() = default;
    // A finder that already knows the first occurrence in the whole line.
    explicit Finder(std::size_t first) : from_(0), found_(first) {}

    // `search(at)` gives the first occurrence at or after `at`.
    template <typename Search>
    std::size_t FirstFrom(std::size_t from, const Search& search) {
        if (from < from_ || from > found_) {
            found_ = search(from);
            from_ = from;
        }
        return found_;
    }

  private:
    std::size_t from_ = kNone;   // the last question; kNone before the first one
    std::size_t found_ = kNone;  // its answer; kNone lies above every position
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

// The keywords, in upper case. Each is "WALK_" and a word of five letters.
enum Keyword { kVerts, kTypes, kGraph, kCount, kKeywords };
constexpr std::string_view kUpperKeywords[kKeywords] = {"WALK_VERTS", "WALK_TYPES", "WALK_GRAPH",
                                                        "WALK_COUNT"};

// Where the search for a keyword anchors: the first letter after "WALK_", which differs from
// keyword to keyword and is rare elsewhere, so that a search for one keyword passes over the
// statements of the others quickly.
constexpr std::size_t kWordAnchor = 5;

using KeywordPlaces = std::array<std::size_t, kKeywords>;

// The first place of every keyword in a line, or kNone. One sweep over the line's "_"s does
// for all keywords what a search for each would do separately; a line that holds none is then
// passed over at once.
KeywordPlaces FirstKeywords(std::string_view line) {
    KeywordPlaces first;
    first.fill(kNone);
    constexpr std::size_t kPrefix = 4;  // "WALK" before the "_"
    constexpr std::size_t kWord = 5;    // the letters after it
    int missing = kKeywords;
    for (std::size_t underscore = line.find('_', kPrefix);
         underscore != kNone && underscore + 1 + kWord <= line.size() && missing > 0;
         underscore = line.find('_', underscore + 1)) {
        const std::size_t at = underscore - kPrefix;
        if (!StartsWithAnyCase(line.substr(at, kPrefix), "WALK")) {
            continue;
        }
        for (int k = 0; k < kKeywords; ++k) {
            if (first[k] == kNone && StartsWithAnyCase(line.substr(underscore + 1),
                                                       kUpperKeywords[k].substr(kPrefix + 1))) {
                first[k] = at;
                --missing;
                break;
            }
        }
    }
    return first;
}

// A keyword, matched in any case, with the punctuation looked for after it and the numbers
// read after that punctuation.
struct KeywordFinders {
    KeywordFinders(Keyword kind, std::size_t first) : kind(kind), keyword(first) {}

    Keyword kind;
    Finder keyword, bracket, equals, semicolon;
    NumberAt index, value;
};

// One line of a walk source, read statement by statement.
class LineScanner {
  public:
    LineScanner(std::string_view line, const KeywordPlaces& keywords, int lineNumber,
                ConversionState& state, AnalysisDetails& details, WalkSourceFacts* facts,
                TypeCodes codes)
        : line_(line),
          lineNumber_(lineNumber),
          verts_(kVerts, keywords[kVerts]),
          types_(kTypes, keywords[kTypes]),
          graph_(kGraph, keywords[kGraph]),
          count_(kCount, keywords[kCount]),
          state_(state),
          details_(details),
          facts_(facts),
          codes_(codes) {}

    // Notes in `places` where each statement stored stands; the line starts at `offset` of the
    // text and the next one at `next`.
    void LocateIn(std::vector<StatementPlace>* places, std::size_t offset, std::size_t next) {
        places_ = places;
        lineOffset_ = offset;
        nextLine_ = next;
    }

    // Reads every statement of the line. A failure carries the place of the statement that
    // holds the keyword being read.
    void Run() {
        try {
            std::size_t start = 0;
            while (true) {
                const std::size_t end = Find(semicolon_, ';', start);
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
    std::size_t Find(Finder& finder, char c, std::size_t from) {
        return finder.FirstFrom(from, [this, c](std::size_t at) { return line_.find(c, at); });
    }

    std::size_t Find(KeywordFinders& finders, std::size_t from) {
        return finders.keyword.FirstFrom(from, [this, &finders](std::size_t at) {
            return FindAnyCase(line_, kUpperKeywords[finders.kind], at, kWordAnchor);
        });
    }

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
    std::size_t NumberPosition(Finder& marker, char c, std::size_t rest) {
        const std::size_t pos = Find(marker, c, rest);
        return pos == kNone ? rest : pos + 1;
    }

    double NumberAfter(Finder& marker, char c, NumberAt& cache, std::size_t rest) {
        return cache.Read(line_, NumberPosition(marker, c, rest));
    }

    // The number after `marker` in 16 bits; a failure names it as `what`.
    std::int16_t Int16After(Finder& marker, char c, NumberAt& cache, std::size_t rest,
                            std::string_view what) {
        const std::size_t pos = NumberPosition(marker, c, rest);
        return Int16OrFailWith(cache.Read(line_, pos), what, [&] { return NumberTextAt(pos); });
    }

    // The number at `pos` as the line writes it (computed only for a message).
    std::string_view NumberTextAt(std::size_t pos) const {
        return LeadingNumberText(line_.substr(std::min(pos, line_.size())));
    }

    // True when the statement holding the keyword at `at` has no "=" (it declares an array).
    bool IsDeclaration(KeywordFinders& finders, std::size_t at) {
        const std::size_t equals = Find(finders.equals, '=', at);
        return equals == kNone || equals > Find(finders.semicolon, ';', at);
    }

    void ReadVertex(std::size_t start) {
        const std::size_t rest = Find(verts_, start);
        if (rest == kNone || rest == vertsRead_) {
            return;
        }
        reading_ = rest;
        const int index = Int16After(verts_.bracket, '[', verts_.index, rest, "index");
        const double value = NumberAfter(verts_.equals, '=', verts_.value, rest);
        const int point = static_cast<int>(std::floor(index / 3.0));
        if (point == kTableSize && IsDeclaration(verts_, rest)) {
            // "float m_walk_verts[3003];" declares the full table, as the walk writer does for
            // 1001 points: it counts them all, and the entry past them, which a shorter
            // declaration zeroes, does not exist.
            state_.PointCount = kTableSize;
            vertsRead_ = rest;
            Locate(StatementKind::VertsSize, index, verts_, rest);
            return;
        }
        if (point > state_.PointCount) {
            state_.PointCount = static_cast<std::int16_t>(point);
        }
        if (point < 0 || point >= kTableSize) {
            FailOutsideTable(failure_code::kPointOutOfRange, "point number", point,
                             NumberTextAt(NumberPosition(verts_.bracket, '[', rest)),
                             "index " + std::to_string(index));
        }
        state_.Points[point].Coordinate(index - 3 * point) = value;
        vertsRead_ = rest;
        if (places_ != nullptr) {
            LocateStatement(StatementKind::Vertex, StatementKind::VertsSize, index, verts_, rest);
        }
    }

    void ReadType(std::size_t start) {
        const std::size_t rest = Find(types_, start);
        if (rest == kNone || rest == typesRead_) {
            return;
        }
        reading_ = rest;
        const int index = Int16After(types_.bracket, '[', types_.index, rest, "index");
        double value = NumberAfter(types_.equals, '=', types_.value, rest);
        if (codes_ == TypeCodes::OtherKind) {
            value = WalkTypeInSailorpoints(value);
        }
        if (index == kTableSize && IsDeclaration(types_, rest)) {
            typesRead_ = rest;
            Locate(StatementKind::TypesSize, index, types_, rest);
            return;  // "int m_walk_types[1001];": the full table, nothing past it to zero
        }
        if (index < 0 || index >= kTableSize) {
            FailOutsideTable(failure_code::kTypeOutOfRange, "type index", index,
                             NumberTextAt(NumberPosition(types_.bracket, '[', rest)));
        }
        state_.Points[index].type = value;
        typesRead_ = rest;
        if (places_ != nullptr) {
            LocateStatement(StatementKind::Type, StatementKind::TypesSize, index, types_, rest);
        }
    }

    void ReadLink(std::size_t start) {
        const std::size_t rest = Find(graph_, start);
        if (rest == kNone) {
            return;
        }
        if (rest == graphRead_) {
            if (graphWide_) {
                facts_->wideLinks.push_back(graphIndexRead_);  // noted once for every reading
            }
            return;
        }
        reading_ = rest;
        graphWide_ = false;
        const int index = Int16After(graph_.bracket, '[', graph_.index, rest, "index");
        const LinkValue value = ValueOfStatement(rest);
        // Where the two ends are read, when a link is stored and both can be written again.
        std::size_t firstEnd = kNone;
        std::size_t secondEnd = kNone;
        if (value.form == LinkForm::Product || value.form == LinkForm::OneNumber) {
            StoreValue(index, value, rest);
            if (value.form == LinkForm::Product && IsPlainInteger(value.firstText) &&
                IsPlainInteger(value.secondText)) {
                firstEnd = static_cast<std::size_t>(value.firstText.data() - line_.data());
                secondEnd = static_cast<std::size_t>(value.secondText.data() - line_.data());
            }
        } else if (const std::size_t plus = Find(graphPlus_, '+', rest);
                   plus != kNone && Find(graphParen_, '(', rest) != kNone) {
            const std::int16_t first = Int16After(graphParen_, '(', graphFirst_, rest, "link end");
            if (index < 0 || index >= kTableSize) {
                FailOutsideTable(failure_code::kLinkOutOfRange, "link number", index,
                                 NumberTextAt(NumberPosition(graph_.bracket, '[', rest)));
            }
            Link& link = state_.Links[index];
            link.from = first;
            // The second end follows the first "(" after the "+"; with none, the text from the
            // "+" on is read, sign and all.
            link.to = Int16After(graphSecondParen_, '(', graphSecond_, plus, "link end");
            NoteLink(index, rest);
            const std::size_t secondParen = Find(graphSecondParen_, '(', plus);
            if (secondParen != kNone) {  // "+ 5" without "(" is read sign and all: not kept
                firstEnd = Find(graphParen_, '(', rest) + 1;
                secondEnd = secondParen + 1;
            }
        }
        if (index > state_.LinkCount) {
            state_.LinkCount = static_cast<std::int16_t>(index);
            details_.linkCountPlace = PlaceOf(rest);
        }
        graphRead_ = rest;
        graphIndexRead_ = index;
        if (places_ != nullptr) {
            Locate(IsDeclaration(graph_, rest) ? StatementKind::GraphSize : StatementKind::Link,
                   index, graph_, rest, firstEnd, secondEnd);
        }
    }

    // Notes an assignment of one value, or a declaration.
    void LocateStatement(StatementKind assignment, StatementKind declaration, int index,
                         KeywordFinders& finders, std::size_t rest) {
        if (IsDeclaration(finders, rest)) {
            Locate(declaration, index, finders, rest);
        } else {
            Locate(assignment, index, finders, rest, NumberPosition(finders.equals, '=', rest));
        }
    }

    // Notes the statement that holds the keyword at `rest`, with its index (or size) and the
    // numbers read at `first` and `second` (kNone for none), when each stands within it.
    void Locate(StatementKind kind, int number, KeywordFinders& finders, std::size_t rest,
                std::size_t first = kNone, std::size_t second = kNone) {
        if (places_ == nullptr) {
            return;
        }
        const std::size_t semicolon = Find(finders.semicolon, ';', rest);
        const std::size_t end = semicolon == kNone ? line_.size() : semicolon + 1;
        const std::size_t bracket = Find(finders.bracket, '[', rest);
        if (bracket == kNone || bracket >= end) {
            return;
        }
        StatementPlace place;
        place.kind = kind;
        place.line = lineNumber_;
        place.number = number;
        place.statement = Range(StatementStart(rest), end);
        place.lineContent = Range(0, line_.size());
        place.lineEnd = nextLine_;
        place.numberText = NumberRange(bracket + 1);
        for (const std::size_t at : {first, second}) {
            if (at == kNone) {
                break;
            }
            if (at >= end) {
                return;  // a value read beyond its statement: the statement is not kept
            }
            place.values[static_cast<std::size_t>(place.valueCount++)] = NumberRange(at);
        }
        places_->push_back(place);
    }

    // Where the statement that holds `at` begins: after the ";", "{" or "}" before it and the
    // blanks that follow.
    std::size_t StatementStart(std::size_t at) const {
        const std::size_t delimiter = line_.find_last_of(";{}", at);
        std::size_t start = delimiter == kNone ? 0 : delimiter + 1;
        while (start < at && (line_[start] == ' ' || line_[start] == '\t')) {
            ++start;
        }
        return start;
    }

    TextRange Range(std::size_t begin, std::size_t end) const {
        return {lineOffset_ + begin, lineOffset_ + end};
    }

    // The number read at `pos`, as written; an empty range where none begins.
    TextRange NumberRange(std::size_t pos) const {
        const std::string_view number = NumberTextAt(pos);
        const std::size_t begin = number.empty()
                                      ? std::min(pos, line_.size())
                                      : static_cast<std::size_t>(number.data() - line_.data());
        return Range(begin, begin + number.size());
    }

    void NoteLink(int index, std::size_t rest) {
        const Link& link = state_.Links[index];
        details_.NoteLinkPlace(index, PlaceOf(rest));
        if (facts_ != nullptr && (link.from >= 256 || link.to >= 256)) {
            facts_->wideLinks.push_back(index);
            graphWide_ = true;
        }
    }

    // The value of the graph statement at `rest`, from its "=" to its ";"; none for a
    // declaration.
    LinkValue ValueOfStatement(std::size_t rest) {
        const std::size_t equals = Find(graph_.equals, '=', rest);
        const std::size_t end = std::min(Find(graph_.semicolon, ';', rest), line_.size());
        if (equals >= end) {
            return {};
        }
        return ReadLinkValue(line_.substr(equals + 1, end - equals - 1));
    }

    // Stores a link read as the value A*256 + B or N; the same failures, in the same order, as
    // the ends read after the parentheses.
    void StoreValue(int index, const LinkValue& value, std::size_t rest) {
        const auto end = [](std::int64_t v, std::string_view text) {
            return Int16OrFailWith(static_cast<double>(v), "link end", [text] { return text; });
        };
        const std::int16_t first = end(value.first, value.firstText);
        if (index < 0 || index >= kTableSize) {
            FailOutsideTable(failure_code::kLinkOutOfRange, "link number", index,
                             NumberTextAt(NumberPosition(graph_.bracket, '[', rest)));
        }
        state_.Links[index] = Link{first, end(value.second, value.secondText)};
        NoteLink(index, rest);
        if (facts_ != nullptr && value.form == LinkForm::OneNumber) {
            facts_->oneNumberLinks.push_back(
                {index, std::string(value.firstText), state_.Links[index]});
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
        const auto within = [&](std::size_t pos) { return pos < stop ? pos : kNone; };
        // The index in the "[...]" after a keyword of this statement, which the pass has
        // mostly read already.
        const auto index = [&](KeywordFinders& finders) -> std::optional<int> {
            const std::size_t at = within(Find(finders, start));
            const std::size_t bracket = at == kNone ? kNone : Find(finders.bracket, '[', at);
            if (bracket < stop) {
                return RoundToInt16(finders.index.Read(line_, bracket + 1));
            }
            return std::nullopt;
        };
        const bool assignment = within(Find(statementEquals_, '=', start)) != kNone;
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
        if (const std::size_t at = within(Find(count_, start)); at != kNone) {
            const std::size_t equals = Find(count_.equals, '=', at);
            if (equals < stop) {
                facts_->assignedCount = TextToNumber(line_.substr(equals + 1));
                LocateCount(start, stop, equals + 1, *facts_->assignedCount);
            }
        }
    }

    // "..._walk_count = N;" with a whole N, between `start` and `stop`.
    void LocateCount(std::size_t start, std::size_t stop, std::size_t value, double count) {
        if (places_ == nullptr || count != std::floor(count) || std::abs(count) > kTableSize * 3) {
            return;
        }
        StatementPlace place;
        place.kind = StatementKind::Count;
        place.line = lineNumber_;
        place.number = static_cast<int>(count);
        place.statement = Range(StatementStart(std::max(start, value - 1)), stop);
        place.lineContent = Range(0, line_.size());
        place.lineEnd = nextLine_;
        place.numberText = NumberRange(value);
        places_->push_back(place);
    }

    std::string_view line_;
    int lineNumber_;
    std::vector<StatementPlace>* places_ = nullptr;
    std::size_t lineOffset_ = 0;
    std::size_t nextLine_ = 0;
    std::size_t reading_ = kNone;  // the keyword whose statement is being read
    // When a statement lacks a keyword, the next statement that has it is read in this pass and
    // in every pass up to its own; reading it again would store the same values once more. So
    // the place last read for each keyword is kept, and only the fact of a wide link, which is
    // noted at every reading, is noted again.
    std::size_t vertsRead_ = kNone;
    std::size_t typesRead_ = kNone;
    std::size_t graphRead_ = kNone;
    int graphIndexRead_ = 0;
    bool graphWide_ = false;  // the link at graphRead_ is noted as wide
    KeywordFinders verts_, types_, graph_, count_;
    Finder graphParen_, graphPlus_, graphSecondParen_;  // the two ends of a link
    Finder semicolon_;                                  // statement ends, pass by pass
    Finder statementEquals_;                            // the first "=" from the start of each pass
    NumberAt graphFirst_, graphSecond_;
    ConversionState& state_;
    AnalysisDetails& details_;
    WalkSourceFacts* facts_;
    TypeCodes codes_;
};

// Every line of `text`, which holds no comments.
void ScanLines(std::string_view text, ConversionState& state, WalkSourceFacts* facts,
               AnalysisDetails* details, TypeCodes codes, std::vector<StatementPlace>* places) {
    AnalysisDetails unused;
    LineSplitter lines(text);
    int lineNumber = 0;
    for (std::string_view line; lines.Next(line);) {
        ++lineNumber;
        const KeywordPlaces keywords = FirstKeywords(line);
        if (keywords == KeywordPlaces{kNone, kNone, kNone, kNone}) {
            continue;  // nothing in the line to read, and no fact to note
        }
        LineScanner scanner(line, keywords, lineNumber, state,
                            details != nullptr ? *details : unused, facts, codes);
        if (places != nullptr) {
            const std::size_t offset = static_cast<std::size_t>(line.data() - text.data());
            scanner.LocateIn(places, offset, NextLineStart(text, offset + line.size()));
        }
        scanner.Run();
    }
}

}  // namespace

void ScanWalkText(std::string_view text, ConversionState& state, WalkSourceFacts* facts,
                  AnalysisDetails* details, TypeCodes codes, std::vector<StatementPlace>* places) {
    // Most files hold no comment; those are scanned without a copy. Blanking keeps every byte's
    // place, so the places noted are places in `text`.
    if (MayHoldComments(text)) {
        ScanLines(BlankComments(text), state, facts, details, codes, places);
    } else {
        ScanLines(text, state, facts, details, codes, places);
    }
}

AnalysisOutcome AnalyseWalk(const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details, WalkSourceFacts* facts, TypeCodes codes,
                            TextLocations* located) {
    if (facts != nullptr) {
        *facts = WalkSourceFacts{};
    }
    const ReaderSteps reader{
        0, kWalkSourceSuffix.size(),
        [facts, codes, located](std::string_view text, ConversionState& s, AnalysisDetails& d) {
            if (located != nullptr) {
                located->text = text;
                located->statements.clear();
            }
            ScanWalkText(text, s, facts, &d, codes,
                         located != nullptr ? &located->statements : nullptr);
        }};
    return RunAnalysis(inputPath, state, reader, details);
}

}  // namespace walkconv
