// The alignment under walkconv diff: a longest common subsequence, checked against the
// textbook table on random sequences of every shape, and near-linear on near-identical ones.
#include "core/diff/sequence_alignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace walkconv {
namespace {

// The length of a longest common subsequence, by the quadratic table.
std::size_t LcsLength(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                               : std::max(table[i - 1][j], table[i][j - 1]);
        }
    }
    return table[a.size()][b.size()];
}

TEST(SequenceAlignment, MatchesEqualElementsInOrderAndAsManyAsTheLongestCommonSubsequence) {
    std::mt19937 random(18);
    for (int round = 0; round < 2000; ++round) {
        // Small alphabets give many equal elements; sizes from empty to a few dozen.
        const int alphabet = 1 + static_cast<int>(random() % 6);
        const auto sequence = [&] {
            std::vector<int> s(random() % 40);
            for (int& element : s) {
                element = static_cast<int>(random() % static_cast<unsigned>(alphabet));
            }
            return s;
        };
        const std::vector<int> a = sequence();
        const std::vector<int> b = round % 3 == 0 ? a : sequence();
        const std::vector<std::pair<int, int>> matches = AlignSequences(a, b);
        ASSERT_EQ(matches.size(), LcsLength(a, b)) << "round " << round;
        for (std::size_t k = 0; k < matches.size(); ++k) {
            const auto [i, j] = matches[k];
            ASSERT_EQ(a[static_cast<std::size_t>(i)], b[static_cast<std::size_t>(j)]);
            if (k > 0) {
                ASSERT_GT(i, matches[k - 1].first);
                ASSERT_GT(j, matches[k - 1].second);
            }
        }
    }
}

}  // namespace
}  // namespace walkconv
