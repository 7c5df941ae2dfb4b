#include "cli/input_checks.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/numbers.h"

namespace walkconv::cli {

namespace {

// "1 point", "2 points"; `plural` for nouns that do not just take an "s".
std::string Counted(int count, const std::string& noun, const std::string& plural = {}) {
    const std::string many = plural.empty() ? noun + "s" : plural;
    return std::to_string(count) + " " + (count == 1 ? noun : many);
}

std::string Ends(const Link& link) {
    return "points " + std::to_string(link.from) + " and " + std::to_string(link.to);
}

// Links that cannot be walked as meant: an end beyond the points, a point joined to itself,
// and a pair of points joined a second time (either way round).
void CheckLinks(const ConversionState& state, std::vector<std::string>& warnings) {
    const int points = state.PointCount;
    for (int i = 0; i < state.LinkCount; ++i) {
        const Link& link = state.Links[i];
        if (link.from >= points || link.to >= points) {
            warnings.push_back("link " + std::to_string(i) + " joins " + Ends(link) +
                               ", but the file has only " + Counted(points, "point"));
        }
    }
    for (int i = 0; i < state.LinkCount; ++i) {
        const Link& link = state.Links[i];
        if (link.from == link.to) {
            warnings.push_back("link " + std::to_string(i) + " joins point " +
                               std::to_string(link.from) + " to itself");
        }
    }
    std::map<std::pair<int, int>, int> firstLink;
    for (int i = 0; i < state.LinkCount; ++i) {
        const Link& link = state.Links[i];
        const std::pair<int, int> key{std::min(link.from, link.to), std::max(link.from, link.to)};
        const auto [known, added] = firstLink.try_emplace(key, i);
        if (!added) {
            warnings.push_back("link " + std::to_string(i) + " joins " + Ends(link) + ", as link " +
                               std::to_string(known->second) + " does already");
        }
    }
}

void CheckUntouchedPoints(const ConversionState& state, std::vector<std::string>& warnings) {
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
            warnings.push_back("point " + std::to_string(point) + " is not touched by any link");
        }
    }
}

// The value (a)*256 + (b) only keeps a and b apart while b stays below 256, and a program that
// evaluates it reads a above 255 as a different pair.
void CheckWideLinks(const WalkSourceFacts& facts, std::vector<std::string>& warnings) {
    std::vector<int> entries = facts.wideLinks;
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    for (const int entry : entries) {
        warnings.push_back("walk_graph[" + std::to_string(entry) +
                           "] holds a point number of 256 or more, which '(a)*256 + (b)' "
                           "cannot tell apart once evaluated");
    }
}

void CheckDroppedLinks(const AnalysisDetails& details, std::vector<std::string>& warnings) {
    if (details.droppedLinks > 0) {
        warnings.push_back(Counted(details.droppedLinks, "link") + " with a negative end " +
                           (details.droppedLinks == 1 ? "was" : "were") + " dropped");
    }
}

// The file's own bookkeeping against its assignments: the count and the declared sizes of the
// three arrays. The reader takes a declared size for the number of points or links when it
// exceeds the assignments, and loses the last point or link when it is too small.
void CheckDeclarations(const WalkSourceFacts& facts, std::vector<std::string>& warnings) {
    const int points = (facts.assignedVerts + 2) / 3;
    const std::string assignedPoints = ", but the file assigns " + Counted(points, "point");
    if (facts.assignedCount && *facts.assignedCount != points) {
        warnings.push_back("walk_count is set to " + NumberToText(*facts.assignedCount) +
                           assignedPoints);
    }
    if (facts.declaredVerts && *facts.declaredVerts != 3 * points) {
        warnings.push_back("walk_verts is declared with " + Counted(*facts.declaredVerts, "value") +
                           assignedPoints + " (" + Counted(3 * points, "value") + ")");
    }
    if (facts.declaredTypes && *facts.declaredTypes != points) {
        warnings.push_back("walk_types is declared with " +
                           Counted(*facts.declaredTypes, "entry", "entries") + assignedPoints);
    }
    if (facts.declaredGraph && *facts.declaredGraph != facts.assignedGraph) {
        warnings.push_back(
            "walk_graph is declared with " + Counted(*facts.declaredGraph, "entry", "entries") +
            ", but the file assigns " + Counted(facts.assignedGraph, "entry", "entries"));
    }
}

}  // namespace

std::vector<std::string> FindWarnings(const ConversionState& state, const AnalysisDetails& details,
                                      const WalkSourceFacts* walkFacts) {
    std::vector<std::string> warnings;
    CheckLinks(state, warnings);
    CheckUntouchedPoints(state, warnings);
    if (walkFacts != nullptr) {
        CheckWideLinks(*walkFacts, warnings);
    }
    CheckDroppedLinks(details, warnings);
    if (walkFacts != nullptr) {
        CheckDeclarations(*walkFacts, warnings);
    }
    return warnings;
}

}  // namespace walkconv::cli
