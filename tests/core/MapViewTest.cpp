#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "map/MapView.h"

TEST(MapView, FitsTheBoxAtTheLargestWholeZoom) {
    MapView view(800, 600);
    view.SetZoomRange(0.0, 17.0);
    // 0.01 world wide: 800 - 32 pixels hold 76800 pixels a world, 2^8.2 tiles: zoom 8.
    view.FitTo({0.5, 0.3, 0.51, 0.301});
    EXPECT_DOUBLE_EQ(view.Zoom(), 8.0);
    EXPECT_DOUBLE_EQ(view.Centre().x, 0.505);
    view.FitTo({0.5, 0.3, 0.5, 0.3});  // one spot
    EXPECT_DOUBLE_EQ(view.Zoom(), 17.0);
    view.SetZoomRange(0.0, 5.0);
    EXPECT_DOUBLE_EQ(view.Zoom(), 5.0);
}

TEST(MapView, WheelZoomKeepsThePointUnderTheCursor) {
    MapView view(640, 480);
    view.SetZoomRange(0.0, 19.0);
    view.SetCentre({0.52, 0.35});
    view.SetZoom(12.3);
    const WorldPoint before = view.ToWorld(100.0, 400.0);
    view.ZoomAround(100.0, 400.0, 1.5);
    EXPECT_DOUBLE_EQ(view.Zoom(), 13.8);
    const WorldPoint pixel = view.ToPixel(before);
    EXPECT_NEAR(pixel.x, 100.0, 1e-6);
    EXPECT_NEAR(pixel.y, 400.0, 1e-6);
    view.Pan(30.0, -20.0);
    const WorldPoint moved = view.ToPixel(before);
    EXPECT_NEAR(moved.x, 130.0, 1e-6);
    EXPECT_NEAR(moved.y, 380.0, 1e-6);
}

TEST(MapView, TilesCoverTheViewAndOneRing) {
    MapView view(512, 256);
    view.SetZoomRange(0.0, 19.0);
    view.SetZoom(3.0);
    view.SetCentre({2.5 / 8.0, 3.5 / 8.0});  // middle of tile (2, 3): columns 1 to 3, row 3
    std::set<std::pair<int, int>> visible;
    std::set<std::pair<int, int>> ring;
    for (const TilePlacement& t : view.Tiles()) {
        EXPECT_EQ(t.id.zoom, 3);
        EXPECT_DOUBLE_EQ(t.side, 256.0);
        (t.visible ? visible : ring).insert({t.id.x, t.id.y});
    }
    EXPECT_EQ(visible, (std::set<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(ring.size(), 12u);
    EXPECT_TRUE(ring.count({0, 2}) == 1 && ring.count({4, 4}) == 1);
    const TilePlacement centre = view.Tiles(0).front();
    EXPECT_EQ(centre.id, (TileId{3, 2, 3}));
    EXPECT_DOUBLE_EQ(centre.left, 128.0);
    EXPECT_DOUBLE_EQ(centre.top, 0.0);
}

TEST(MapView, TilesWrapAcrossTheAntimeridianAndStopAtThePoles) {
    MapView view(256, 256);
    view.SetZoomRange(0.0, 19.0);
    view.SetZoom(2.0);
    view.SetCentre({1.0, 0.0});  // the antimeridian at the northern cut-off
    std::set<std::pair<int, int>> visible;
    for (const TilePlacement& t : view.Tiles()) {
        EXPECT_GE(t.id.y, 0);
        if (t.visible) {
            visible.insert({t.id.x, t.id.y});
        }
    }
    EXPECT_EQ(visible, (std::set<std::pair<int, int>>{{3, 0}, {0, 0}}));
}
