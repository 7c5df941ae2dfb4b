#include "core/diff/graph_diff.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/diff/sequence_alignment.h"
#include "core/numbers.h"

namespace walkconv {

namespace {

// A point as the writers write it: its four values.
using WrittenPoint = std::array<std::string, 4>;

WrittenPoint Written(const Point& point) {
    return {NumberToText(point.x), NumberToText(point.y), NumberToText(point.z),
            NumberToText(point.type)};
}

// How many of the four values differ.
int Unlike(const WrittenPoint& a, const WrittenPoint& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}

// Numbers the distinct written points, so that the alignment compares numbers.
class PointCodes {
  public:
    std::vector<int> Of(const std::vector<WrittenPoint>& points) {
        std::vector<int> codes;
        codes.reserve(points.size());
        for (const WrittenPoint& point : points) {
            std::string key = point[0] + ',' + point[1] + ',' + point[2] + ',' + point[3];
            codes.push_back(
                codes_.try_emplace(std::move(key), static_cast<int>(codes_.size())).first->second);
        }
        return codes;
    }

  private:
    std::unordered_map<std::string, int> codes_;
};

// Pairs the points A removed, a[aFrom, aTo), with those B added, b[bFrom, bTo), in order and as
// many as the smaller side has, choosing those most alike: pairs (i, j) appended to `pairs`.
void PairUp(const std::vector<WrittenPoint>& a, int aFrom, int aTo,
            const std::vector<WrittenPoint>& b, int bFrom, int bTo,
            std::vector<std::pair<int, int>>& pairs) {
    const bool swap = aTo - aFrom < bTo - bFrom;  // the longer side skips
    const std::vector<WrittenPoint>& longer = swap ? b : a;
    const std::vector<WrittenPoint>& shorter = swap ? a : b;
    const int longFrom = swap ? bFrom : aFrom;
    const int shortFrom = swap ? aFrom : bFrom;
    const int k = swap ? bTo - bFrom : aTo - aFrom;
    const int l = swap ? aTo - aFrom : bTo - bFrom;
    if (l == 0) {
        return;
    }
    const auto cost = [&](int i, int j) {
        return Unlike(longer[static_cast<std::size_t>(longFrom + i)],
                      shorter[static_cast<std::size_t>(shortFrom + j)]);
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
    std::vector<WrittenPoint> aPoints;
    std::vector<WrittenPoint> bPoints;
    for (Point point : a.points) {
        point.type = TypeInKind(point.type, a.kind, b.kind);
        aPoints.push_back(Written(point));
    }
    for (const Point& point : b.points) {
        bPoints.push_back(Written(point));
    }
    PointCodes codes;
    const std::vector<int> aCodes = codes.Of(aPoints);
    const std::vector<int> bCodes = codes.Of(bPoints);
    std::vector<std::pair<int, int>> matches = AlignSequences(aCodes, bCodes);

    GraphDiff diff;
    std::vector<int> aToB(a.points.size(), -1);
    const auto removed = [&](int i) {
        Point point = a.points[static_cast<std::size_t>(i)];
        point.type = TypeInKind(point.type, a.kind, b.kind);
        return point;
    };
    const auto emitGap = [&](int aFrom, int aTo, int bFrom, int bTo) {
        std::vector<std::pair<int, int>> pairs;
        PairUp(aPoints, aFrom, aTo, bPoints, bFrom, bTo, pairs);
        int i = aFrom;
        int j = bFrom;
        const auto upTo = [&](int aEnd, int bEnd) {
            for (; i < aEnd; ++i) {
                diff.points.push_back({PointDifference::Kind::Removed, i, -1, removed(i), {}});
            }
            for (; j < bEnd; ++j) {
                diff.points.push_back({PointDifference::Kind::Added,
                                       -1,
                                       j,
                                       {},
                                       b.points[static_cast<std::size_t>(j)]});
            }
        };
        for (const auto& [pi, pj] : pairs) {
            upTo(pi, pj);
            diff.points.push_back({PointDifference::Kind::Changed, pi, pj, removed(pi),
                                   b.points[static_cast<std::size_t>(pj)]});
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
