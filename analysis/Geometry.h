#pragma once

#include <cmath>

#include "track/TrackPoint.h"

inline constexpr double kEarthRadius = 6378000.0;  // metres
/// Degrees to radians with pi taken to ten decimals (3.1415926535), not the full double pi:
/// every distance the program has ever shown was measured with this value.
inline constexpr double kDegToRad = 3.1415926535 / 180.0;
/// Metres per degree of latitude. Held as its own value; it lies one unit in the last place
/// above the double product of the two constants above.
inline constexpr double kMetresPerDegree = 111317.09968901669;

namespace detail {
/// The planar offsets between two fixes, flat earth at the cosine of the mean latitude.
inline void PlanarOffsets(const TrackPoint& a, const TrackPoint& b, double& dx, double& dy) {
    dy = (a.latitude - b.latitude) * kMetresPerDegree;
    const double phi = (b.latitude + a.latitude) * 0.5 * kDegToRad;
    dx = kEarthRadius * std::cos(phi) * (a.longitude - b.longitude) * kDegToRad;
}
}  // namespace detail

/// Planar metres between two fixes, ignoring altitude; a is the earlier one. Longitudes are
/// not wrapped at 180 degrees.
inline double Distance2D(const TrackPoint& a, const TrackPoint& b) {
    double dx;
    double dy;
    detail::PlanarOffsets(a, b, dx, dy);
    return std::sqrt(dx * dx + dy * dy);
}

/// Metres between two fixes, altitude included; a is the earlier one.
inline double Distance3D(const TrackPoint& a, const TrackPoint& b) {
    double dx;
    double dy;
    detail::PlanarOffsets(a, b, dx, dy);
    const double dz = a.altitude - b.altitude;
    return std::sqrt(dz * dz + dx * dx + dy * dy);
}
