#pragma once

#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace walkconv {

// A longest common subsequence of `a` and `b`, as diff aligns the lines of two files: the pairs
// (i, j) with a[i] == b[j] that keep the most elements unchanged, ascending in both. Myers'
// difference algorithm in linear space: time grows with the sizes times the number of
// differences, so that near-identical sequences align in near-linear time.
std::vector<std::pair<int, int>> AlignSequences(std::span<const int> a, std::span<const int> b);

// The same for sequences of `aSize` and `bSize` elements whose element i of a and j of b are
// alike when `alike(i, j)`: a relation that need not be transitive, as a path through the
// edit graph only ever asks about one pair.
std::vector<std::pair<int, int>> AlignSequences(int aSize, int bSize,
                                                const std::function<bool(int, int)>& alike);

}  // namespace walkconv
