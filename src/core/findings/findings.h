#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/findings/deck_checks.h"
#include "core/walk/walk_reader.h"

// What a user should know about an input that analysed as valid, although the converters accept
// it as it is: one list that the text report, the picture and any other view all read.
namespace walkconv {

enum class FindingSeverity {
    Warning,  // something to fix in the input
    Note,     // worth knowing, nothing to fix
};

// The stable names of the findings: once shipped, a name never changes, so that scripts may
// filter on it.
namespace finding_code {
inline constexpr std::string_view kLinkBeyondPoints = "link-beyond-points";
inline constexpr std::string_view kSelfLink = "self-link";
inline constexpr std::string_view kDuplicateLink = "duplicate-link";
inline constexpr std::string_view kUntouchedPoint = "untouched-point";
inline constexpr std::string_view kSeparateGroup = "separate-group";
inline constexpr std::string_view kWideLink = "wide-link";
inline constexpr std::string_view kNegativeEnd = "negative-end";
inline constexpr std::string_view kPaddingLinks = "padding-links";
inline constexpr std::string_view kOneNumberLink = "one-number-link";
inline constexpr std::string_view kCountMismatch = "count-mismatch";
inline constexpr std::string_view kDeclaredSizeMismatch = "declared-size-mismatch";
inline constexpr std::string_view kPointOffDeck = "point-off-deck";
inline constexpr std::string_view kLinkThroughModel = "link-through-model";
}  // namespace finding_code

struct Finding {
    FindingSeverity severity = FindingSeverity::Warning;
    std::string_view code;             // one of finding_code
    std::string message;               // one line, without the input's name
    std::vector<int> points;           // the points it concerns, ascending; empty for none
    std::optional<int> link;           // the link of the state it concerns, if any
    std::optional<SourcePlace> place;  // the statement or line in the input it concerns, if one
    std::optional<int> fileLink;       // that link's number in the file, as the message names it

    friend bool operator==(const Finding&, const Finding&) = default;
};

// One kind of finding, as the table of checks lists it.
struct FindingKind {
    std::string_view code;
    FindingSeverity severity;
    bool walkSourcesOnly;  // needs the facts of a walk source
};

// Every kind of finding, in the order in which CollectFindings reports them.
std::span<const FindingKind> FindingKinds();

// The links that an analysis dropped for a negative end, in the order of the file, but for the
// padding: the links whose two ends are -1 after the last link that joins two points, with which
// walk sources fill their graph array up to its size. `linkCount` is the state's.
std::vector<DroppedLink> DroppedLinksBesidePadding(const AnalysisDetails& details, int linkCount);

// The findings for the analysis that left `state` and `details`, kind by kind in the order of
// FindingKinds(). `walkFacts` is given for walk sources only; it adds the checks of the graph
// encoding, the declared array sizes and the count assignment. Meant for a valid analysis: the
// counts must lie within the tables. `model`, when given with a mesh, adds the checks against
// the ship's model; without one they find nothing.
std::vector<Finding> CollectFindings(const ConversionState& state, const AnalysisDetails& details,
                                     const WalkSourceFacts* walkFacts,
                                     const ModelCheck* model = nullptr);

}  // namespace walkconv
