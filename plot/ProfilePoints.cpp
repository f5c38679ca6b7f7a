#include "plot/ProfilePoints.h"

ProfilePoints::ProfilePoints(const TrackPoint* points, std::size_t count)
    : m_altitude(count), m_state(count), m_flags(count) {
    constexpr int32_t kStretches = FlagSteepestAscent | FlagSteepestDescent | FlagFastest;
    for (std::size_t i = 0; i < count; ++i) {
        const TrackPoint& p = points[i];
        m_altitude[i] = p.altitude;
        m_state[i] = static_cast<int8_t>(p.state >= 0 && p.state <= StateFalling ? p.state : -1);
        m_flags[i] = static_cast<int8_t>(p.flags & kStretches);
    }
    m_chords = FindTrendChords(*this, count);
}
