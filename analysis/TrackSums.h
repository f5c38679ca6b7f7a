#pragma once

// Sums over the points of a track, written as small accumulators so that one measurement
// runs alone and the statistics run many of them in a single pass, each adding the same
// terms in the same order either way.

#include <cmath>
#include <cstddef>

#include "analysis/Geometry.h"
#include "track/GrowArray.h"
#include "track/TrackPoint.h"

namespace sums {

inline bool IsAscent(int32_t state) {
    return state == StateInAscent || state == StateRising;
}
inline bool IsDescent(int32_t state) {
    return state == StateInDescent || state == StateFalling;
}
inline bool IsGap(int32_t state) {
    return state == StateRunStart;
}

/// Signed duration of segment i, in days.
inline double Duration(const TrackPoint* p, std::size_t i) {
    return p[i].time - p[i - 1].time;
}

/// Calls Visit(p, i) of every accumulator for each point i = 0 .. n-1 in order.
template <typename... Accumulators>
void Run(const GrowArray<TrackPoint>& points, Accumulators&... accumulators) {
    const TrackPoint* p = points.GetData();
    for (std::size_t i = 0; i < points.GetSize(); ++i) {
        (accumulators.Visit(p, i), ...);
    }
}

/// Durations of the segments whose end state passes the test.
template <bool (*Test)(int32_t)>
struct DurationSum {
    double sum = 0.0;
    void Visit(const TrackPoint* p, std::size_t i) {
        if (i > 0 && Test(p[i].state)) {
            sum += Duration(p, i);
        }
    }
};

inline bool NotGap(int32_t s) {
    return s != StateRunStart;
}
inline bool Moving(int32_t s) {
    return s != StateRunStart && s != StateStopped;
}
inline bool Stopped(int32_t s) {
    return s == StateStopped;
}
inline bool Level(int32_t s) {
    return s == StateLevel;
}

/// Planar and spatial lengths of the segments that are not gaps.
struct LengthSums {
    double planar = 0.0;   // metres
    double spatial = 0.0;  // metres
    void Visit(const TrackPoint* p, std::size_t i) {
        if (i > 0 && !IsGap(p[i].state)) {
            double dx;
            double dy;
            detail::PlanarOffsets(p[i - 1], p[i], dx, dy);
            const double dz = p[i - 1].altitude - p[i].altitude;
            planar += std::sqrt(dx * dx + dy * dy);
            spatial += std::sqrt(dz * dz + dx * dx + dy * dy);
        }
    }
};

/// Durations of one direction plus the stops before each of its points in the same run;
/// a stop that no point of the direction follows in its run is dropped.
template <bool (*InDirection)(int32_t)>
struct CreditedStopsSum {
    double total = 0.0;
    double pending = 0.0;
    void Visit(const TrackPoint* p, std::size_t i) {
        if (i == 0) {
            return;
        }
        const int32_t state = p[i].state;
        if (state == StateRunStart) {
            pending = 0.0;
        } else if (InDirection(state)) {
            total = total + Duration(p, i) + pending;
            pending = 0.0;
        } else if (state == StateStopped) {
            pending = pending + Duration(p, i);
        }
    }
};

/// Planar metres of the segments of one direction, from the analysed cumulative distance.
template <bool (*InDirection)(int32_t)>
struct AnalysedLengthSum {
    double sum = 0.0;
    void Visit(const TrackPoint* p, std::size_t i) {
        if (i > 0 && InDirection(p[i].state)) {
            sum += p[i].distance - p[i - 1].distance;
        }
    }
};

inline constexpr double kElevationBound = 100000.0;  // metres

/// Height gained at the points of the counted state, each against the last point that
/// started a run or passed the vertical threshold.
template <int32_t Counted>
struct AltitudeChangeSum {
    double change = 0.0;
    double reference = -kElevationBound;
    void Visit(const TrackPoint* p, std::size_t i) {
        const int32_t state = p[i].state;
        if (state == Counted) {
            change = change + (p[i].altitude - reference);
        }
        if (state == StateRunStart || state == StateRising || state == StateFalling) {
            reference = p[i].altitude;
        }
    }
};

struct AltitudeRange {
    double lowest = kElevationBound;
    double highest = -kElevationBound;
    void Visit(const TrackPoint* p, std::size_t i) {
        if (p[i].altitude < lowest) {
            lowest = p[i].altitude;
        }
        if (p[i].altitude > highest) {
            highest = p[i].altitude;
        }
    }
};

}  // namespace sums
