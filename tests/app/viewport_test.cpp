#include "app/viewport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/placement.h"

namespace walkconv::app {
namespace {

constexpr double kNear = 1e-9;

// A picture of 600 by 400 units in a view of 300 by 400 pixels.
Viewport Sample() {
    return Viewport::Fitted(600, 400, 300, 400);
}

TEST(Viewport, FittingCentresTheWholePictureWithinTheMargin) {
    const Viewport viewport = Sample();
    EXPECT_NEAR(viewport.Zoom(), (300 - 4) / 600.0, kNear);
    const ScreenPoint topLeft = viewport.ToScreen({0, 0});
    const ScreenPoint bottomRight = viewport.ToScreen({600, 400});
    EXPECT_NEAR(topLeft.x, 2, kNear);
    EXPECT_NEAR(300 - bottomRight.x, 2, kNear);
    EXPECT_NEAR(topLeft.y, 400 - bottomRight.y, kNear);  // centred top to bottom
    EXPECT_TRUE(viewport.IsFitted());

    // A tiny or a huge picture is fitted within the zoom's limits.
    EXPECT_EQ(Viewport::Fitted(1, 1, 1000, 1000).Zoom(), Viewport::kMostZoom);
    EXPECT_EQ(Viewport::Fitted(1e6, 1e6, 100, 100).Zoom(), Viewport::kLeastZoom);
}

TEST(Viewport, TheWheelZoomsAboutTheCursorWithinLimitsAndFittingUndoesIt) {
    Viewport viewport = Sample();
    const double fitted = viewport.Zoom();
    const ScreenPoint cursor{100, 150};
    const Spot under = viewport.ToPicture(cursor);
    viewport.ZoomAt(cursor, 240);
    EXPECT_NEAR(viewport.Zoom(), fitted * std::pow(Viewport::kZoomPerEighth, 240), kNear);
    EXPECT_NEAR(viewport.ToScreen(under).x, cursor.x, 1e-6);
    EXPECT_NEAR(viewport.ToScreen(under).y, cursor.y, 1e-6);
    EXPECT_FALSE(viewport.IsFitted());

    for (int i = 0; i < 100; ++i) {
        viewport.ZoomAt(cursor, 120);
    }
    EXPECT_EQ(viewport.Zoom(), Viewport::kMostZoom);
    for (int i = 0; i < 200; ++i) {
        viewport.ZoomAt(cursor, -120);
    }
    EXPECT_EQ(viewport.Zoom(), Viewport::kLeastZoom);
    viewport.Fit();
    EXPECT_EQ(viewport.Zoom(), fitted);
}

TEST(Viewport, DraggingPansAndAPannedViewKeepsItsMiddleWhenResized) {
    Viewport viewport = Sample();
    const Spot spot{300, 200};
    const ScreenPoint before = viewport.ToScreen(spot);
    viewport.PanBy(-40, 25);
    EXPECT_NEAR(viewport.ToScreen(spot).x, before.x - 40, kNear);
    EXPECT_NEAR(viewport.ToScreen(spot).y, before.y + 25, kNear);

    const Spot middle = viewport.ToPicture({150, 200});
    viewport.Resize(500, 300);
    EXPECT_NEAR(viewport.ToScreen(middle).x, 250, kNear);
    EXPECT_NEAR(viewport.ToScreen(middle).y, 150, kNear);

    // Until the user zooms or pans, the picture stays fitted to the view.
    Viewport fitted = Sample();
    fitted.Resize(600, 800);
    EXPECT_EQ(fitted.Zoom(), Viewport::Fitted(600, 400, 600, 800).Zoom());
}

TEST(Viewport, BringingAnAreaIntoViewPansAsLittleAsNeeded) {
    Viewport viewport = Sample();
    viewport.ZoomAt({0, 0}, 1200);  // zoomed in at the top left corner
    const double zoom = viewport.Zoom();

    const PictureRect inView{1, 1, 2, 2};
    const double offsetX = viewport.OffsetX();
    viewport.EnsureVisible(inView, 0);
    EXPECT_EQ(viewport.OffsetX(), offsetX);

    const PictureRect far{500, 300, 10, 10};
    viewport.EnsureVisible(far, 50);
    const ScreenPoint end = viewport.ToScreen({510, 310});
    EXPECT_NEAR(end.x, 300 - 50, 1e-6);
    EXPECT_NEAR(end.y, 400 - 50, 1e-6);
    EXPECT_EQ(viewport.Zoom(), zoom);
}

TEST(PlaceBeside, UsesTheSideWithRoom) {
    struct Row {
        const char* name;
        ScreenRect anchor;
        ScreenPosition expected;
    };
    // An 800 by 600 window on a 1920 by 1080 screen whose top 30 pixels are a panel.
    const std::vector<Row> rows = {
        {"right", {100, 200, 420, 250}, {528, 200}},
        {"left", {1000, 100, 420, 250}, {192, 100}},
        {"neither: at the right edge", {700, 100, 520, 250}, {1120, 100}},
        {"low anchor: moved up", {100, 900, 420, 150}, {528, 480}},
        {"anchor above the screen", {100, 0, 420, 250}, {528, 30}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PlaceBeside(row.anchor, 800, 600, {0, 30, 1920, 1050}), row.expected);
    }
    EXPECT_EQ(CentreOn({0, 30, 1920, 1050}, 420, 250), (ScreenPosition{750, 430}));
}

}  // namespace
}  // namespace walkconv::app
