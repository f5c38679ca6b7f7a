#include <gtest/gtest.h>

#include "map/MapView.h"
#include "map/Mercator.h"
#include "map/ScaleBar.h"

TEST(Mercator, CutOffIsTheSquareWorldsEdgeAndClamps) {
    EXPECT_NEAR(ToWorld(kMercatorMaxLatitude, 0.0).y, 0.0, 1e-12);
    EXPECT_NEAR(ToWorld(-kMercatorMaxLatitude, 0.0).y, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(ToWorld(90.0, 0.0).y, ToWorld(kMercatorMaxLatitude, 0.0).y);
    EXPECT_DOUBLE_EQ(ToWorld(-90.0, 10.0).y, ToWorld(-kMercatorMaxLatitude, 10.0).y);
    for (double latitude : {-85.0511, -60.0, 0.0, 47.3769, 85.0511}) {
        for (double longitude : {-180.0, -0.5, 8.5417, 179.999}) {
            const WorldPoint pixels = ToWorldPixels(latitude, longitude, 17.0, 256);
            const LatLon back = FromWorldPixels(pixels, 17.0, 256);
            EXPECT_NEAR(back.latitude, latitude, 1e-9);
            EXPECT_NEAR(back.longitude, longitude, 1e-9);
        }
    }
}

TEST(Mercator, WorldPixelsForBothTileSizes) {
    EXPECT_DOUBLE_EQ(WorldPixels(0.0, 256), 256.0);
    EXPECT_DOUBLE_EQ(WorldPixels(3.0, 512), 4096.0);
    const WorldPoint p = ToWorldPixels(0.0, 0.0, 1.0, 512);
    EXPECT_DOUBLE_EQ(p.x, 512.0);
    EXPECT_DOUBLE_EQ(p.y, 512.0);
}

TEST(Mercator, TileNumbersAtKnownPoints) {
    struct Case {
        double latitude, longitude;
        int zoom, x, y;
    };
    // Zurich, the null island's south-east neighbour, both cut-offs and the antimeridian.
    for (const Case& c : {Case{47.3769, 8.5417, 10, 536, 358},
                          Case{47.3769, 8.5417, 16, 34322, 22949}, Case{-0.0001, 0.0001, 1, 1, 1},
                          Case{89.0, -180.0, 5, 0, 0}, Case{-89.0, 179.99, 5, 31, 31},
                          Case{10.0, 180.0, 3, 0, 3}, Case{10.0, -190.0, 3, 7, 3}}) {
        const TileId id = TileAt(c.latitude, c.longitude, c.zoom);
        EXPECT_EQ(id, (TileId{c.zoom, c.x, c.y})) << c.latitude << " " << c.longitude;
    }
    EXPECT_EQ(WrapTileX(-1, 3), 7);
    EXPECT_EQ(WrapTileX(8, 3), 0);
}

TEST(Mercator, LongitudesUnwrapAcrossTheAntimeridian) {
    EXPECT_DOUBLE_EQ(UnwrapLongitude(-179.5, 179.5), 180.5);
    EXPECT_DOUBLE_EQ(UnwrapLongitude(179.5, -179.5), -180.5);
    EXPECT_DOUBLE_EQ(UnwrapLongitude(10.0, 0.0), 10.0);
    const WorldPoint east = ToWorld(0.0, 179.5);
    const WorldPoint beyond = ToWorld(0.0, UnwrapLongitude(-179.5, 179.5));
    EXPECT_NEAR((beyond.x - east.x) * 360.0, 1.0, 1e-9);  // one degree, not 359
    const LatLon back = FromWorld(beyond);
    EXPECT_NEAR(back.longitude, 180.5, 1e-9);
}

TEST(Mercator, ScaleBarAtAKnownLatitude) {
    // At 60° one pixel of zoom 10 spans half of the equator's 40075016.686 m / 262144.
    const double metres = MetresPerPixel(60.0, 10.0, 256);
    EXPECT_NEAR(metres, 76.4370282, 1e-6);
    const ScaleBar bar = ChooseScaleBar(metres);
    EXPECT_DOUBLE_EQ(bar.metres, 5000.0);
    EXPECT_NEAR(bar.pixels, 65.4132, 1e-3);
    EXPECT_EQ(bar.label, "5 km");
    EXPECT_EQ(ChooseScaleBar(0.3).label, "20 m");
    EXPECT_EQ(ChooseScaleBar(1.0).label, "100 m");
    EXPECT_EQ(ChooseScaleBar(21.0).label, "2 km");
    EXPECT_EQ(ChooseScaleBar(0.001).label, "1 m");
    MapView view(400, 300);
    view.SetCentre(ToWorld(60.0, 25.0));
    view.SetZoom(10.0);
    EXPECT_NEAR(view.MetresPerPixel(), metres, 1e-6);
}
