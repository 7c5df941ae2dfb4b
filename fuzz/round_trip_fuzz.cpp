// Any bytes, read as a walk source and as a sailorpoints file. Whenever the analysis is
// valid, writing the state in the other layout, reading that, writing it back in the first
// layout and reading again must give the same counts and links, the coordinates as their
// 15-digit text gives them, and the types as the two readers map them. A number whose
// 15-digit text lies beyond the largest double may make the way back fail.
//
// The graph document of a valid file then takes random edits, drawn from the bytes: each is
// applied whole or refused with a reason and no change; the edited document is written in its
// own kind and reads back as itself; the findings and their repairs hold; diff finds the
// document equal to itself; and undoing every edit in turn gives back the document as read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/diff/graph_diff.h"
#include "core/editing/document_file.h"
#include "core/editing/graph_edit.h"
#include "core/editing/repairs.h"
#include "core/editing/text_keeping_save.h"
#include "core/numbers.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"
#include "fuzz_support.h"

namespace {

using namespace walkconv;

// The type maps of the two readers: walk source 4 and 5 become 7 and 10; sailorpoints 7, 8
// and 9 become 4, and 10 becomes 5.
double FromWalkType(double type) {
    return type == 5 ? 10 : type == 4 ? 7 : type;
}
double FromSailorpointsType(double type) {
    return type == 7 || type == 8 || type == 9 ? 4 : type == 10 ? 5 : type;
}

// What a value becomes once written with 15 significant digits and read back.
double As15Digits(double value) {
    return TextToNumber(NumberToText(value));
}

// True when a coordinate or type of `state` is written as a text beyond the largest double
// ("1.79769313486232E+308"), which no reader takes back.
bool HasUnreadableNumber(const ConversionState& state) {
    for (int i = 0; i < state.PointCount; ++i) {
        const Point& point = state.Points[i];
        for (const double value : {point.x, point.y, point.z, point.type}) {
            try {
                As15Digits(value);
            } catch (const ConversionError&) {
                return true;
            }
        }
    }
    return false;
}

using Analyse = AnalysisOutcome (*)(const std::string&, ConversionState&);
using Format = std::string (*)(const ConversionState&);

AnalysisOutcome ReadWalk(const std::string& path, ConversionState& state) {
    return AnalyseWalk(path, state);
}
AnalysisOutcome ReadSailorpoints(const std::string& path, ConversionState& state) {
    return AnalyseSailorpoints(path, state);
}

struct Layout {
    const char* fileName;
    Analyse analyse;
    Format format;  // the writer into this layout
    double (*mapType)(double);
};

const Layout kWalk{"trip_walk.c", ReadWalk, FormatWalkSource, FromWalkType};
const Layout kSailorpoints{"trip1.ini", ReadSailorpoints, FormatSailorpoints, FromSailorpointsType};

// Reads `bytes` in layout `first`; when valid, goes through `other` and back.
void RoundTrip(std::string_view bytes, const Layout& first, const Layout& other) {
    const fuzz::Scratch& scratch = fuzz::ScratchFolder();
    ConversionState start;
    if (first.analyse(scratch.Put(first.fileName, bytes), start) != AnalysisOutcome::Valid) {
        return;
    }
    const bool mayFail = HasUnreadableNumber(start);

    ConversionState middle;
    const AnalysisOutcome there =
        other.analyse(scratch.Put(other.fileName, other.format(start)), middle);
    if (mayFail && there == AnalysisOutcome::Failed) {
        return;
    }
    fuzz::Require(there == AnalysisOutcome::Valid, "the converted file is valid");

    ConversionState end;
    const AnalysisOutcome back =
        first.analyse(scratch.Put(first.fileName, first.format(middle)), end);
    fuzz::Require(back == AnalysisOutcome::Valid, "the file converted back is valid");

    fuzz::Require(end.PointCount == start.PointCount, "the point count survives");
    fuzz::Require(end.LinkCount == start.LinkCount, "the link count survives");
    for (int i = 0; i < start.LinkCount; ++i) {
        fuzz::Require(end.Links[i] == start.Links[i], "every link survives");
    }
    for (int i = 0; i < start.PointCount; ++i) {
        const Point& before = start.Points[i];
        const Point& after = end.Points[i];
        for (int c = 0; c < 3; ++c) {
            fuzz::Require(after.Coordinate(c) == As15Digits(before.Coordinate(c)),
                          "a coordinate survives as its 15-digit text");
        }
        const double expectedType =
            first.mapType(As15Digits(other.mapType(As15Digits(before.type))));
        fuzz::Require(after.type == expectedType, "a type survives as the two maps give it");
    }
}

// Random edits of one document, some of which it must refuse.
class EditSource {
  public:
    explicit EditSource(std::string_view bytes) : random_(std::hash<std::string_view>{}(bytes)) {}

    Edit Next(const GraphDocument& document) {
        const int points = static_cast<int>(document.points.size());
        const int links = static_cast<int>(document.links.size());
        switch (Below(9)) {
            case 0:
                return MovePoint{Number(points), Value(), Value(), Value()};
            case 1:
                return SetPointType{Number(points), Value()};
            case 2:
                return AddPoint{Point{Value(), Value(), Value(), Value()}};
            case 3:
                return InsertPoint{Number(points + 1), Point{Value(), 0, 0, 1}};
            case 4:
                return RemovePoint{Number(points)};
            case 5:
                return AddLink{Number(points), Number(points)};
            case 6:
                return InsertLink{Number(links + 1), DocumentLink{Link{End(), End()}}};
            case 7:
                return RemoveLink{Number(links)};
            default: {
                EditGroup group;
                for (int i = Below(4); i > 0; --i) {
                    group.steps.push_back(Next(document));
                }
                return group;
            }
        }
    }

  private:
    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    // Mostly a number that exists, sometimes one past either end.
    int Number(int count) { return Below(count + 2) - 1; }

    std::int16_t End() { return static_cast<std::int16_t>(Below(40) - 1); }

    double Value() {
        constexpr double kValues[] = {0,
                                      1.5,
                                      -2.25,
                                      1E-7,
                                      12345.678901234567,
                                      4,
                                      5,
                                      7,
                                      10,
                                      std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::max()};
        return kValues[Below(static_cast<int>(std::size(kValues)))];
    }

    std::mt19937_64 random_;
};

// The points of two documents as the writers write them, and their links.
bool SameAsWritten(const GraphDocument& a, const GraphDocument& b) {
    if (a.points.size() != b.points.size() || a.links.size() != b.links.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        const Point& p = a.points[i];
        const Point& q = b.points[i];
        if (!WrittenAlike(p.x, q.x) || !WrittenAlike(p.y, q.y) || !WrittenAlike(p.z, q.z) ||
            !WrittenAlike(p.type, q.type)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < a.links.size(); ++i) {
        if (a.links[i].ends != b.links[i].ends) {
            return false;
        }
    }
    return true;
}

// The lines of `text`, each with the bytes it spans, its line end included.
std::vector<std::pair<std::string_view, TextRange>> LinesOf(std::string_view text) {
    std::vector<std::pair<std::string_view, TextRange>> lines;
    LineSplitter splitter(text);
    for (std::string_view line; splitter.Next(line);) {
        const auto begin = static_cast<std::size_t>(line.data() - text.data());
        lines.push_back({line, {begin, NextLineStart(text, begin + line.size())}});
    }
    return lines;
}

// A save that keeps the text reads back as the edited document, or is refused with a reason;
// and every line of the old text that no replacement touched is in the new text, in order.
void CheckKeptText(std::string_view old, const GraphDocument& document, const Layout& layout,
                   InputKind kind) {
    const KeptText kept = KeepText(document);
    if (!kept.Kept()) {
        fuzz::Require(kept.text.empty(), "a refused save gives no text");
        return;
    }
    const DocumentReading back =
        ReadDocument(fuzz::ScratchFolder().Put(layout.fileName, kept.text), kind);
    fuzz::Require(back.document && SameAsWritten(*back.document, document),
                  "a kept text reads back as the edited document");
    const auto newLines = LinesOf(kept.text);
    std::size_t next = 0;
    for (const auto& [line, range] : LinesOf(old)) {
        const bool touched =
            std::any_of(kept.changes.begin(), kept.changes.end(), [&](const TextRange& c) {
                return c.begin == c.end ? c.begin > range.begin && c.begin < range.end
                                        : c.begin < range.end && range.begin < c.end;
            });
        if (touched) {
            continue;
        }
        while (next < newLines.size() && newLines[next].first != line) {
            ++next;
        }
        fuzz::Require(next < newLines.size(), "a line no edit concerned stays, in order");
        ++next;
    }
}

void EditAndUndo(std::string_view bytes, const Layout& layout, InputKind kind) {
    const fuzz::Scratch& scratch = fuzz::ScratchFolder();
    const DocumentReading reading = ReadDocument(scratch.Put(layout.fileName, bytes), kind);
    if (!reading.document) {
        return;
    }
    const GraphDocument& start = *reading.document;
    GraphDocument document = start;
    EditSource edits(bytes);
    std::vector<Edit> undos;
    for (int round = 0; round < 40; ++round) {
        const GraphDocument before = document;
        const EditResult result = ApplyEdit(document, edits.Next(document));
        if (!result.Applied()) {
            fuzz::Require(!result.refusal.empty(), "a refusal says why");
            fuzz::Require(document == before, "a refused edit changes nothing");
            continue;
        }
        undos.push_back(*result.undo);
        fuzz::Require(!document.points.empty() && document.points.size() <= kMostPoints,
                      "a document keeps 1 to 1001 points");
        fuzz::Require(!document.links.empty() && document.links.size() <= kMostLinks,
                      "a document keeps 1 to 1001 links");
    }

    const bool unreadable = HasUnreadableNumber(StateOf(document, kind));
    const DocumentReading back =
        ReadDocument(scratch.Put(layout.fileName, FormatDocument(document, kind)), kind);
    if (!unreadable) {
        fuzz::Require(back.document && SameAsWritten(*back.document, document),
                      "an edited document reads back as written");
    }
    if (!unreadable) {
        CheckKeptText(start.file->text->text, document, layout, kind);
    }
    for (const Finding& finding : FindingsOf(document)) {
        fuzz::Require(
            !finding.link || (*finding.link >= 0 &&
                              static_cast<std::size_t>(*finding.link) < document.links.size()),
            "a finding names a link of the document");
    }
    fuzz::Require(DiffGraphs(document, document).Same(), "a document is the same as itself");
    GraphDocument repaired = document;
    if (ApplyEdit(repaired, RepairAll(RepairsOf(repaired, FindingsOf(repaired)))).Applied()) {
        for (const Finding& finding : FindingsOf(repaired)) {
            fuzz::Require(!HasRepair(finding.code) || finding.code == finding_code::kNegativeEnd,
                          "the repairs leave nothing to repair");
        }
    }

    for (auto undo = undos.rbegin(); undo != undos.rend(); ++undo) {
        fuzz::Require(ApplyEdit(document, *undo).Applied(), "an undo applies");
    }
    fuzz::Require(document == start, "undoing every edit gives back the document");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(bytes, kWalk, kSailorpoints);
    RoundTrip(bytes, kSailorpoints, kWalk);
    EditAndUndo(bytes, kWalk, InputKind::WalkSource);
    EditAndUndo(bytes, kSailorpoints, InputKind::Sailorpoints);
    return 0;
}
