#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/point_types.h"
#include "core/statement_places.h"

// Reading a walk source: a tolerant statement scanner, not a C parser. It finds the keywords
// "walk_verts", "walk_types" and "walk_graph" (any case, inside longer identifiers) and takes
// the numbers after the "[", "=" and "(" that follow them. Comments are not read, and a graph
// entry written as A*256 + B in another spelling, or as one number, is read as its value.
namespace walkconv {

// A graph entry assigned one number N rather than A*256 + B: the link N / 256 -> N % 256.
struct OneNumberLink {
    int entry = 0;
    std::string number;  // N as the file writes it
    Link ends;

    friend bool operator==(const OneNumberLink&, const OneNumberLink&) = default;
};

// What a scan notices beyond the state, for the command-line checks. Only statements that
// hold one of the keywords themselves count here.
struct WalkSourceFacts {
    std::optional<int> declaredVerts;  // size in "..._walk_verts[N];" (a statement without "=")
    std::optional<int> declaredTypes;
    std::optional<int> declaredGraph;
    std::optional<double> assignedCount;        // value of "..._walk_count = N;"
    std::vector<int> wideLinks;                 // graph entries with an end of 256 or more
    std::vector<OneNumberLink> oneNumberLinks;  // in the order of the file
    // One above the highest index that a statement with "=" assigns to, 0 when none does.
    int assignedVerts = 0;
    int assignedGraph = 0;
};

// Reads every statement of `text` into `state` (counts as found so far, tables as they are),
// noting in `details` where each link is stored. Types are stored in sailorpoints codes unless
// `codes` asks for the file's own. With `places`, notes where every statement stored (and,
// with `facts`, every declaration and count) stands. Throws ConversionError, with the line and
// column of the statement, when the text breaks a limit of the tables or of 16-bit numbers.
void ScanWalkText(std::string_view text, ConversionState& state, WalkSourceFacts* facts = nullptr,
                  AnalysisDetails* details = nullptr, TypeCodes codes = TypeCodes::OtherKind,
                  std::vector<StatementPlace>* places = nullptr);

// The Analyse command without its window: the walk source at `inputPath` into `state`; with
// `located`, its text and the places of its statements as well.
AnalysisOutcome AnalyseWalk(const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details = nullptr, WalkSourceFacts* facts = nullptr,
                            TypeCodes codes = TypeCodes::OtherKind,
                            TextLocations* located = nullptr);

}  // namespace walkconv
