#pragma once

// The searches for the fastest stretch and the steepest ascent and descent, as accumulators
// that visit the points in order: the analysis and the statistics run them in the same pass
// as their other work. Each walks a window (m, l) once, so the cost is linear; ties keep the
// stretch found first.

#include <cstddef>
#include <cstdint>

#include "track/TrackPoint.h"

namespace stretch {

inline constexpr double kMinFastestDuration = 0.0002314814814814815;  // 20 seconds, in days
inline constexpr std::size_t kMinFastestSegments = 3;
inline constexpr double kMinSteepDistance = 300.0;  // planar metres

struct Stretch {
    double best = 0.0;
    std::size_t first = 0;  // m: the point the stretch starts from, not itself marked
    std::size_t last = 0;   // l
};

/// Adds the flag to the points of the stretch after its first, if one was found.
inline void Mark(TrackPoint* p, const Stretch& stretch, int32_t flag) {
    if (stretch.best > 0) {
        for (std::size_t i = stretch.first + 1; i <= stretch.last; ++i) {
            p[i].flags |= flag;
        }
    }
}

/// The highest average planar speed (metres per day) over more than 20 seconds and at least
/// three segments. A stretch never runs across a run start, nor across a section start, even
/// a joined one: a point whose flags are the section-start flag alone.
class FastestSearch {
public:
    void Visit(const TrackPoint* p, std::size_t l) {
        if (l == 0) {
            return;
        }
        if (p[l].state == StateRunStart || p[l].flags == FlagSectionStart) {
            m_first = l;
            return;
        }
        while (p[l].time - p[m_first].time > kMinFastestDuration
               && l >= m_first + kMinFastestSegments) {
            const double speed =
                (p[l].distance - p[m_first].distance) / (p[l].time - p[m_first].time);
            if (speed > m_found.best) {
                m_found = {speed, m_first, l};
            }
            ++m_first;
        }
    }
    const Stretch& Found() const { return m_found; }

private:
    std::size_t m_first = 0;
    Stretch m_found;
};

/// The steepest average slope over more than 300 planar metres whose points after the first
/// are all moving in one direction or stopped. Sign is 1 for ascents and -1 for descents,
/// whose slope is thereby positive.
template <int32_t Moving, int32_t Continuing, int Sign>
class SteepestSearch {
public:
    void Visit(const TrackPoint* p, std::size_t l) {
        if (l == 0) {
            return;
        }
        const int32_t state = p[l].state;
        if (state != Moving && state != Continuing && state != StateStopped) {
            m_first = l;
            return;
        }
        while (p[l].distance - p[m_first].distance > kMinSteepDistance) {
            const double slope = Sign * (p[l].altitude - p[m_first].altitude)
                                 / (p[l].distance - p[m_first].distance);
            if (slope > m_found.best) {
                m_found = {slope, m_first, l};
            }
            ++m_first;
        }
    }
    const Stretch& Found() const { return m_found; }

private:
    std::size_t m_first = 0;
    Stretch m_found;
};

using SteepestAscentSearch = SteepestSearch<StateRising, StateInAscent, 1>;
using SteepestDescentSearch = SteepestSearch<StateFalling, StateInDescent, -1>;

}  // namespace stretch
