#include "core/diff/sequence_alignment.h"

#include <optional>

namespace walkconv {

namespace {

// Alike(i, j): element i of a and element j of b are alike.
template <typename Alike>
class Aligner {
  public:
    explicit Aligner(const Alike& alike) : alike_(alike) {}

    // Aligns a[aLo, aHi) with b[bLo, bHi), appending the matches in order.
    void Align(int aLo, int aHi, int bLo, int bHi) {
        while (aLo < aHi && bLo < bHi && alike_(aLo, bLo)) {
            matches_.emplace_back(aLo++, bLo++);
        }
        int suffix = 0;
        while (aHi - suffix > aLo && bHi - suffix > bLo &&
               alike_(aHi - 1 - suffix, bHi - 1 - suffix)) {
            ++suffix;
        }
        aHi -= suffix;
        bHi -= suffix;
        // Without a common prefix and suffix, one difference leaves one side empty; for more,
        // the middle of an optimal path splits the work into two smaller halves.
        if (aLo < aHi && bLo < bHi) {
            if (const std::optional<std::pair<int, int>> split = MiddleSnake(aLo, aHi, bLo, bHi)) {
                Align(aLo, split->first, bLo, split->second);
                Align(split->first, aHi, split->second, bHi);
            }
        }
        for (int k = 0; k < suffix; ++k) {
            matches_.emplace_back(aHi + k, bHi + k);
        }
    }

    std::vector<std::pair<int, int>> Matches() && { return std::move(matches_); }

  private:
    // Where the forward and the backward searches for the shortest edit script meet; none when
    // the two ranges have no element in common.
    std::optional<std::pair<int, int>> MiddleSnake(int aLo, int aHi, int bLo, int bHi) const {
        const int n = aHi - aLo;
        const int m = bHi - bLo;
        const int maxD = (n + m + 1) / 2;
        const int offset = maxD;
        const int size = 2 * maxD + 2;
        std::vector<int> forward(static_cast<std::size_t>(size), -1);
        std::vector<int> backward(static_cast<std::size_t>(size), -1);
        const auto at = [](std::vector<int>& v, int k) -> int& {
            return v[static_cast<std::size_t>(k)];
        };
        at(forward, offset + 1) = 0;
        at(backward, offset + 1) = 0;
        const int delta = n - m;
        // With an odd delta the forward search meets the backward one, else the reverse.
        const bool forwardMeets = delta % 2 != 0;
        int k1Start = 0;
        int k1End = 0;
        int k2Start = 0;
        int k2End = 0;
        for (int d = 0; d < maxD; ++d) {
            for (int k1 = -d + k1Start; k1 <= d - k1End; k1 += 2) {
                const int k1Offset = offset + k1;
                int x1 =
                    k1 == -d || (k1 != d && at(forward, k1Offset - 1) < at(forward, k1Offset + 1))
                        ? at(forward, k1Offset + 1)
                        : at(forward, k1Offset - 1) + 1;
                int y1 = x1 - k1;
                while (x1 < n && y1 < m && alike_(aLo + x1, bLo + y1)) {
                    ++x1;
                    ++y1;
                }
                at(forward, k1Offset) = x1;
                if (x1 > n) {
                    k1End += 2;  // ran off the right
                } else if (y1 > m) {
                    k1Start += 2;  // ran off the bottom
                } else if (forwardMeets) {
                    const int k2Offset = offset + delta - k1;
                    if (k2Offset >= 0 && k2Offset < size && at(backward, k2Offset) != -1 &&
                        x1 >= n - at(backward, k2Offset)) {
                        return std::pair{aLo + x1, bLo + y1};
                    }
                }
            }
            for (int k2 = -d + k2Start; k2 <= d - k2End; k2 += 2) {
                const int k2Offset = offset + k2;
                int x2 =
                    k2 == -d || (k2 != d && at(backward, k2Offset - 1) < at(backward, k2Offset + 1))
                        ? at(backward, k2Offset + 1)
                        : at(backward, k2Offset - 1) + 1;
                int y2 = x2 - k2;
                while (x2 < n && y2 < m && alike_(aHi - 1 - x2, bHi - 1 - y2)) {
                    ++x2;
                    ++y2;
                }
                at(backward, k2Offset) = x2;
                if (x2 > n) {
                    k2End += 2;
                } else if (y2 > m) {
                    k2Start += 2;
                } else if (!forwardMeets) {
                    const int k1Offset = offset + delta - k2;
                    if (k1Offset >= 0 && k1Offset < size && at(forward, k1Offset) != -1) {
                        const int x1 = at(forward, k1Offset);
                        const int y1 = offset + x1 - k1Offset;
                        if (x1 >= n - x2) {
                            return std::pair{aLo + x1, bLo + y1};
                        }
                    }
                }
            }
        }
        return std::nullopt;
    }

    const Alike& alike_;
    std::vector<std::pair<int, int>> matches_;
};

}  // namespace

std::vector<std::pair<int, int>> AlignSequences(std::span<const int> a, std::span<const int> b) {
    const auto equal = [&](int i, int j) {
        return a[static_cast<std::size_t>(i)] == b[static_cast<std::size_t>(j)];
    };
    Aligner aligner(equal);
    aligner.Align(0, static_cast<int>(a.size()), 0, static_cast<int>(b.size()));
    return std::move(aligner).Matches();
}

std::vector<std::pair<int, int>> AlignSequences(int aSize, int bSize,
                                                const std::function<bool(int, int)>& alike) {
    Aligner aligner(alike);
    aligner.Align(0, aSize, 0, bSize);
    return std::move(aligner).Matches();
}

}  // namespace walkconv
