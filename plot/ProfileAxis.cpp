#include "plot/ProfileAxis.h"

#include <algorithm>
#include <cmath>

TrackBreaks::TrackBreaks(const TrackPoint* points, std::size_t count) {
    double distance = 0.0;
    double time = 0.0;
    for (std::size_t i = 1; i < count; ++i) {
        if (points[i].state == StateRunStart) {
            distance += points[i].distance - points[i - 1].distance;
            time += points[i].time - points[i - 1].time;
            m_breaks.push_back({i, distance, time});
        }
    }
}

std::size_t TrackBreaks::RunOf(std::size_t i) const {
    const auto after = std::upper_bound(m_breaks.begin(), m_breaks.end(), i,
                                        [](std::size_t n, const Break& b) { return n < b.first; });
    return static_cast<std::size_t>(after - m_breaks.begin());
}

double TrackBreaks::DistanceWithoutJumps(const TrackPoint* points, std::size_t i) const {
    const std::size_t run = RunOf(i);
    return points[i].distance - points[0].distance - (run == 0 ? 0.0 : m_breaks[run - 1].distance);
}

double TrackBreaks::ElapsedWithoutJumps(const TrackPoint* points, std::size_t i) const {
    const std::size_t run = RunOf(i);
    return points[i].time - points[0].time - (run == 0 ? 0.0 : m_breaks[run - 1].time);
}

ProfileAxis::ProfileAxis(const TrackPoint* points, std::size_t count, const TrackBreaks& breaks,
                         bool overDistance)
    : m_overDistance(overDistance) {
    if (count == 0) {
        return;
    }
    const auto raw = [&](std::size_t i) {
        return overDistance ? points[i].distance : points[i].time;
    };
    const std::vector<TrackBreaks::Break>& list = breaks.Breaks();
    if (!list.empty()) {
        const double jumps = overDistance ? list.back().distance : list.back().time;
        const double span = raw(count - 1) - raw(0) - jumps;
        const double share = std::min(kGapShare, kGapsShare / static_cast<double>(list.size()));
        m_gap = std::isfinite(span) && span > 0.0 ? span * share : 0.0;
    }
    m_values.resize(count);
    std::size_t first = 0;
    for (std::size_t run = 0; run <= list.size(); ++run) {
        const std::size_t end = run < list.size() ? list[run].first : count;
        // Value minus the jumps before the run, plus the gaps before it.
        const double jumps =
            run == 0 ? 0.0 : (overDistance ? list[run - 1].distance : list[run - 1].time);
        const double offset = static_cast<double>(run) * m_gap - jumps;
        for (std::size_t i = first; i < end; ++i) {
            m_values[i] = run == 0 ? raw(i) : raw(i) + offset;
        }
        const double shift = overDistance ? -static_cast<double>(run) * m_gap - raw(0) : -offset;
        m_runs.push_back({m_values[first], m_values[end - 1], shift});
        first = end;
    }
    for (std::size_t i = 1; i < count && m_sorted; ++i) {
        m_sorted = m_values[i - 1] <= m_values[i];
    }
}
