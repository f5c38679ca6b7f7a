#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "track/TrackPoint.h"

/// A step of the trend chords: a move to a point, or a line to it with a chord pen.
struct ChordStep {
    std::size_t index;
    enum Kind : uint8_t { Move, Rise, Fall } kind;
};

/// The trend chords of a track, from its states alone: from each run's start through the
/// last point of every group of rising and every group of falling points. Points is anything
/// whose items have a state, indexed from 0 to count - 1.
template <typename Points>
std::vector<ChordStep> FindTrendChords(const Points& points, std::size_t count) {
    enum class Event { None, Rise, Fall, RunStart, End };
    const auto eventOf = [](int32_t state) {
        return state == StateRising     ? Event::Rise
               : state == StateFalling  ? Event::Fall
               : state == StateRunStart ? Event::RunStart
                                        : Event::None;
    };
    std::vector<ChordStep> steps;
    Event last = Event::None;
    std::size_t lastIndex = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        const Event event = i < count ? eventOf(points[i].state) : Event::End;
        if (last == Event::RunStart) {
            steps.push_back({lastIndex, ChordStep::Move});
        } else if (event != Event::None && last != Event::None && event != last) {
            steps.push_back({lastIndex, last == Event::Rise ? ChordStep::Rise : ChordStep::Fall});
        }
        if (event != Event::None) {
            last = event;
            lastIndex = i;
        }
    }
    return steps;
}

/// What the profile window's pictures read of each point, packed close together, so that a
/// walk over a long track reads a fraction of the memory: altitude, state and the stretch
/// flags. Also the trend chords, which serve every zoom and both modes.
class ProfilePoints {
public:
    struct Item {
        int32_t state;  // 0 to 7, or -1 for any other state, which draws nothing either
        int32_t flags;  // the stretch flags
    };

    ProfilePoints() = default;
    ProfilePoints(const TrackPoint* points, std::size_t count);

    Item operator[](std::size_t i) const { return {m_state[i], m_flags[i]}; }
    std::size_t Count() const { return m_altitude.size(); }
    const double* Altitudes() const { return m_altitude.data(); }  // metres
    const std::vector<ChordStep>& Chords() const { return m_chords; }

private:
    std::vector<double> m_altitude;
    std::vector<int8_t> m_state;
    std::vector<int8_t> m_flags;
    std::vector<ChordStep> m_chords;
};
