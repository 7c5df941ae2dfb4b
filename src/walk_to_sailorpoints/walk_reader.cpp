#include "walk_to_sailorpoints/walk_reader.h"

#include <algorithm>
#include <cmath>

#include "common/conversion_error.h"
#include "common/file_names.h"
#include "common/numbers.h"
#include "common/text.h"

namespace walkconv {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Every position of a needle in one line, so that "the first occurrence at or after p" costs a
// binary search instead of a fresh scan. Each pass of the scanner asks for the first occurrence
// from the start of its statement; searching afresh would make a file written on one line
// quadratic.
class Occurrences {
  public:
    Occurrences(std::string_view text, std::string_view needle) {
        for (std::size_t pos = text.find(needle); pos != kNone; pos = text.find(needle, pos + 1)) {
            positions_.push_back(pos);
        }
    }

    std::size_t FirstFrom(std::size_t from) const {
        const auto it = std::lower_bound(positions_.begin(), positions_.end(), from);
        return it == positions_.end() ? kNone : *it;
    }

  private:
    std::vector<std::size_t> positions_;
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

// One line of a walk source with the positions of everything the scanner looks for.
class LineScanner {
  public:
    LineScanner(std::string_view line, ConversionState& state, WalkSourceFacts* facts)
        : line_(line),
          upper_(ToUpperAscii(line)),
          verts_(upper_, "WALK_VERTS"),
          types_(upper_, "WALK_TYPES"),
          graph_(upper_, "WALK_GRAPH"),
          count_(facts != nullptr ? Occurrences(upper_, "WALK_COUNT") : Occurrences({}, "x")),
          bracket_(line, "["),
          equals_(line, "="),
          paren_(line, "("),
          plus_(line, "+"),
          semicolon_(line, ";"),
          state_(state),
          facts_(facts) {}

    void Run() {
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
    }

  private:
    // TextToNumber of the text after the first `marker` at or after `rest`; the whole rest
    // (which begins with a keyword, and so gives 0) when there is none.
    double NumberAfter(const Occurrences& marker, NumberAt& cache, std::size_t rest) {
        const std::size_t pos = marker.FirstFrom(rest);
        return cache.Read(line_, pos == kNone ? rest : pos + 1);
    }

    // True when the statement holding the keyword at `at` has no "=" (it declares an array).
    bool IsDeclaration(std::size_t at) const {
        const std::size_t equals = equals_.FirstFrom(at);
        return equals == kNone || equals > semicolon_.FirstFrom(at);
    }

    void ReadVertex(std::size_t start) {
        const std::size_t rest = verts_.FirstFrom(start);
        if (rest == kNone) {
            return;
        }
        const int index = RoundToInt16(NumberAfter(bracket_, vertsIndex_, rest));
        const double value = NumberAfter(equals_, vertsValue_, rest);
        const int point = static_cast<int>(std::floor(index / 3.0));
        if (point == kTableSize && IsDeclaration(rest)) {
            // "float m_walk_verts[3003];" declares the full table, as the walk writer does for
            // 1001 points: it counts them all, and the entry past them, which a shorter
            // declaration zeroes, does not exist.
            state_.PointCount = kTableSize;
            return;
        }
        if (point > state_.PointCount) {
            state_.PointCount = static_cast<std::int16_t>(point);
        }
        state_.Points[point].Coordinate(index - 3 * point) = value;
    }

    void ReadType(std::size_t start) {
        const std::size_t rest = types_.FirstFrom(start);
        if (rest == kNone) {
            return;
        }
        const int index = RoundToInt16(NumberAfter(bracket_, typesIndex_, rest));
        double value = NumberAfter(equals_, typesValue_, rest);
        if (value == 5) {
            value = 10;
        }
        if (value == 4) {
            value = 7;
        }
        if (index == kTableSize && IsDeclaration(rest)) {
            return;  // "int m_walk_types[1001];": the full table, nothing past it to zero
        }
        state_.Points[index].type = value;
    }

    void ReadLink(std::size_t start) {
        const std::size_t rest = graph_.FirstFrom(start);
        if (rest == kNone) {
            return;
        }
        const int index = RoundToInt16(NumberAfter(bracket_, graphIndex_, rest));
        const std::size_t plus = plus_.FirstFrom(rest);
        if (plus != kNone && paren_.FirstFrom(rest) != kNone) {
            const std::int16_t first = RoundToInt16(NumberAfter(paren_, graphFirst_, rest));
            Link& link = state_.Links[index];
            link.from = first;
            // The second end follows the first "(" after the "+"; with none, the text from the
            // "+" on is read, sign and all.
            link.to = RoundToInt16(NumberAfter(paren_, graphSecond_, plus));
            if (facts_ != nullptr && (link.from >= 256 || link.to >= 256)) {
                facts_->wideLinks.push_back(index);
            }
        }
        if (index > state_.LinkCount) {
            state_.LinkCount = static_cast<std::int16_t>(index);
        }
    }

    // Declarations and the count assignment, read from the statement [start, end) alone.
    void NoteStatement(std::size_t start, std::size_t end) {
        const std::size_t stop = end == kNone ? line_.size() : end;
        const auto within = [&](const Occurrences& o) {
            const std::size_t pos = o.FirstFrom(start);
            return pos < stop ? pos : kNone;
        };
        // The index in the "[...]" after a keyword of this statement.
        const auto index = [&](const Occurrences& keyword) -> std::optional<int> {
            const std::size_t at = within(keyword);
            const std::size_t bracket = at == kNone ? kNone : bracket_.FirstFrom(at);
            if (bracket < stop) {
                return RoundToInt16(TextToNumber(line_.substr(bracket + 1)));
            }
            return std::nullopt;
        };
        const bool assignment = within(equals_) != kNone;
        if (!assignment) {
            const auto declared = [&](const Occurrences& keyword, std::optional<int>& size) {
                if (const std::optional<int> n = index(keyword)) {
                    size = n;
                }
            };
            declared(verts_, facts_->declaredVerts);
            declared(types_, facts_->declaredTypes);
            declared(graph_, facts_->declaredGraph);
            return;
        }
        const auto assigned = [&](const Occurrences& keyword, int& extent) {
            if (const std::optional<int> n = index(keyword)) {
                extent = std::max(extent, *n + 1);
            }
        };
        assigned(verts_, facts_->assignedVerts);
        assigned(graph_, facts_->assignedGraph);
        if (const std::size_t at = within(count_); at != kNone) {
            const std::size_t equals = equals_.FirstFrom(at);
            if (equals < stop) {
                facts_->assignedCount = TextToNumber(line_.substr(equals + 1));
            }
        }
    }

    std::string_view line_;
    std::string upper_;
    Occurrences verts_, types_, graph_, count_;
    Occurrences bracket_, equals_, paren_, plus_, semicolon_;
    NumberAt vertsIndex_, vertsValue_, typesIndex_, typesValue_;
    NumberAt graphIndex_, graphFirst_, graphSecond_;
    ConversionState& state_;
    WalkSourceFacts* facts_;
};

}  // namespace

void ScanWalkText(std::string_view text, ConversionState& state, WalkSourceFacts* facts) {
    LineSplitter lines(text);
    for (std::string_view line; lines.Next(line);) {
        LineScanner(line, state, facts).Run();
    }
}

AnalysisOutcome AnalyseWalk(const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details, WalkSourceFacts* facts) {
    if (facts != nullptr) {
        *facts = WalkSourceFacts{};
    }
    const ReaderSteps reader{
        0, kWalkSourceSuffix.size(),
        [facts](std::string_view text, ConversionState& s) { ScanWalkText(text, s, facts); }};
    return RunAnalysis(inputPath, state, reader, details);
}

}  // namespace walkconv
