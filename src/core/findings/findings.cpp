#include "core/findings/findings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <map>
#include <utility>

#include "core/counted.h"
#include "core/findings/point_groups.h"
#include "core/numbers.h"

namespace walkconv {

namespace {

// What the checks read.
struct CheckInput {
    const ConversionState& state;
    const AnalysisDetails& details;
    const WalkSourceFacts* walkFacts;  // never null for the checks of walk sources
    const ModelCheck* model;           // none, or no mesh, without a model
};

// Where the file's link `number` was stored; none when the reader noted no place for it.
std::optional<SourcePlace> PlaceOfFileLink(int number, const AnalysisDetails& details) {
    if (number < 0 || static_cast<std::size_t>(number) >= details.linkPlaces.size() ||
        details.linkPlaces[static_cast<std::size_t>(number)].line == 0) {
        return std::nullopt;
    }
    return details.linkPlaces[static_cast<std::size_t>(number)];
}

// Gathers the findings of one kind. A finding about a link of the state points to the
// statement that stored it, unless a place is given.
class Report {
  public:
    Report(const FindingKind& kind, const AnalysisDetails& details, std::vector<Finding>& findings)
        : kind_(kind), details_(details), findings_(findings) {}

    void Add(std::string message, std::vector<int> points = {}, std::optional<int> link = {},
             std::optional<SourcePlace> place = {}) {
        if (!place && link) {
            place = PlaceOfFileLink(details_.FileNumberOfLink(*link), details_);
        }
        std::optional<int> fileLink;
        if (link) {
            fileLink = LinkNumber(*link);
        }
        findings_.push_back({kind_.severity, kind_.code, std::move(message), std::move(points),
                             link, place, fileLink});
    }

    // How messages number the state's link `link`: by its number in the file, which the place
    // of every finding points to, so that a report never mixes two numberings; a link that the
    // file does not hold (one added since) by its number in the state.
    int LinkNumber(int link) const {
        const int number = details_.FileNumberOfLink(link);
        return number >= 0 ? number : link;
    }

  private:
    const FindingKind& kind_;
    const AnalysisDetails& details_;
    std::vector<Finding>& findings_;
};

std::string EndPointsText(const Link& link) {
    return "points " + std::to_string(link.from) + " and " + std::to_string(link.to);
}

// A link that cannot be walked as meant: an end beyond the points.
void CheckLinksBeyondPoints(const CheckInput& in, Report& report) {
    const int points = in.state.PointCount;
    for (int i = 0; i < in.state.LinkCount; ++i) {
        const Link& link = in.state.Links[i];
        if (link.from >= points || link.to >= points) {
            report.Add("link " + std::to_string(report.LinkNumber(i)) + " joins " +
                           EndPointsText(link) + ", but the file has only " +
                           Counted(points, "point"),
                       {}, i);
        }
    }
}

void CheckSelfLinks(const CheckInput& in, Report& report) {
    for (int i = 0; i < in.state.LinkCount; ++i) {
        const Link& link = in.state.Links[i];
        if (link.from == link.to) {
            report.Add("link " + std::to_string(report.LinkNumber(i)) + " joins point " +
                           std::to_string(link.from) + " to itself",
                       {}, i);
        }
    }
}

// A pair of points joined a second time, either way round.
void CheckDuplicateLinks(const CheckInput& in, Report& report) {
    std::map<std::pair<int, int>, int> firstLink;
    for (int i = 0; i < in.state.LinkCount; ++i) {
        const Link& link = in.state.Links[i];
        const std::pair<int, int> key{std::min(link.from, link.to), std::max(link.from, link.to)};
        const auto [known, added] = firstLink.try_emplace(key, i);
        if (!added) {
            report.Add("link " + std::to_string(report.LinkNumber(i)) + " joins " +
                           EndPointsText(link) + ", as link " +
                           std::to_string(report.LinkNumber(known->second)) + " does already",
                       {}, i);
        }
    }
}

void CheckUntouchedPoints(const CheckInput& in, Report& report) {
    const ConversionState& state = in.state;
    std::vector<bool> touched(static_cast<std::size_t>(std::max<int>(state.PointCount, 0)));
    const auto touch = [&](int point) {
        if (point >= 0 && point < state.PointCount) {
            touched[static_cast<std::size_t>(point)] = true;
        }
    };
    for (int i = 0; i < state.LinkCount; ++i) {
        touch(state.Links[i].from);
        touch(state.Links[i].to);
    }
    for (int point = 0; point < state.PointCount; ++point) {
        if (!touched[static_cast<std::size_t>(point)]) {
            report.Add("point " + std::to_string(point) + " is not touched by any link", {point});
        }
    }
}

// Every group of linked points but the largest; of groups equally large, the one holding the
// lowest point counts as the largest, so that the same file always gives the same report.
void CheckSeparateGroups(const CheckInput& in, Report& report) {
    const std::vector<std::vector<int>> groups = LinkedPointGroups(in.state);
    // Groups come ordered by their lowest point, and max_element keeps the first of equals.
    const auto largest =
        std::max_element(groups.begin(), groups.end(),
                         [](const auto& a, const auto& b) { return a.size() < b.size(); });
    constexpr std::size_t kListed = 10;
    for (auto group = groups.begin(); group != groups.end(); ++group) {
        if (group == largest) {
            continue;
        }
        std::string message;
        if (group->size() == 1) {
            message = "point " + std::to_string(group->front()) + " has no path to the rest";
        } else {
            message = "points ";
            for (std::size_t i = 0; i < std::min(group->size(), kListed); ++i) {
                message += (i == 0 ? "" : ", ") + std::to_string((*group)[i]);
            }
            if (group->size() > kListed) {
                message += ", \u2026";
            }
            message += " (" + Counted(static_cast<int>(group->size()), "point") +
                       ") have no path to the rest";
        }
        report.Add(std::move(message), *group);
    }
}

// The value (a)*256 + (b) only keeps a and b apart while b stays below 256, and a program that
// evaluates it reads a above 255 as a different pair.
void CheckWideLinks(const CheckInput& in, Report& report) {
    std::vector<int> entries = in.walkFacts->wideLinks;
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    for (const int entry : entries) {
        std::optional<int> link = in.details.LinkOfFileNumber(entry);
        if (link && (*link >= in.state.LinkCount ||
                     (in.state.Links[*link].from < 256 && in.state.Links[*link].to < 256))) {
            link.reset();  // a later statement gave the entry other ends
        }
        report.Add("walk_graph[" + std::to_string(entry) +
                       "] holds a point number of 256 or more, which '(a)*256 + (b)' "
                       "cannot tell apart once evaluated",
                   {}, link, PlaceOfFileLink(entry, in.details));
    }
}

// Walk sources fill the graph array up to its declared size with links whose two ends are -1,
// after the last link that joins two points: those are padding, and every other link with a
// negative end was dropped from what the file meant to say.
struct DroppedLinkSplit {
    int padding = 0;
    std::optional<int> lastJoining;  // the file's number of the last link with two ends >= 0
};

bool IsPadding(const DroppedLink& link, const DroppedLinkSplit& split) {
    return link.ends.from == -1 && link.ends.to == -1 &&
           (!split.lastJoining || link.number > *split.lastJoining);
}

DroppedLinkSplit SplitDroppedLinks(int linkCount, const AnalysisDetails& details) {
    const std::vector<DroppedLink>& dropped = details.droppedLinkEnds;
    DroppedLinkSplit split;
    // The file's links were 0..count-1; the dropped ones are listed in ascending order, so the
    // last joining link is the highest number that the list skips.
    int number = details.FileLinkCount(linkCount) - 1;
    for (auto it = dropped.rbegin(); it != dropped.rend() && it->number == number; ++it) {
        --number;
    }
    if (number >= 0) {
        split.lastJoining = number;
    }
    for (const DroppedLink& link : dropped) {
        split.padding += IsPadding(link, split) ? 1 : 0;
    }
    return split;
}

// One warning for all of them, pointing to the first.
void CheckNegativeEnds(const CheckInput& in, Report& report) {
    const std::vector<DroppedLink> dropped =
        DroppedLinksBesidePadding(in.details, in.state.LinkCount);
    const int others = static_cast<int>(dropped.size());
    if (others == 0) {
        return;
    }
    report.Add(Counted(others, "link") + " with a negative end " + (others == 1 ? "was" : "were") +
                   " dropped",
               {}, std::nullopt, PlaceOfFileLink(dropped.front().number, in.details));
}

void NotePaddingLinks(const CheckInput& in, Report& report) {
    const DroppedLinkSplit split = SplitDroppedLinks(in.state.LinkCount, in.details);
    if (split.padding == 0) {
        return;
    }
    const std::string padding = Counted(split.padding, "padding link");
    if (split.lastJoining) {
        report.Add(padding + " after link " + std::to_string(*split.lastJoining));
    } else {
        report.Add(padding + ", and no link joins two points");
    }
}

// A graph entry written as its value N is easy to misread as a point number; it reads as the
// link N / 256 -> N % 256, as the program that evaluates it takes it.
void NoteOneNumberLinks(const CheckInput& in, Report& report) {
    for (const OneNumberLink& written : in.walkFacts->oneNumberLinks) {
        const Link& ends = written.ends;
        const bool dropped = ends.from < 0 || ends.to < 0;
        std::optional<int> link = in.details.LinkOfFileNumber(written.entry);
        if (link && (*link >= in.state.LinkCount || !(in.state.Links[*link] == ends))) {
            link.reset();  // a later statement gave the entry other ends
        }
        report.Add(
            "link " + std::to_string(written.entry) + " is written as one number, " +
                written.number + ": " +
                (dropped ? std::string("it has a negative end and is dropped")
                         : "read as " + std::to_string(ends.from) + "-" + std::to_string(ends.to)),
            {}, link, PlaceOfFileLink(written.entry, in.details));
    }
}

// The file's own bookkeeping against its assignments: the count and the declared sizes of the
// three arrays. The reader takes a declared size for the number of points or links when it
// exceeds the assignments, and loses the last point or link when it is too small.
int AssignedPoints(const WalkSourceFacts& facts) {
    return (facts.assignedVerts + 2) / 3;
}

std::string AssignedPointsText(const WalkSourceFacts& facts) {
    return ", but the file assigns " + Counted(AssignedPoints(facts), "point");
}

void CheckCountAssignment(const CheckInput& in, Report& report) {
    const WalkSourceFacts& facts = *in.walkFacts;
    if (facts.assignedCount && *facts.assignedCount != AssignedPoints(facts)) {
        report.Add("walk_count is set to " + NumberToText(*facts.assignedCount) +
                   AssignedPointsText(facts));
    }
}

void CheckDeclaredSizes(const CheckInput& in, Report& report) {
    const WalkSourceFacts& facts = *in.walkFacts;
    const int points = AssignedPoints(facts);
    if (facts.declaredVerts && *facts.declaredVerts != 3 * points) {
        report.Add("walk_verts is declared with " + Counted(*facts.declaredVerts, "value") +
                   AssignedPointsText(facts) + " (" + Counted(3 * points, "value") + ")");
    }
    if (facts.declaredTypes && *facts.declaredTypes != points) {
        report.Add("walk_types is declared with " +
                   Counted(*facts.declaredTypes, "entry", "entries") + AssignedPointsText(facts));
    }
    if (facts.declaredGraph && *facts.declaredGraph != facts.assignedGraph) {
        report.Add("walk_graph is declared with " +
                   Counted(*facts.declaredGraph, "entry", "entries") + ", but the file assigns " +
                   Counted(facts.assignedGraph, "entry", "entries"));
    }
}

// A distance in a message: three decimals at most, "0.6" rather than "0.6000000238".
std::string Distance(double value) {
    return NumberToText(std::round(value * 1000) / 1000);
}

const MeshIndex* MeshOf(const CheckInput& in) {
    return in.model != nullptr ? in.model->mesh : nullptr;
}

// A point that stands on no deck: it floats over one, or sank into one, or stands where no
// surface is under it.
void CheckPointsOffDeck(const CheckInput& in, Report& report) {
    const MeshIndex* mesh = MeshOf(in);
    if (mesh == nullptr) {
        return;
    }
    for (int i = 0; i < in.state.PointCount; ++i) {
        const Point& point = in.state.Points[i];
        const Footing footing = FootingOf(*mesh, point, in.model->distances);
        const std::string name = "point " + std::to_string(i);
        const double surface = footing.surface.value_or(0);
        const std::string height = "height " + Distance(surface);
        switch (footing.kind) {
            case Footing::Kind::OnDeck:
                continue;
            case Footing::Kind::Sunk:
                report.Add(name + " lies " + Distance(surface - point.y) +
                               " under the surface at " + height + ", sunk into the deck",
                           {i});
                break;
            case Footing::Kind::Floats:
                report.Add(name + " floats " + Distance(point.y - surface) +
                               " above the surface at " + height,
                           {i});
                break;
            case Footing::Kind::NoSurface:
                report.Add(name + " has no surface under it" +
                               (footing.surface ? ", only one " + Distance(surface - point.y) +
                                                      " above it at " + height
                                                : ""),
                           {i});
                break;
        }
    }
}

// A link whose straight way runs through the model: a mast, a wall or a rail in the way.
void CheckLinksThroughModel(const CheckInput& in, Report& report) {
    const MeshIndex* mesh = MeshOf(in);
    if (mesh == nullptr) {
        return;
    }
    const int points = in.state.PointCount;
    for (int i = 0; i < in.state.LinkCount; ++i) {
        const Link& link = in.state.Links[i];
        if (link.from < 0 || link.from >= points || link.to < 0 || link.to >= points ||
            link.from == link.to) {
            continue;
        }
        const Point& from = in.state.Points[link.from];
        const Point& to = in.state.Points[link.to];
        const std::optional<double> distance =
            DistanceToModel(*mesh, from, to, in.model->distances.endClearance);
        if (!distance) {
            continue;
        }
        const double length = std::hypot(to.x - from.x, to.y - from.y, to.z - from.z);
        const double t = *distance / length;
        report.Add("link " + std::to_string(i) + " runs through the model " + Distance(*distance) +
                       " from point " + std::to_string(link.from) + " (of " + Distance(length) +
                       " to point " + std::to_string(link.to) + "), at " +
                       Distance(from.x + t * (to.x - from.x)) + ", " +
                       Distance(from.y + t * (to.y - from.y)) + ", " +
                       Distance(from.z + t * (to.z - from.z)),
                   {}, i);
    }
}

struct Check {
    FindingKind kind;
    void (*run)(const CheckInput&, Report&);
};

using FindingSeverity::Note;
using FindingSeverity::Warning;
namespace code = finding_code;

// Every check, in the order of its findings.
constexpr std::array kChecks{
    Check{{code::kLinkBeyondPoints, Warning, false}, CheckLinksBeyondPoints},
    Check{{code::kSelfLink, Warning, false}, CheckSelfLinks},
    Check{{code::kDuplicateLink, Warning, false}, CheckDuplicateLinks},
    Check{{code::kUntouchedPoint, Warning, false}, CheckUntouchedPoints},
    Check{{code::kSeparateGroup, Warning, false}, CheckSeparateGroups},
    Check{{code::kWideLink, Warning, true}, CheckWideLinks},
    Check{{code::kNegativeEnd, Warning, false}, CheckNegativeEnds},
    Check{{code::kPaddingLinks, Note, false}, NotePaddingLinks},
    Check{{code::kOneNumberLink, Note, true}, NoteOneNumberLinks},
    Check{{code::kCountMismatch, Warning, true}, CheckCountAssignment},
    Check{{code::kDeclaredSizeMismatch, Warning, true}, CheckDeclaredSizes},
    Check{{code::kPointOffDeck, Warning, false}, CheckPointsOffDeck},
    Check{{code::kLinkThroughModel, Warning, false}, CheckLinksThroughModel},
};

constexpr auto kKinds = [] {
    std::array<FindingKind, kChecks.size()> kinds{};
    std::transform(kChecks.begin(), kChecks.end(), kinds.begin(),
                   [](const Check& check) { return check.kind; });
    return kinds;
}();

}  // namespace

std::vector<DroppedLink> DroppedLinksBesidePadding(const AnalysisDetails& details, int linkCount) {
    const DroppedLinkSplit split = SplitDroppedLinks(linkCount, details);
    std::vector<DroppedLink> dropped;
    std::copy_if(details.droppedLinkEnds.begin(), details.droppedLinkEnds.end(),
                 std::back_inserter(dropped),
                 [&](const DroppedLink& link) { return !IsPadding(link, split); });
    return dropped;
}

std::span<const FindingKind> FindingKinds() {
    return kKinds;
}

std::vector<Finding> CollectFindings(const ConversionState& state, const AnalysisDetails& details,
                                     const WalkSourceFacts* walkFacts, const ModelCheck* model) {
    const CheckInput in{state, details, walkFacts, model};
    std::vector<Finding> findings;
    for (const Check& check : kChecks) {
        if (check.kind.walkSourcesOnly && walkFacts == nullptr) {
            continue;
        }
        Report report(check.kind, details, findings);
        check.run(in, report);
    }
    return findings;
}

}  // namespace walkconv
