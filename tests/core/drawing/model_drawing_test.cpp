// The ship's model as cells of a view: which cells a surface fills and where its outline runs.
#include "core/drawing/model_drawing.h"

#include <gtest/gtest.h>

namespace walkconv {
namespace {

TEST(ModelDrawing, ASquareDeckFillsTheCellsItCoversAndIsOutlinedAroundThem) {
    // A deck at height 1 from 2 to 8 across and along, seen from above with z to the right and
    // x downward, one picture unit to one coordinate unit, in a plot of 5 by 5 cells.
    const MeshCorner a{2, 1, 2}, b{2, 1, 8}, c{8, 1, 8}, d{8, 1, 2};
    const MeshIndex deck(TriangleMesh{{{{a, b, c}}, {{a, c, d}}}});
    const ModelView view = DrawModelView(deck, ViewFrame{{0, 0}, 10, 10}, [](const Vec3& p) {
        return Spot{p.z, p.x};
    });
    const std::size_t top = kModelShades - 1;  // a model of one height has the lightest shade
    ModelView expected;
    expected.fills[top] = {{2, 2, 6, 2}, {2, 4, 6, 2}, {2, 6, 6, 2}};
    expected.outlines[top] = {
        {{2, 2}, {8, 2}}, {{2, 8}, {8, 8}}, {{2, 2}, {2, 8}}, {{8, 2}, {8, 8}}};
    EXPECT_EQ(view, expected);
    EXPECT_EQ(ModelOutline(top).red + 0x24, ModelFill(top).red);
    EXPECT_LT(ModelFill(0).red, ModelFill(top).red);  // the lowest darkest
    EXPECT_TRUE(
        DrawModelView(MeshIndex(TriangleMesh{}), ViewFrame{{0, 0}, 10, 10}, [](const Vec3& p) {
            return Spot{p.z, p.x};
        }).Empty());
}

}  // namespace
}  // namespace walkconv
