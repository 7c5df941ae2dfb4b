#include "cli/diff_report.h"

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "core/conversion_error.h"
#include "core/counted.h"
#include "core/numbers.h"

namespace walkconv::cli {

namespace {

using Json = nlohmann::ordered_json;
using Kind = PointDifference::Kind;

std::string Place(const Point& point) {
    return "(" + NumberToText(point.x) + ", " + NumberToText(point.y) + ", " +
           NumberToText(point.z) + ")";
}

std::string WithType(const Point& point) {
    const std::string place = Place(point);
    return place.substr(0, place.size() - 1) + ", type " + NumberToText(point.type) + ")";
}

std::string Numbers(const PointDifference& change) {
    return change.a == change.b ? std::to_string(change.a)
                                : std::to_string(change.a) + " -> " + std::to_string(change.b);
}

// " (walk)" or " (ini)" after a type, when the two files give types different codes.
std::string CodesOf(const GraphDiff& diff, InputKind kind) {
    if (diff.aKind == diff.bKind) {
        return {};
    }
    return kind == InputKind::WalkSource ? " (walk)" : " (ini)";
}

std::string ChangeLine(const GraphDiff& diff, const PointDifference& change) {
    const bool moved = !WrittenAlike(change.from.x, change.to.x) ||
                       !WrittenAlike(change.from.y, change.to.y) ||
                       !WrittenAlike(change.from.z, change.to.z);
    std::string line = "point " + Numbers(change);
    if (moved) {
        line += " moved " + Place(change.from) + " -> " + Place(change.to);
    }
    if (change.retyped) {
        line += std::string(moved ? "," : "") + " type " + NumberToText(change.from.type) +
                CodesOf(diff, diff.aKind) + " -> " + NumberToText(change.to.type) +
                CodesOf(diff, diff.bKind);
    }
    return line;
}

std::size_t CountOf(const GraphDiff& diff, Kind kind) {
    return static_cast<std::size_t>(
        std::count_if(diff.points.begin(), diff.points.end(),
                      [&](const PointDifference& change) { return change.kind == kind; }));
}

// A value as it is written, as a JSON number: 0.3 rather than 0.30000000000000004, and 2
// rather than 2.0.
Json AsWritten(double value) {
    const std::string text = NumberToText(value);
    if (text.find_first_of(".E") == std::string::npos) {
        return Json(static_cast<std::int64_t>(value));  // whole, and below 1E15
    }
    try {
        return Json(TextToNumber(text));
    } catch (const ConversionError&) {
        return Json(value);  // written beyond the largest double, which no reader takes back
    }
}

Json Values(const Point& point) {
    return Json{{"x", AsWritten(point.x)},
                {"y", AsWritten(point.y)},
                {"z", AsWritten(point.z)},
                {"type", AsWritten(point.type)}};
}

Json Numbered(const char* side, int number, const Point& point) {
    Json object{{side, number}};
    object.update(Values(point));
    return object;
}

Json LinkList(const std::vector<Link>& links) {
    Json list = Json::array();
    for (const Link& link : links) {
        list.push_back(Json::array({link.from, link.to}));
    }
    return list;
}

}  // namespace

std::string DiffLines(const GraphDiff& diff, std::size_t points, std::size_t links) {
    std::string text;
    for (const PointDifference& change : diff.points) {
        switch (change.kind) {
            case Kind::Removed:
                text += "point " + std::to_string(change.a) + " removed " + WithType(change.from);
                break;
            case Kind::Added:
                text += "point " + std::to_string(change.b) + " added " + WithType(change.to);
                break;
            case Kind::Changed:
                text += ChangeLine(diff, change);
                break;
        }
        text += "\n";
    }
    for (const auto& [list, verb] :
         {std::pair{&diff.linksRemoved, "removed"}, std::pair{&diff.linksAdded, "added"}}) {
        for (const Link& link : *list) {
            text += "link " + std::to_string(link.from) + "-" + std::to_string(link.to) + " " +
                    verb + "\n";
        }
    }
    if (diff.Same()) {
        return text + "same graph: " + Counted(static_cast<int>(points), "point") + ", " +
               Counted(static_cast<int>(links), "link") + "\n";
    }
    return text + "points: " + std::to_string(CountOf(diff, Kind::Removed)) + " removed, " +
           std::to_string(CountOf(diff, Kind::Added)) + " added, " +
           std::to_string(CountOf(diff, Kind::Changed)) +
           " changed; links: " + std::to_string(diff.linksRemoved.size()) + " removed, " +
           std::to_string(diff.linksAdded.size()) + " added\n";
}

std::string DiffJson(const std::string& a, const std::string& b, const GraphDiff& diff,
                     const std::optional<std::string>& gitPath) {
    Json removed = Json::array();
    Json added = Json::array();
    Json changed = Json::array();
    for (const PointDifference& change : diff.points) {
        switch (change.kind) {
            case Kind::Removed:
                removed.push_back(Numbered("a", change.a, change.from));
                break;
            case Kind::Added:
                added.push_back(Numbered("b", change.b, change.to));
                break;
            case Kind::Changed:
                changed.push_back(Json{{"a", change.a},
                                       {"b", change.b},
                                       {"from", Values(change.from)},
                                       {"to", Values(change.to)}});
                break;
        }
    }
    Json document = Json::object();
    if (gitPath) {
        document["path"] = *gitPath;
    }
    document["a"] = a;
    document["b"] = b;
    document["same"] = diff.Same();
    document["points_removed"] = std::move(removed);
    document["points_added"] = std::move(added);
    document["points_changed"] = std::move(changed);
    document["links_removed"] = LinkList(diff.linksRemoved);
    document["links_added"] = LinkList(diff.linksAdded);
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string UncomparableJson(const std::string& gitPath, const std::string& a, const std::string& b,
                             const std::string& message) {
    const Json document{
        {"path", gitPath}, {"a", a}, {"b", b}, {"same", false}, {"message", message}};
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace walkconv::cli
