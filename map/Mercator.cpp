#include "map/Mercator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

}  // namespace

WorldPoint ToWorld(double latitude, double longitude) {
    const double phi = std::clamp(latitude, -kMercatorMaxLatitude, kMercatorMaxLatitude) / kDegrees;
    const double y =
        0.5 - std::log(std::tan(std::numbers::pi / 4.0 + phi / 2.0)) / (2.0 * std::numbers::pi);
    return {(longitude + 180.0) / 360.0, y};
}

LatLon FromWorld(WorldPoint point) {
    const double n = std::numbers::pi * (1.0 - 2.0 * point.y);
    return {std::atan(std::sinh(n)) * kDegrees, point.x * 360.0 - 180.0};
}

double WorldPixels(double zoom, int tileSize) {
    return tileSize * std::exp2(zoom);
}

WorldPoint ToWorldPixels(double latitude, double longitude, double zoom, int tileSize) {
    const WorldPoint w = ToWorld(latitude, longitude);
    const double side = WorldPixels(zoom, tileSize);
    return {w.x * side, w.y * side};
}

LatLon FromWorldPixels(WorldPoint pixels, double zoom, int tileSize) {
    const double side = WorldPixels(zoom, tileSize);
    return FromWorld({pixels.x / side, pixels.y / side});
}

TileId TileAt(double latitude, double longitude, int zoom) {
    zoom = std::clamp(zoom, 0, 30);
    const WorldPoint w = ToWorld(latitude, UnwrapLongitude(longitude, 0.0));
    const double n = std::exp2(zoom);
    const long long last = (1LL << zoom) - 1;
    const long long x = std::clamp(static_cast<long long>(std::floor(w.x * n)), 0LL, last);
    const long long y = std::clamp(static_cast<long long>(std::floor(w.y * n)), 0LL, last);
    return {zoom, static_cast<int>(x), static_cast<int>(y)};
}

int WrapTileX(long long x, int zoom) {
    const long long n = 1LL << std::clamp(zoom, 0, 30);
    return static_cast<int>(((x % n) + n) % n);
}

double MetresPerPixel(double latitude, double zoom, int tileSize) {
    const double phi = std::clamp(latitude, -kMercatorMaxLatitude, kMercatorMaxLatitude) / kDegrees;
    return std::cos(phi) * 2.0 * std::numbers::pi * kMercatorRadius / WorldPixels(zoom, tileSize);
}

double UnwrapLongitude(double longitude, double reference) {
    if (!std::isfinite(longitude) || !std::isfinite(reference)) {
        return longitude;
    }
    const double turns = std::floor((longitude - reference + 180.0) / 360.0);
    return longitude - turns * 360.0;
}
