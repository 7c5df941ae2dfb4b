#include "core/diff/graph_diff.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "core/diff/sequence_alignment.h"
#include "core/numbers.h"

namespace walkconv {

namespace {

// The coordinates of a point as the writers write them.
using WrittenPlace = std::array<std::string, 3>;

WrittenPlace Written(const Point& point) {
    return {NumberToText(point.x), NumberToText(point.y), NumberToText(point.z)};
}

// Numbers distinct texts, so that comparisons compare numbers.
class TextCodes {
  public:
    int Of(std::string text) {
        return codes_.try_emplace(std::move(text), static_cast<int>(codes_.size())).first->second;
    }

  private:
    std::unordered_map<std::string, int> codes_;
};

// The points of two files, made comparable: the coordinates as written, and each type both in
// its own file's codes and in the other file's, as converting the file would map it.
class PointComparison {
  public:
    PointComparison(const GraphDocument& a, const GraphDocument& b) {
        TextCodes places;
        TextCodes types;
        for (const auto& [document, other, side] :
             {std::tuple{&a, &b, &a_}, std::tuple{&b, &a, &b_}}) {
            for (const Point& point : document->points) {
                const WrittenPlace place = Written(point);
                side->written.push_back(place);
                side->place.push_back(places.Of(place[0] + ',' + place[1] + ',' + place[2]));
                side->type.push_back(types.Of(NumberToText(point.type)));
                side->typeInOther.push_back(
                    types.Of(NumberToText(TypeInKind(point.type, document->kind, other->kind))));
            }
        }
    }

    // Two types are alike when converting either file into the other's kind maps one onto the
    // other: so a file and its converted twin are the same graph, whichever is A.
    bool TypesAlike(int i, int j) const {
        const auto at = [](const std::vector<int>& codes, int k) {
            return codes[static_cast<std::size_t>(k)];
        };
        return at(a_.typeInOther, i) == at(b_.type, j) || at(b_.typeInOther, j) == at(a_.type, i);
    }

    bool Alike(int i, int j) const {
        return a_.place[static_cast<std::size_t>(i)] == b_.place[static_cast<std::size_t>(j)] &&
               TypesAlike(i, j);
    }

    // How many of the four values differ.
    int Unlike(int i, int j) const {
        const WrittenPlace& x = a_.written[static_cast<std::size_t>(i)];
        const WrittenPlace& y = b_.written[static_cast<std::size_t>(j)];
        int count = TypesAlike(i, j) ? 0 : 1;
        for (std::size_t k = 0; k < x.size(); ++k) {
            count += x[k] != y[k] ? 1 : 0;
        }
        return count;
    }

  private:
    struct Side {
        std::vector<WrittenPlace> written;
        std::vector<int> place;
        std::vector<int> type;
        std::vector<int> typeInOther;
    };
    Side a_;
    Side b_;
};

// Pairs the points A removed, a[aFrom, aTo), with those B added, b[bFrom, bTo), in order and as
// many as the smaller side has, choosing those most alike: pairs (i, j) appended to `pairs`.
void PairUp(const PointComparison& points, int aFrom, int aTo, int bFrom, int bTo,
            std::vector<std::pair<int, int>>& pairs) {
    const bool swap = aTo - aFrom < bTo - bFrom;  // the longer side skips
    const int longFrom = swap ? bFrom : aFrom;
    const int shortFrom = swap ? aFrom : bFrom;
    const int k = swap ? bTo - bFrom : aTo - aFrom;
    const int l = swap ? aTo - aFrom : bTo - bFrom;
    if (l == 0) {
        return;
    }
    const auto cost = [&](int i, int j) {
        return swap ? points.Unlike(shortFrom + j, longFrom + i)
                    : points.Unlike(longFrom + i, shortFrom + j);
    };
    // best[i][j]: the least total unlikeness pairing the first j of the shorter side with j of
    // the first i of the longer.
    const auto width = static_cast<std::size_t>(l + 1);
    std::vector<int> best(static_cast<std::size_t>(k + 1) * width, INT_MAX / 2);
    const auto cell = [&](int i, int j) -> int& {
        return best[static_cast<std::size_t>(i) * width + static_cast<std::size_t>(j)];
    };
    for (int i = 0; i <= k; ++i) {
        cell(i, 0) = 0;
        for (int j = 1; j <= std::min(i, l); ++j) {
            cell(i, j) = std::min(i > j ? cell(i - 1, j) : INT_MAX / 2,
                                  cell(i - 1, j - 1) + cost(i - 1, j - 1));
        }
    }
    std::vector<std::pair<int, int>> found;
    for (int i = k, j = l; j > 0; --i) {
        if (i == j || cell(i, j) == cell(i - 1, j - 1) + cost(i - 1, j - 1)) {
            found.emplace_back(longFrom + i - 1, shortFrom + j - 1);
            --j;
        }
    }
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        pairs.push_back(swap ? std::pair{it->second, it->first} : *it);
    }
}

Link Ordered(Link link) {
    if (link.to < link.from) {
        std::swap(link.from, link.to);
    }
    return link;
}

bool Before(const Link& x, const Link& y) {
    return std::pair{x.from, x.to} < std::pair{y.from, y.to};
}

}  // namespace

bool WrittenAlike(double a, double b) {
    return NumberToText(a) == NumberToText(b);
}

GraphDiff DiffGraphs(const GraphDocument& a, const GraphDocument& b) {
    const PointComparison points(a, b);
    std::vector<std::pair<int, int>> matches =
        AlignSequences(static_cast<int>(a.points.size()), static_cast<int>(b.points.size()),
                       [&](int i, int j) { return points.Alike(i, j); });

    GraphDiff diff;
    diff.aKind = a.kind;
    diff.bKind = b.kind;
    std::vector<int> aToB(a.points.size(), -1);
    const auto emitGap = [&](int aFrom, int aTo, int bFrom, int bTo) {
        std::vector<std::pair<int, int>> pairs;
        PairUp(points, aFrom, aTo, bFrom, bTo, pairs);
        int i = aFrom;
        int j = bFrom;
        const auto upTo = [&](int aEnd, int bEnd) {
            for (; i < aEnd; ++i) {
                diff.points.push_back({PointDifference::Kind::Removed,
                                       i,
                                       -1,
                                       a.points[static_cast<std::size_t>(i)],
                                       {},
                                       false});
            }
            for (; j < bEnd; ++j) {
                diff.points.push_back({PointDifference::Kind::Added,
                                       -1,
                                       j,
                                       {},
                                       b.points[static_cast<std::size_t>(j)],
                                       false});
            }
        };
        for (const auto& [pi, pj] : pairs) {
            upTo(pi, pj);
            diff.points.push_back(
                {PointDifference::Kind::Changed, pi, pj, a.points[static_cast<std::size_t>(pi)],
                 b.points[static_cast<std::size_t>(pj)], !points.TypesAlike(pi, pj)});
            aToB[static_cast<std::size_t>(pi)] = pj;
            i = pi + 1;
            j = pj + 1;
        }
        upTo(aTo, bTo);
    };
    int aNext = 0;
    int bNext = 0;
    for (const auto& [i, j] : matches) {
        emitGap(aNext, i, bNext, j);
        aToB[static_cast<std::size_t>(i)] = j;
        aNext = i + 1;
        bNext = j + 1;
    }
    emitGap(aNext, static_cast<int>(a.points.size()), bNext, static_cast<int>(b.points.size()));

    // Each end as B numbers it: an aligned point by its number in B, a removed point by a number
    // no end of B has, an end beyond the points by itself above every point number.
    constexpr int kBeyond = 1 << 20;
    const auto aEnd = [&](int end) {
        if (end >= static_cast<int>(a.points.size())) {
            return kBeyond + end;
        }
        const int inB = aToB[static_cast<std::size_t>(end)];
        return inB >= 0 ? inB : -1 - end;
    };
    const auto bEnd = [&](int end) {
        return end >= static_cast<int>(b.points.size()) ? kBeyond + end : end;
    };
    const auto key = [](int x, int y) { return std::pair{std::min(x, y), std::max(x, y)}; };
    std::map<std::pair<int, int>, std::vector<Link>> unmatched;  // A's links by their key
    for (const DocumentLink& link : a.links) {
        unmatched[key(aEnd(link.ends.from), aEnd(link.ends.to))].push_back(link.ends);
    }
    for (const DocumentLink& link : b.links) {
        const auto found = unmatched.find(key(bEnd(link.ends.from), bEnd(link.ends.to)));
        if (found != unmatched.end() && !found->second.empty()) {
            found->second.pop_back();
        } else {
            diff.linksAdded.push_back(Ordered(link.ends));
        }
    }
    for (const auto& [unused, links] : unmatched) {
        for (const Link& link : links) {
            diff.linksRemoved.push_back(Ordered(link));
        }
    }
    std::sort(diff.linksRemoved.begin(), diff.linksRemoved.end(), Before);
    std::sort(diff.linksAdded.begin(), diff.linksAdded.end(), Before);
    return diff;
}

}  // namespace walkconv
