#pragma once

#include <span>
#include <utility>
#include <vector>

namespace walkconv {

// A longest common subsequence of `a` and `b`, as diff aligns the lines of two files: the pairs
// (i, j) with a[i] == b[j] that keep the most elements unchanged, ascending in both. Myers'
// difference algorithm in linear space: time grows with the sizes times the number of
// differences, so that near-identical sequences align in near-linear time.
std::vector<std::pair<int, int>> AlignSequences(std::span<const int> a, std::span<const int> b);

}  // namespace walkconv
