#include "plot/PlanProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPixelLimit = 16777216.0;  // far outside any surface, exact as int and double

int ToPixel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::floor(std::clamp(value, -kPixelLimit, kPixelLimit) + 0.5));
}

}  // namespace

PlanProjection::PlanProjection(const TrackPoint* points, std::size_t count, const PlotRect& item) {
    const double left = item.left + 4.0;
    const double top = item.top + 4.0;
    const double width = std::max(0.0, static_cast<double>(item.right) - item.left - 8.0);
    const double height = std::max(0.0, static_cast<double>(item.bottom) - item.top - 8.0);
    m_centreX = left + width / 2.0;
    m_centreY = top + height / 2.0;
    double latitudeSum = 0.0;
    std::size_t used = 0;
    double west = INFINITY, east = -INFINITY, south = INFINITY, north = -INFINITY;
    for (std::size_t i = 0; i < count; ++i) {
        const TrackPoint& p = points[i];
        if (std::isfinite(p.latitude) && std::isfinite(p.longitude)) {
            latitudeSum += p.latitude;
            ++used;
            west = std::min(west, p.longitude);
            east = std::max(east, p.longitude);
            south = std::min(south, p.latitude);
            north = std::max(north, p.latitude);
        }
    }
    if (used == 0) {
        return;
    }
    const double meanLatitude = latitudeSum / static_cast<double>(used);
    m_eastScale = std::cos(meanLatitude * std::numbers::pi / 180.0);
    m_eastMid = (west + east) / 2.0 * m_eastScale;
    m_northMid = (south + north) / 2.0;
    const double sx = width / ((east - west) * m_eastScale);
    const double sy = height / (north - south);
    m_scale = std::min(std::isfinite(sx) ? sx : INFINITY, std::isfinite(sy) ? sy : INFINITY);
    if (!std::isfinite(m_scale)) {
        m_scale = 0.0;  // a single spot
    }
}

PlotPoint PlanProjection::Map(const TrackPoint& p) const {
    const double east = p.longitude * m_eastScale - m_eastMid;
    const double north = p.latitude - m_northMid;
    return {ToPixel(m_centreX + east * m_scale), ToPixel(m_centreY - north * m_scale)};
}
