#include "ui/ProfileDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "ui/ProfilePasses.h"

namespace {

constexpr PenStyle kPenStyles[kPlotPenCount] = {
    {210, 180, 180, 6},  // RiseChord
    {180, 210, 180, 6},  // FallChord
    {255, 255, 255, 6},  // StoppedBand
    {255, 0, 0, 6},      // SteepestAscentBand
    {0, 255, 0, 6},      // SteepestDescentBand
    {255, 255, 0, 6},    // FastestBand
    {100, 100, 255, 2},  // LevelLine
    {120, 0, 0, 2},      // AscentLine
    {0, 120, 0, 2},      // DescentLine
    {130, 130, 178, 1},  // RunMarker
};

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

/// Maps point i to pixels, through the one mapping of the profile.
class ProfileMapper {
public:
    ProfileMapper(const TrackPoint* points, const ProfileMapping& mapping)
        : m_points(points), m_mapping(mapping) {}

    int X(std::size_t i) const { return m_mapping.X(m_mapping.Value(m_points[i])); }
    int Y(std::size_t i) const { return m_mapping.Y(m_points[i].altitude); }
    void MoveTo(PlotCanvas& canvas, std::size_t i) const { canvas.MoveTo(X(i), Y(i)); }
    void LineTo(PlotCanvas& canvas, std::size_t i) const { canvas.LineTo(X(i), Y(i)); }

private:
    const TrackPoint* m_points;
    const ProfileMapping& m_mapping;
};

enum class TrendEvent { None, Rise, Fall, RunStart, End };

TrendEvent EventOf(int32_t state) {
    switch (state) {
        case StateRising:
            return TrendEvent::Rise;
        case StateFalling:
            return TrendEvent::Fall;
        case StateRunStart:
            return TrendEvent::RunStart;
        default:
            return TrendEvent::None;
    }
}

/// Pass 1: chords from each run's start through the last point of every group of rising and
/// every group of falling points.
void DrawTrendChords(PlotCanvas& canvas, const ProfileMapper& map, const TrackPoint* points,
                     std::size_t count) {
    TrendEvent last = TrendEvent::None;
    std::size_t lastIndex = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        const TrendEvent event = i < count ? EventOf(points[i].state) : TrendEvent::End;
        if (last == TrendEvent::RunStart) {
            map.MoveTo(canvas, lastIndex);
        } else if (event != TrendEvent::None && last != TrendEvent::None && event != last) {
            canvas.SelectPen(last == TrendEvent::Rise ? PlotPen::RiseChord : PlotPen::FallChord);
            map.LineTo(canvas, lastIndex);
        }
        if (event != TrendEvent::None) {
            last = event;
            lastIndex = i;
        }
    }
}

/// Moves a side inwards by 2 pixels without overflowing.
int Inset(int side, int by) {
    return ClampToInt(int64_t{side} + by);
}

PlotRect Deflate(const PlotRect& item) {
    return {Inset(item.left, 2), Inset(item.top, 2), Inset(item.right, -2), Inset(item.bottom, -2)};
}

}  // namespace

ProfileMapping::ProfileMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                               const PlotRect& item)
    : m_overDistance(overDistance), m_r(Deflate(item)) {
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
      m_r(Deflate(item)),
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

const PenStyle& GetPenStyle(PlotPen pen) {
    return kPenStyles[static_cast<std::size_t>(pen)];
}

void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
                 const ProfileMapping& mapping) {
    if (count < 2) {
        return;
    }
    ProfileSteps steps(points, count, mapping);
    steps.Step(canvas, 2 * count);
}

ProfileSteps::ProfileSteps(const TrackPoint* points, std::size_t count,
                           const ProfileMapping& mapping)
    : m_points(points), m_count(count), m_mapping(mapping), m_pass(count < 2 ? 3 : 0) {}

bool ProfileSteps::Step(PlotCanvas& canvas, std::size_t points) {
    const ProfileMapper map(m_points, m_mapping);
    if (m_pass == 0) {
        DrawTrendChords(canvas, map, m_points, m_count);  // few lines: one piece
        m_pass = 1;
    }
    while (m_pass < 3 && points != 0) {
        const std::size_t last = m_next + std::min(points, m_count - m_next);
        if (m_pass == 1) {
            profile_passes::DrawBands(canvas, map, &m_mapping.Rect(), m_points, m_next, last);
        } else {
            profile_passes::DrawProfileLine(canvas, map, &m_mapping.Rect(), m_points, m_next, last);
        }
        points -= last - m_next;
        m_next = last;
        if (m_next == m_count) {
            ++m_pass;
            m_next = 0;
        }
    }
    return m_pass == 3;
}

void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count, bool overDistance,
                 const PlotRect& item) {
    const PlotRect r = Deflate(item);
    if (count == 0) {
        canvas.SelectPen(PlotPen::RiseChord);
        canvas.MoveTo(r.left, r.top);
        canvas.LineTo(r.right, r.bottom);
        canvas.MoveTo(r.right, r.top);
        canvas.LineTo(r.left, r.bottom);
        return;
    }
    // A single point has no segment: the passes would only move, unless its state makes the
    // chord pass draw from wherever the surface left its position.
    if (count == 1) {
        return;
    }
    DrawProfile(canvas, points, count, ProfileMapping(points, count, overDistance, item));
}
