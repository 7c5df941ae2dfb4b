// The hierarchy's answers against every triangle tried one by one, on random triangles, and the
// surfaces of the sample ship.
#include "core/mesh/mesh_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "support/ship_model.h"

namespace walkconv {
namespace {

TEST(MeshIndex, AnswersAsTryingEveryTriangleDoesOnRandomTriangles) {
    std::mt19937 random(29);
    std::uniform_real_distribution<float> place(-10, 10);
    std::uniform_real_distribution<float> near(-1.5F, 1.5F);
    TriangleMesh mesh;
    for (int i = 0; i < 400; ++i) {
        const MeshCorner a{place(random), place(random), place(random)};
        Triangle triangle{{a, a, a}};
        for (std::size_t k = 1; k < 3; ++k) {
            triangle.corners[k] = {a.x + near(random), a.y + near(random), a.z + near(random)};
        }
        mesh.triangles.push_back(triangle);
    }
    const MeshIndex index(mesh);
    int surfaces = 0;
    int crossings = 0;
    for (int i = 0; i < 500; ++i) {
        const double x = place(random);
        const double z = place(random);
        std::vector<double> expected;
        for (const Triangle& triangle : mesh.triangles) {
            if (const auto height = HeightAt(triangle, x, z)) {
                expected.push_back(*height);
            }
        }
        std::sort(expected.begin(), expected.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        EXPECT_EQ(index.SurfacesUnder(x, z), expected) << x << ", " << z;
        surfaces += static_cast<int>(expected.size());

        const Vec3 from{place(random), place(random), place(random)};
        const Vec3 to{from.x + 3 * near(random), from.y + 3 * near(random),
                      from.z + 3 * near(random)};
        std::optional<double> first;
        for (const Triangle& triangle : mesh.triangles) {
            const auto t = Crossing(triangle, from, to);
            if (t && (!first || *t < *first)) {
                first = t;
            }
        }
        EXPECT_EQ(index.FirstCrossing(from, to), first);
        crossings += first ? 1 : 0;
    }
    // The queries met triangles often enough to mean something.
    EXPECT_GT(surfaces, 100);
    EXPECT_GT(crossings, 20);
}

TEST(MeshIndex, FindsTheDecksAndTheMastOfTheSampleShip) {
    const MeshIndex ship(testing::SampleShip());
    EXPECT_EQ(ship.SurfacesUnder(0, 5), (std::vector<double>{0, 2}));
    EXPECT_EQ(ship.SurfacesUnder(1, 17), (std::vector<double>{0, 2, 3}));
    EXPECT_EQ(ship.SurfacesUnder(0, 10), (std::vector<double>{0, 2, 12}));
    EXPECT_EQ(ship.SurfacesUnder(4, 5), std::vector<double>{});  // beside the hull
    // Across the deck through the mast, which stands from z 9.75 to 10.25.
    const std::optional<double> mast = ship.FirstCrossing({0, 3, 9}, {0, 3, 11});
    ASSERT_TRUE(mast);
    EXPECT_DOUBLE_EQ(*mast, 0.375);
    EXPECT_FALSE(ship.FirstCrossing({1, 2.5, 1}, {1, 2.5, 9}));  // above the main deck
    EXPECT_EQ(ship.Low(), (Vec3{-3, 0, 0}));
    EXPECT_NEAR(ship.High().y, 12, 1e-5);
    EXPECT_FALSE(MeshIndex(TriangleMesh{}).FirstCrossing({0, 0, 0}, {1, 1, 1}));
}

}  // namespace
}  // namespace walkconv
