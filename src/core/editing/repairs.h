#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis.h"
#include "core/editing/graph_document.h"
#include "core/editing/graph_edit.h"
#include "core/findings/findings.h"

// The repairs of the findings that have one sound answer, as edits: a link to itself, a link
// made again (the later one goes, either way round counting as the same pair) and a link to
// a point beyond the others are removed; links with a negative end are already gone from the
// document, and writing it removes them from the file. A point off the deck of the ship's model
// is moved up or down onto the surface under or over it nearest to its height. Every other
// finding needs a person.
namespace walkconv {

struct Repair {
    std::string_view code;             // the code of the finding it repairs
    std::string description;           // "remove link 45 (joins points 2 and 9, as ...)"
    std::optional<int> link;           // the document's link it removes
    std::optional<int> point;          // the document's point it moves
    std::optional<SourcePlace> place;  // where the file holds what it repairs
    Edit edit;                         // nothing to do in the document for a negative end
    std::optional<int> fileLink;  // that link's number in the file, as the description names it
};

// True for the codes of the findings that RepairsOf repairs.
bool HasRepair(std::string_view code);

// The repairs of those of `findings` (about `document`, as FindingsOf gives them with `model`)
// that have one, one for each link (a link with several findings is removed once), in the
// order of the places in the file, then those without a place in the order of their links,
// then the points moved in their order. A point with no surface under or over it has none.
std::vector<Repair> RepairsOf(const GraphDocument& document, std::span<const Finding> findings,
                              const ModelCheck* model = nullptr);

// True when one of `repairs` repairs `finding`.
bool IsRepaired(const Finding& finding, std::span<const Repair> repairs);

// Every repair of `repairs` (about one document) as one edit: the points are moved first, then
// the links go from the highest number down, so that each keeps its number until its turn.
Edit RepairAll(std::span<const Repair> repairs);

}  // namespace walkconv
