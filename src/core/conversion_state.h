#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace walkconv {

// Both tables hold the entries 0..1000; every access is checked and an index outside that
// range throws ConversionError.
inline constexpr int kTableSize = 1001;

struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
    double type = 0;

    // Component 0, 1, 2 is x, y, z.
    double& Coordinate(int component);
    double Coordinate(int component) const;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Link {
    std::int16_t from = 0;
    std::int16_t to = 0;

    friend bool operator==(const Link&, const Link&) = default;
};

template <typename Entry>
class CheckedTable {
  public:
    Entry& operator[](int index);
    const Entry& operator[](int index) const;

    friend bool operator==(const CheckedTable&, const CheckedTable&) = default;

  private:
    std::array<Entry, kTableSize> entries_{};
};

using PointTable = CheckedTable<Point>;
using LinkTable = CheckedTable<Link>;

// The data of one converter window: what the last analysis read, and what Convert! writes.
struct ConversionState {
    std::string InputPath;
    std::string ModelName;
    std::int16_t PointCount = 0;
    std::int16_t LinkCount = 0;
    PointTable Points;
    LinkTable Links;
};

// What an analysis of one input file came to.
enum class AnalysisOutcome {
    NothingDone,  // empty path, or no regular file there; the state is untouched
    Valid,        // at least one point and one link: ready to convert
    NotValid,     // read without error, but no points or no links
    Failed,       // the file broke a limit of the reader, or could not be read
};

// A link that DropLinksWithNegativeEnds removed: its number before the drop, and its ends.
struct DroppedLink {
    int number = 0;
    Link ends;

    friend bool operator==(const DroppedLink&, const DroppedLink&) = default;
};

// Keeps, in order, the links 0..LinkCount-1 whose two ends are both >= 0, moves them down to
// 0..k-1, zeroes the entries they leave and sets LinkCount to k. Returns how many were dropped;
// with `dropped`, also appends each of them there, in order.
// Throws ConversionError when LinkCount exceeds the table.
int DropLinksWithNegativeEnds(ConversionState& state, std::vector<DroppedLink>* dropped = nullptr);

// The four-line summary shown after a valid analysis, lines separated by CR LF.
std::string AnalysisSummary(const ConversionState& state);

}  // namespace walkconv
