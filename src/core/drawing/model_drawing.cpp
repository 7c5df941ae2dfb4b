#include "core/drawing/model_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace walkconv {

namespace {

constexpr int kEmpty = -1;

// The cells of one view's plot and the height each covered one shows.
class CellGrid {
  public:
    explicit CellGrid(const ViewFrame& frame)
        : frame_(frame),
          columns_(CellsAcross(frame.width)),
          rows_(CellsAcross(frame.height)),
          heights_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_),
                   std::numeric_limits<double>::quiet_NaN()) {}

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    // Marks every cell whose centre the picture of the triangle covers with the triangle's
    // height there, unless a higher one covers it already.
    void Cover(const std::array<Spot, 3>& at, const std::array<double, 3>& height) {
        const double area =
            (at[1].x - at[0].x) * (at[2].y - at[0].y) - (at[2].x - at[0].x) * (at[1].y - at[0].y);
        if (!(std::fabs(area) > 1e-12)) {
            return;  // seen edge on
        }
        const auto [xLow, xHigh] = std::minmax({at[0].x, at[1].x, at[2].x});
        const auto [yLow, yHigh] = std::minmax({at[0].y, at[1].y, at[2].y});
        const int c0 = std::max(0, CellOf(xLow - frame_.topLeft.x));
        const int c1 = std::min(columns_ - 1, CellOf(xHigh - frame_.topLeft.x));
        const int r0 = std::max(0, CellOf(yLow - frame_.topLeft.y));
        const int r1 = std::min(rows_ - 1, CellOf(yHigh - frame_.topLeft.y));
        for (int r = r0; r <= r1; ++r) {
            const double y = frame_.topLeft.y + (r + 0.5) * kModelCell;
            for (int c = c0; c <= c1; ++c) {
                const double x = frame_.topLeft.x + (c + 0.5) * kModelCell;
                const double w0 =
                    ((at[1].x - x) * (at[2].y - y) - (at[2].x - x) * (at[1].y - y)) / area;
                const double w1 =
                    ((at[2].x - x) * (at[0].y - y) - (at[0].x - x) * (at[2].y - y)) / area;
                const double w2 = 1 - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0) {
                    continue;
                }
                double& cell = heights_[Index(c, r)];
                const double h = w0 * height[0] + w1 * height[1] + w2 * height[2];
                if (std::isnan(cell) || h > cell) {
                    cell = h;
                }
            }
        }
    }

    // The shade of each cell by its height between `low` and `high`, kEmpty where none.
    std::vector<int> Shades(double low, double high) const {
        std::vector<int> shades(heights_.size(), kEmpty);
        const double span = high - low;
        for (std::size_t i = 0; i < heights_.size(); ++i) {
            if (std::isnan(heights_[i])) {
                continue;
            }
            const double share = span > 0 ? (heights_[i] - low) / span : 1;
            shades[i] = std::clamp(static_cast<int>(share * kModelShades), 0,
                                   static_cast<int>(kModelShades) - 1);
        }
        return shades;
    }

    std::size_t Index(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }

  private:
    static int CellsAcross(double length) {
        return std::max(0, static_cast<int>(std::ceil(length / kModelCell)));
    }

    // The cell whose span holds `offset` from the plot's edge; beyond the plot it lies
    // outside 0..cells-1. Offsets that are not finite land far outside.
    static int CellOf(double offset) {
        const double cell = std::floor(offset / kModelCell);
        return std::isfinite(cell) ? static_cast<int>(std::clamp(cell, -1.0, 1e6)) : -1;
    }

    ViewFrame frame_;
    int columns_;
    int rows_;
    std::vector<double> heights_;
};

// Runs of cells of one shade along each row, and the outline where a cell meets a cell of
// another shade (or none), in the outline colour of the higher of the two: the edge belongs to
// what stands on top.
ModelView Trace(const CellGrid& grid, const std::vector<int>& shades, const ViewFrame& frame) {
    ModelView view;
    const double left = frame.topLeft.x;
    const double top = frame.topLeft.y;
    const double right = left + frame.width;
    const double bottom = top + frame.height;
    const auto x = [&](int column) { return std::min(left + column * kModelCell, right); };
    const auto y = [&](int row) { return std::min(top + row * kModelCell, bottom); };
    const auto shade = [&](int column, int row) {
        if (column < 0 || row < 0 || column >= grid.Columns() || row >= grid.Rows()) {
            return kEmpty;
        }
        return shades[grid.Index(column, row)];
    };
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns();) {
            const int s = shade(c, r);
            int end = c + 1;
            while (end < grid.Columns() && shade(end, r) == s) {
                ++end;
            }
            if (s != kEmpty) {
                view.fills[static_cast<std::size_t>(s)].push_back(
                    {x(c), y(r), x(end) - x(c), y(r + 1) - y(r)});
            }
            c = end;
        }
    }
    // Edges between rows r-1 and r, then between columns c-1 and c, joined while they keep one
    // colour.
    const auto edges = [&](int lines, int along, auto shadeBefore, auto shadeAfter, auto segment) {
        for (int line = 0; line <= lines; ++line) {
            for (int i = 0; i < along;) {
                const int owner = std::max(shadeBefore(line, i), shadeAfter(line, i));
                const bool edge = shadeBefore(line, i) != shadeAfter(line, i);
                int end = i + 1;
                while (end < along && edge && shadeBefore(line, end) != shadeAfter(line, end) &&
                       std::max(shadeBefore(line, end), shadeAfter(line, end)) == owner) {
                    ++end;
                }
                if (edge) {
                    view.outlines[static_cast<std::size_t>(owner)].push_back(segment(line, i, end));
                }
                i = end;
            }
        }
    };
    edges(
        grid.Rows(), grid.Columns(), [&](int row, int c) { return shade(c, row - 1); },
        [&](int row, int c) { return shade(c, row); },
        [&](int row, int from, int to) {
            return Segment{{x(from), y(row)}, {x(to), y(row)}};
        });
    edges(
        grid.Columns(), grid.Rows(), [&](int column, int r) { return shade(column - 1, r); },
        [&](int column, int r) { return shade(column, r); },
        [&](int column, int from, int to) {
            return Segment{{x(column), y(from)}, {x(column), y(to)}};
        });
    return view;
}

std::uint8_t Grey(std::size_t shade) {
    constexpr int kDarkest = 0xd0;
    constexpr int kLightest = 0xee;
    return static_cast<std::uint8_t>(kDarkest + (kLightest - kDarkest) * static_cast<int>(shade) /
                                                    static_cast<int>(kModelShades - 1));
}

}  // namespace

Rgb ModelFill(std::size_t shade) {
    const std::uint8_t grey = Grey(shade);
    return {grey, grey, grey};
}

Rgb ModelOutline(std::size_t shade) {
    const auto grey = static_cast<std::uint8_t>(Grey(shade) - 0x24);
    return {grey, grey, grey};
}

bool ModelView::Empty() const {
    return std::all_of(fills.begin(), fills.end(), [](const auto& runs) { return runs.empty(); });
}

ModelView DrawModelView(const MeshIndex& mesh, const ViewFrame& frame,
                        const ViewProjection& project) {
    CellGrid grid(frame);
    for (const Triangle& triangle : mesh.Mesh().triangles) {
        std::array<Spot, 3> at;
        std::array<double, 3> height{};
        for (std::size_t i = 0; i < 3; ++i) {
            const Vec3 corner = triangle.corners[i].ToVec3();
            at[i] = project(corner);
            height[i] = corner.y;
        }
        grid.Cover(at, height);
    }
    return Trace(grid, grid.Shades(mesh.Low().y, mesh.High().y), frame);
}

}  // namespace walkconv
