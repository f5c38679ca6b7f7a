#pragma once

#include <cstdint>

// Web Mercator (EPSG:3857) as tile servers cut it: the world is a square, and a position is
// given as a fraction of its side, x growing east from 180° W and y growing south from the
// northern cut-off. At zoom z the world is tileSize * 2^z pixels wide.

inline constexpr double kMercatorMaxLatitude = 85.0511287798066;  // degrees: the square's edge
inline constexpr double kMercatorRadius = 6378137.0;              // metres: the sphere of EPSG:3857

/// A position in world fractions; x leaves [0, 1) where longitudes were unwrapped.
struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
};

struct LatLon {
    double latitude = 0.0;   // degrees
    double longitude = 0.0;  // degrees
};

/// A box in world fractions.
struct WorldBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

/// One tile of a zoom level; x and y count from the north-west corner (XYZ numbering).
struct TileId {
    int zoom = 0;
    int x = 0;
    int y = 0;
    bool operator==(const TileId&) const = default;
};

/// The position in world fractions, the latitude clamped to the cut-off.
WorldPoint ToWorld(double latitude, double longitude);
/// The position of world fractions; x outside [0, 1) gives longitudes beyond ±180°.
LatLon FromWorld(WorldPoint point);

/// The world's width in pixels at a zoom: tileSize * 2^zoom.
double WorldPixels(double zoom, int tileSize);
/// The position in world pixels at a zoom, the latitude clamped.
WorldPoint ToWorldPixels(double latitude, double longitude, double zoom, int tileSize);
/// The position of world pixels at a zoom.
LatLon FromWorldPixels(WorldPoint pixels, double zoom, int tileSize);

/// The tile that holds a position at a zoom level (0 to 30).
TileId TileAt(double latitude, double longitude, int zoom);
/// A tile column counted beyond the world's edges, brought back into 0 to 2^zoom - 1.
int WrapTileX(long long x, int zoom);

/// Ground metres that one pixel spans at a latitude: the Mercator scale.
double MetresPerPixel(double latitude, double zoom, int tileSize);

/// The longitude moved by whole turns to lie within 180° of the reference, so that a track
/// crossing the 180° meridian stays one line.
double UnwrapLongitude(double longitude, double reference);
