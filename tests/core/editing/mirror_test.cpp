// The mirror image of a part of a graph across x = 0: the points and links it adds, those it
// finds there already, and the images it names, checked on the document the edit leaves.
#include "core/editing/mirror.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/document_ends.h"

namespace walkconv {
namespace {

using Ends = std::pair<int, int>;
using testing::EndsOf;

GraphDocument Document(const std::vector<Point>& points, const std::vector<Ends>& links) {
    GraphDocument document;
    document.points = points;
    for (const auto& [from, to] : links) {
        document.links.push_back(
            {Link{static_cast<std::int16_t>(from), static_cast<std::int16_t>(to)}});
    }
    return document;
}

TEST(PlanMirror, AddsTheImagesOfThePointsAndOfTheLinksAmongThemOnce) {
    // 0 and 1 on the port side, 2 on the centre line (within reach), 3 not mirrored.
    const std::vector<Point> port{{1, 2, 3, 4}, {2, 2, 5, 1}, {0.01, 2, 7, 1}, {3, 0, 0, 1}};
    const std::vector<Ends> links{{0, 1}, {1, 2}, {2, 3}};
    struct Row {
        const char* name;
        GraphDocument document;
        std::vector<int> mirrored;
        std::vector<Point> added;  // the points appended
        std::vector<Ends> links;   // all the links afterwards
        std::vector<int> images;
    };
    const std::vector<Row> rows{
        {"a centre-line point joins both halves; a link to a point left out is not mirrored",
         Document(port, links),
         {2, 1, 0, 1, 9, -1},
         {{-1, 2, 3, 4}, {-2, 2, 5, 1}},
         {{0, 1}, {1, 2}, {2, 3}, {4, 5}, {5, 2}},
         {2, 4, 5}},
        {"a link along the centre line is its own image",
         Document({{0, 0, 0, 1}, {-0.005, 0, 1, 1}, {1, 0, 1, 1}}, {{0, 1}, {1, 2}}),
         {0, 1, 2},
         {{-1, 0, 1, 1}},
         {{0, 1}, {1, 2}, {1, 3}},
         {0, 1, 3}},
        {"an image there already, of the same type, is taken, and its link not doubled",
         Document({{1, 0, 0, 1}, {1, 0, 2, 1}, {-1, 0, 0, 1}, {-1.005, 0, 2, 2}, {-1, 0, 2, 1}},
                  {{0, 1}, {4, 2}}),
         {0, 1},
         {},
         {{0, 1}, {4, 2}},
         {2, 4}},
        {"a link across the centre line is its own image, either way round",
         Document({{1, 0, 0, 1}, {-1, 0, 0, 1}}, {{0, 1}}),
         {0, 1},
         {},
         {{0, 1}},
         {0, 1}},
        {"two points close together share one image",
         Document({{1, 0, 0, 1}, {1.004, 0, 0, 1}}, {{0, 1}}),
         {0, 1},
         {{-1, 0, 0, 1}},
         {{0, 1}},
         {2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MirrorPlan plan = PlanMirror(row.document, row.mirrored);
        EXPECT_EQ(plan.images, row.images);
        GraphDocument mirrored = row.document;
        ASSERT_TRUE(ApplyEdit(mirrored, plan.edit).Applied());
        const std::vector<Point> added(
            mirrored.points.begin() + static_cast<std::ptrdiff_t>(row.document.points.size()),
            mirrored.points.end());
        EXPECT_EQ(added, row.added);
        EXPECT_EQ(EndsOf(mirrored), row.links);

        // Once mirrored, mirroring the images again finds everything there.
        EXPECT_TRUE(PlanMirror(mirrored, plan.images).edit.steps.empty());
    }
}

}  // namespace
}  // namespace walkconv
