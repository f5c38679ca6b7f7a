#include "plot/ProfileZoom.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400.0;

bool UsableSpan(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && hi > lo;
}

}  // namespace

void ProfileZoom::Reset(double xMin, double xMax, bool overDistance) {
    m_xMin = xMin;
    m_xMax = xMax;
    m_from = xMin;
    m_to = xMax;
    m_overDistance = overDistance;
}

double ProfileZoom::MinSpan() const {
    const double full = m_xMax - m_xMin;
    const double unit = m_overDistance ? 1.0 : 1.0 / kSecondsPerDay;
    return std::min(full, std::max(full * kMinSpanFraction, unit));
}

void ProfileZoom::Show(double from, double to) {
    if (!UsableSpan(m_xMin, m_xMax) || !std::isfinite(from) || !std::isfinite(to)) {
        return;
    }
    const double span = std::max(to - from, MinSpan());
    if (span >= m_xMax - m_xMin) {
        ZoomOut();
        return;
    }
    if (span > to - from) {
        from -= (span - (to - from)) / 2.0;
    }
    from = std::clamp(from, m_xMin, m_xMax - span);
    m_from = from;
    m_to = from + span;
}

void ProfileZoom::ZoomAround(double value, double factor) {
    const double span = m_to - m_from;
    if (!(factor > 0.0) || !(span > 0.0)) {
        return;
    }
    const double share = std::clamp((value - m_from) / span, 0.0, 1.0);
    const double newSpan = span * factor;
    const double from = value - share * newSpan;
    Show(from, from + newSpan);
}

void ProfileZoom::ZoomTo(double a, double b) {
    Show(std::min(a, b), std::max(a, b));
}

void ProfileZoom::ZoomOut() {
    m_from = m_xMin;
    m_to = m_xMax;
}

ProfileMapping ZoomedMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                             const PlotRect& item, const ProfileZoom& zoom) {
    if (!zoom.IsZoomed() || count == 0) {
        return ProfileMapping(points, count, overDistance, item);
    }
    std::size_t first = FirstNotBelow(points, count, overDistance, zoom.From());
    std::size_t last = FirstNotBelow(points, count, overDistance, zoom.To());
    first = first == 0 ? 0 : first - 1;
    last = std::min(last, count - 1);
    double altMin = 100000.0;  // metres, as the whole track's range starts
    double altMax = -100000.0;
    for (std::size_t i = first; i <= last; ++i) {
        altMin = std::min(altMin, points[i].altitude);
        altMax = std::max(altMax, points[i].altitude);
    }
    return ProfileMapping(overDistance, item, zoom.From(), zoom.To(), altMin, altMax);
}

ProfileZoom WholeZoom(const TrackPoint* points, std::size_t count, bool overDistance) {
    const ProfileMapping whole(points, count, overDistance, PlotRect{0, 0, 1, 1});
    ProfileZoom zoom;
    zoom.Reset(whole.XMin(), whole.XMax(), overDistance);
    return zoom;
}
