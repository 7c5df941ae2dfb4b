#include "core/findings/point_groups.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace walkconv {

namespace {

// Disjoint sets over 0..n-1 with path halving; the lower root wins a union, so that the result
// does not depend on the order of the links.
class Groups {
  public:
    explicit Groups(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }

    std::size_t Root(std::size_t i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }

    void Join(std::size_t a, std::size_t b) {
        const std::size_t ra = Root(a);
        const std::size_t rb = Root(b);
        parent_[std::max(ra, rb)] = std::min(ra, rb);
    }

  private:
    std::vector<std::size_t> parent_;
};

}  // namespace

std::vector<std::vector<int>> LinkedPointGroups(const ConversionState& state) {
    const int points = std::clamp<int>(state.PointCount, 0, kTableSize);
    const int links = std::clamp<int>(state.LinkCount, 0, kTableSize);
    const auto within = [&](int point) { return point >= 0 && point < points; };
    Groups groups(static_cast<std::size_t>(points));
    std::vector<bool> touched(static_cast<std::size_t>(points));
    for (int i = 0; i < links; ++i) {
        const Link& link = state.Links[i];
        for (const int end : {link.from, link.to}) {
            if (within(end)) {
                touched[static_cast<std::size_t>(end)] = true;
            }
        }
        if (within(link.from) && within(link.to)) {
            groups.Join(static_cast<std::size_t>(link.from), static_cast<std::size_t>(link.to));
        }
    }
    // The lower root wins every union, so a group's root is its lowest point, met first here.
    std::vector<std::vector<int>> result;
    std::vector<std::size_t> slot(static_cast<std::size_t>(points));
    for (int point = 0; point < points; ++point) {
        const auto p = static_cast<std::size_t>(point);
        if (!touched[p]) {
            continue;
        }
        const std::size_t root = groups.Root(p);
        if (root == p) {
            slot[p] = result.size();
            result.emplace_back();
        }
        result[slot[root]].push_back(point);
    }
    return result;
}

}  // namespace walkconv
