#include "plot/ProfileMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Pixel coordinates are kept within +-2^24: far outside any real surface, yet exact as a
// double and as an int, so no conversion overflows.
constexpr double kPixelLimit = 16777216.0;

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

/// Truncates toward zero; NaN goes to the fallback, anything else is clamped first.
int ToPixel(double value, int fallback) {
    if (std::isnan(value)) {
        return fallback;
    }
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

/// Moves a side inwards without overflowing.
int Inset(int side, int by) {
    return ClampToInt(int64_t{side} + by);
}

double ValueOf(const TrackPoint& p, bool overDistance) {
    return overDistance ? p.distance : p.time;
}

}  // namespace

PlotRect PlotArea(const PlotRect& item) {
    return {Inset(item.left, 2), Inset(item.top, 2), Inset(item.right, -2), Inset(item.bottom, -2)};
}

ProfileMapping::ProfileMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                               const PlotRect& item)
    : m_overDistance(overDistance), m_r(PlotArea(item)) {
    double altMin = 100000.0;  // metres
    double altMax = -100000.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double a = points[i].altitude;
        if (!(a > altMin)) {
            altMin = a;
        }
        if (!(altMax > a)) {
            altMax = a;
        }
    }
    m_altMin = altMin;
    m_altMax = altMax;
    if (count != 0) {
        m_xMin = overDistance ? 0.0 : points[0].time;
        m_xMax = overDistance ? points[count - 1].distance : points[count - 1].time;
    }
    Scale();
}

ProfileMapping::ProfileMapping(bool overDistance, const PlotRect& item, double xMin, double xMax,
                               double altMin, double altMax)
    : m_overDistance(overDistance),
      m_r(PlotArea(item)),
      m_xMin(xMin),
      m_xMax(xMax),
      m_altMin(altMin),
      m_altMax(altMax) {
    Scale();
}

void ProfileMapping::Scale() {
    // Width and height in double, so that no int subtraction can overflow.
    const double width = static_cast<double>(m_r.right) - static_cast<double>(m_r.left);
    const double height = static_cast<double>(m_r.bottom) - static_cast<double>(m_r.top);
    m_sx = width / (m_xMax - m_xMin);
    m_sy = height / (m_altMax - m_altMin);
    m_centreX = ClampToInt((int64_t{m_r.left} + int64_t{m_r.right}) / 2);
    m_centreY = ClampToInt((int64_t{m_r.top} + int64_t{m_r.bottom}) / 2);
}

// An axis whose scale is not finite (a zero, infinite or NaN range) puts every point at the
// middle of that axis; a NaN coordinate lands on the edge of its axis minimum (R.left, R.bottom).
int ProfileMapping::X(double value) const {
    if (!std::isfinite(m_sx)) {
        return m_centreX;
    }
    return ToPixel((value - m_xMin) * m_sx + m_r.left + 0.5, m_r.left);
}

int ProfileMapping::Y(double altitude) const {
    if (!std::isfinite(m_sy)) {
        return m_centreY;
    }
    return ToPixel(m_r.bottom - (altitude - m_altMin) * m_sy + 0.5, m_r.bottom);
}

double ProfileMapping::ValueAt(int x) const {
    if (!std::isfinite(m_sx) || m_sx == 0.0) {
        return m_xMin;
    }
    return m_xMin + (static_cast<double>(x) - m_r.left) / m_sx;
}

double ProfileMapping::AltitudeAt(int y) const {
    if (!std::isfinite(m_sy) || m_sy == 0.0) {
        return m_altMin;
    }
    return m_altMin + (m_r.bottom - static_cast<double>(y)) / m_sy;
}

// Written out, not std::lower_bound, so that values out of order give an answer instead of
// undefined behaviour.
std::size_t FirstNotBelow(const TrackPoint* points, std::size_t count, bool overDistance,
                          double value) {
    std::size_t lo = 0;
    std::size_t hi = count;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (ValueOf(points[mid], overDistance) < value) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

std::size_t NearestPoint(const TrackPoint* points, std::size_t count, bool overDistance,
                         double value) {
    const std::size_t after = FirstNotBelow(points, count, overDistance, value);
    if (after == 0) {
        return 0;
    }
    if (after == count) {
        return count - 1;
    }
    const double below = value - ValueOf(points[after - 1], overDistance);
    const double above = ValueOf(points[after], overDistance) - value;
    return above < below ? after : after - 1;
}

std::size_t PointAtPixel(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping,
                         int x) {
    return NearestPoint(points, count, mapping.OverDistance(), mapping.ValueAt(x));
}
