#include <cmath>

#include <gtest/gtest.h>

#include "analysis/Geometry.h"

namespace {
TrackPoint At(double latitude, double longitude, double altitude = 0.0) {
    TrackPoint p;
    p.latitude = latitude;
    p.longitude = longitude;
    p.altitude = altitude;
    return p;
}
}  // namespace

TEST(Geometry, ConstantsAsTheProgramHasAlwaysUsed) {
    EXPECT_EQ(kDegToRad, 0.017453292519444445);  // pi to ten decimals
    EXPECT_NE(kDegToRad, 3.141592653589793 / 180.0);
    EXPECT_EQ(kMetresPerDegree, 111317.09968901669);
}

TEST(Geometry, OneDegreeAlongTheMeridian) {
    EXPECT_EQ(Distance2D(At(0, 10), At(1, 10)), 111317.09968901669);
    EXPECT_EQ(Distance2D(At(1, 10), At(0, 10)), 111317.09968901669);
}

TEST(Geometry, OneDegreeAlongTheEquatorAndAtSixty) {
    const double equator = Distance2D(At(0, 0), At(0, 1));
    EXPECT_NEAR(equator, kEarthRadius * kDegToRad, 1e-10);
    EXPECT_NEAR(equator, 111317.09968901669, 1e-10);
    // Not exactly half: 60 degrees in radians with the ten-decimal pi is not quite pi / 3.
    EXPECT_NEAR(Distance2D(At(60, 0), At(60, 1)), equator / 2, 1e-5);
}

TEST(Geometry, AltitudeOnlyCountsIn3D) {
    EXPECT_EQ(Distance2D(At(45, 7, 100), At(45, 7, 100)), 0.0);
    EXPECT_EQ(Distance3D(At(45, 7, 100), At(45, 7, 100)), 0.0);
    EXPECT_EQ(Distance2D(At(45, 7, 100), At(45, 7, 110)), 0.0);
    EXPECT_EQ(Distance3D(At(45, 7, 100), At(45, 7, 110)), 10.0);
    EXPECT_DOUBLE_EQ(Distance3D(At(0, 0, 0), At(0.001, 0, 0)), 111.31709968901669);
}

TEST(Geometry, LongitudesAreNotWrapped) {
    // From 179.5 E to 179.5 W is 359 degrees the long way round, as the formula measures it.
    EXPECT_NEAR(Distance2D(At(0, 179.5), At(0, -179.5)), 359 * kEarthRadius * kDegToRad, 1e-6);
}
