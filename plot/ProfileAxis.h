#pragma once

#include <cstddef>
#include <vector>

#include "track/TrackPoint.h"

/// The breaks of a joined track: each point of state StateRunStart after the first starts a
/// run that is not connected to the one before, and the step to it, a jump in distance and
/// in time, counts in no figure.
class TrackBreaks {
public:
    TrackBreaks() = default;
    TrackBreaks(const TrackPoint* points, std::size_t count);

    struct Break {
        std::size_t first;  // the run's first point
        double distance;    // metres of all jumps up to this one
        double time;        // days of all jumps up to this one
    };
    const std::vector<Break>& Breaks() const { return m_breaks; }

    /// How many breaks lie before point i or at it: the run of point i, counted from 0.
    std::size_t RunOf(std::size_t i) const;
    /// The distance from the first point to point i without the jumps: metres.
    double DistanceWithoutJumps(const TrackPoint* points, std::size_t i) const;
    /// The time from the first point to point i without the pauses between runs: days.
    double ElapsedWithoutJumps(const TrackPoint* points, std::size_t i) const;

private:
    std::vector<Break> m_breaks;
};

/// The horizontal axis of the profile window: distance or time with the jumps between runs
/// that are not connected left out, each break taking a narrow gap of fixed width instead, so
/// that a recording of many days is not drawn mostly empty. A track without breaks keeps its
/// own values. Values are metres or days, as the points' distance and time.
class ProfileAxis {
public:
    /// The width of the gap of one break, as a share of the span without jumps; all gaps
    /// together take at most kGapsShare of it.
    static constexpr double kGapShare = 0.01;
    static constexpr double kGapsShare = 0.1;

    ProfileAxis() = default;
    ProfileAxis(const TrackPoint* points, std::size_t count, const TrackBreaks& breaks,
                bool overDistance);

    struct Run {
        double from;   // axis value of the run's first point
        double to;     // and of its last point
        double shift;  // added to an axis value of the run: the distance without the jumps
                       // (metres), or the point's time (days)
    };

    bool OverDistance() const { return m_overDistance; }
    /// The axis value of every point, in the points' order.
    const double* Values() const { return m_values.data(); }
    std::size_t Count() const { return m_values.size(); }
    double First() const { return m_values.empty() ? 0.0 : m_values.front(); }
    double Last() const { return m_values.empty() ? 0.0 : m_values.back(); }
    const std::vector<Run>& Runs() const { return m_runs; }
    double Gap() const { return m_gap; }
    /// Whether the values never decrease, so that the points of a span are found by search.
    bool IsSorted() const { return m_sorted; }

private:
    bool m_overDistance = true;
    bool m_sorted = true;
    std::vector<double> m_values;
    std::vector<Run> m_runs;
    double m_gap = 0.0;
};
