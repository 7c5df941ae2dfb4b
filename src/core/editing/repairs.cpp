#include "core/editing/repairs.h"

#include <algorithm>
#include <climits>
#include <set>
#include <tuple>

#include "core/counted.h"
#include "core/numbers.h"

namespace walkconv {

namespace {

namespace code = finding_code;

// How the descriptions number the document's link `link`: by its number in the file, as the
// findings do; one the file does not hold by its number in the document.
int LinkNumber(const GraphDocument& document, int link) {
    const int number = document.links[static_cast<std::size_t>(link)].fileNumber;
    return number >= 0 ? number : link;
}

std::string EndsText(const Link& ends) {
    if (ends.from == ends.to) {
        return "point " + std::to_string(ends.from) + " to itself";
    }
    return "points " + std::to_string(ends.from) + " and " + std::to_string(ends.to);
}

// Why the link must go, after "remove link N (joins ...".
std::string Reason(std::string_view findingCode, const GraphDocument& document, int link) {
    const Link& ends = document.links[static_cast<std::size_t>(link)].ends;
    if (findingCode == code::kLinkBeyondPoints) {
        return ", but the file has only " +
               Counted(static_cast<int>(document.points.size()), "point");
    }
    if (findingCode == code::kDuplicateLink) {
        const auto same = [&](const DocumentLink& other) {
            return std::min(other.ends.from, other.ends.to) == std::min(ends.from, ends.to) &&
                   std::max(other.ends.from, other.ends.to) == std::max(ends.from, ends.to);
        };
        const auto first = std::find_if(document.links.begin(), document.links.end(), same);
        return ", as link " +
               std::to_string(
                   LinkNumber(document, static_cast<int>(first - document.links.begin()))) +
               " does already";
    }
    return {};
}

// The document holds no more of them; what is left to do is writing the file without them.
std::string NegativeEndsRemoved(const GraphDocument& document) {
    int count = 0;
    if (document.file != nullptr) {
        const AnalysisDetails& details = document.file->details;
        const int linksRead =
            document.file->linkCount - static_cast<int>(details.droppedLinkEnds.size());
        count = static_cast<int>(DroppedLinksBesidePadding(details, linksRead).size());
    }
    return "remove " + Counted(count, "link") + " with a negative end (the reader drops " +
           (count == 1 ? "it" : "them") + " already)";
}

// The move of a point off the deck onto the nearest surface under or over it, if there is one.
std::optional<Repair> DeckRepair(const Finding& finding, const GraphDocument& document,
                                 const ModelCheck* model) {
    if (model == nullptr || model->mesh == nullptr || finding.points.size() != 1 ||
        finding.points.front() < 0 ||
        static_cast<std::size_t>(finding.points.front()) >= document.points.size()) {
        return std::nullopt;
    }
    const int number = finding.points.front();
    const Point& point = document.points[static_cast<std::size_t>(number)];
    const std::optional<double> deck = NearestDeck(*model->mesh, point);
    if (!deck) {
        return std::nullopt;
    }
    return Repair{finding.code,
                  "move point " + std::to_string(number) + " onto the surface at height " +
                      NumberToText(*deck) + " (from " + NumberToText(point.y) + ")",
                  std::nullopt,
                  number,
                  std::nullopt,
                  MovePoint{number, point.x, *deck, point.z},
                  std::nullopt};
}

}  // namespace

bool HasRepair(std::string_view findingCode) {
    return findingCode == code::kSelfLink || findingCode == code::kDuplicateLink ||
           findingCode == code::kLinkBeyondPoints || findingCode == code::kNegativeEnd ||
           findingCode == code::kPointOffDeck;
}

bool IsRepaired(const Finding& finding, std::span<const Repair> repairs) {
    return std::any_of(repairs.begin(), repairs.end(), [&](const Repair& repair) {
        if (finding.code == code::kNegativeEnd) {
            return repair.code == code::kNegativeEnd;
        }
        if (repair.link) {
            return finding.link == repair.link;
        }
        return repair.point && finding.points.size() == 1 &&
               finding.points.front() == *repair.point;
    });
}

std::vector<Repair> RepairsOf(const GraphDocument& document, std::span<const Finding> findings,
                              const ModelCheck* model) {
    std::vector<Repair> repairs;
    std::set<int> removed;
    for (const Finding& finding : findings) {
        if (!HasRepair(finding.code)) {
            continue;
        }
        if (finding.code == code::kNegativeEnd) {
            repairs.push_back({finding.code, NegativeEndsRemoved(document), std::nullopt,
                               std::nullopt, finding.place, EditGroup{}, std::nullopt});
            continue;
        }
        if (finding.code == code::kPointOffDeck) {
            if (std::optional<Repair> repair = DeckRepair(finding, document, model)) {
                repairs.push_back(std::move(*repair));
            }
            continue;
        }
        if (!finding.link || !removed.insert(*finding.link).second) {
            continue;
        }
        const int link = *finding.link;
        const Link& ends = document.links[static_cast<std::size_t>(link)].ends;
        repairs.push_back(
            {finding.code,
             "remove link " + std::to_string(LinkNumber(document, link)) + " (joins " +
                 EndsText(ends) + Reason(finding.code, document, link) + ")",
             link, std::nullopt, finding.place, RemoveLink{link}, LinkNumber(document, link)});
    }
    // In the order of the file, as a compiler lists its messages; what has no place last.
    std::stable_sort(repairs.begin(), repairs.end(), [](const Repair& x, const Repair& y) {
        const auto key = [](const Repair& r) {
            return std::tuple{r.place ? r.place->line : INT_MAX, r.place ? r.place->column : 0,
                              r.point.has_value(), r.link.value_or(-1), r.point.value_or(-1)};
        };
        return key(x) < key(y);
    });
    return repairs;
}

Edit RepairAll(std::span<const Repair> repairs) {
    std::vector<int> links;
    for (const Repair& repair : repairs) {
        if (repair.link) {
            links.push_back(*repair.link);
        }
    }
    std::sort(links.begin(), links.end(), std::greater<>());
    links.erase(std::unique(links.begin(), links.end()), links.end());
    EditGroup group;
    for (const Repair& repair : repairs) {
        if (repair.point) {
            group.steps.push_back(repair.edit);
        }
    }
    for (const int link : links) {
        group.steps.emplace_back(RemoveLink{link});
    }
    return group;
}

}  // namespace walkconv
