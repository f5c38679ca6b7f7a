#include "plot/ProfileMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
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

namespace {

template <typename Altitude>
void AltitudeRangeOf(std::size_t count, double& altMin, double& altMax, Altitude altitude) {
    altMin = 100000.0;  // metres
    altMax = -100000.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double a = altitude(i);
        if (!(a > altMin)) {
            altMin = a;
        }
        if (!(altMax > a)) {
            altMax = a;
        }
    }
}

}  // namespace

void WholeAltitudeRange(const TrackPoint* points, std::size_t count, double& altMin,
                        double& altMax) {
    AltitudeRangeOf(count, altMin, altMax, [points](std::size_t i) { return points[i].altitude; });
}

void WholeAltitudeRange(const double* altitudes, std::size_t count, double& altMin,
                        double& altMax) {
    AltitudeRangeOf(count, altMin, altMax, [altitudes](std::size_t i) { return altitudes[i]; });
}

ProfileMapping::ProfileMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                               const PlotRect& item)
    : m_overDistance(overDistance), m_r(PlotArea(item)) {
    WholeAltitudeRange(points, count, m_altMin, m_altMax);
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

void ProfileMapping::MapX(const double* values, std::size_t count, int* out) const {
    if (!std::isfinite(m_sx)) {
        std::fill(out, out + count, m_centreX);
        return;
    }
    const double xMin = m_xMin;
    const double sx = m_sx;
    const double left = m_r.left;
    for (std::size_t k = 0; k < count; ++k) {
        out[k] = ToPixel((values[k] - xMin) * sx + left + 0.5, m_r.left);
    }
}

void ProfileMapping::MapY(const double* altitudes, std::size_t count, int* out) const {
    if (!std::isfinite(m_sy)) {
        std::fill(out, out + count, m_centreY);
        return;
    }
    const double altMin = m_altMin;
    const double sy = m_sy;
    const double bottom = m_r.bottom;
    for (std::size_t k = 0; k < count; ++k) {
        out[k] = ToPixel(bottom - (altitudes[k] - altMin) * sy + 0.5, m_r.bottom);
    }
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

namespace {

// Written out, not std::lower_bound, so that values out of order give an answer instead of
// undefined behaviour.
template <typename Value>
std::size_t FirstNotBelowOf(std::size_t count, double value, Value valueOf) {
    std::size_t lo = 0;
    std::size_t hi = count;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (valueOf(mid) < value) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

template <typename Value>
std::size_t NearestOf(std::size_t count, double value, Value valueOf) {
    const std::size_t after = FirstNotBelowOf(count, value, valueOf);
    if (after == 0) {
        return 0;
    }
    if (after == count) {
        return count - 1;
    }
    const double below = value - valueOf(after - 1);
    const double above = valueOf(after) - value;
    return above < below ? after : after - 1;
}

}  // namespace

std::size_t FirstNotBelow(const TrackPoint* points, std::size_t count, bool overDistance,
                          double value) {
    return FirstNotBelowOf(count, value,
                           [&](std::size_t i) { return ValueOf(points[i], overDistance); });
}

std::size_t NearestPoint(const TrackPoint* points, std::size_t count, bool overDistance,
                         double value) {
    return NearestOf(count, value, [&](std::size_t i) { return ValueOf(points[i], overDistance); });
}

std::size_t PointAtPixel(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping,
                         int x) {
    return NearestPoint(points, count, mapping.OverDistance(), mapping.ValueAt(x));
}

std::size_t FirstNotBelow(const double* values, std::size_t count, double value) {
    return FirstNotBelowOf(count, value, [values](std::size_t i) { return values[i]; });
}

std::size_t NearestPoint(const double* values, std::size_t count, double value) {
    return NearestOf(count, value, [values](std::size_t i) { return values[i]; });
}

std::size_t PointAtPixel(const double* values, std::size_t count, const ProfileMapping& mapping,
                         int x) {
    return NearestPoint(values, count, mapping.ValueAt(x));
}
