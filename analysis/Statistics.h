#pragma once

#include <cstddef>

#include "analysis/ChannelStatistics.h"
#include "track/TrackSection.h"

/// The figures of the joined track, in the order the statistics list shows them.
/// Durations and dates are in days; the rest in the unit of their row.
struct TrackStatistics {
    double begin;                        // days since 1899-12-30
    double end;                          // days since 1899-12-30
    double totalTime;                    // days
    double movingTime;                   // days
    double stoppedTime;                  // days
    double distance2D;                   // km
    double distance3D;                   // km
    double totalAverageSpeed;            // km/h
    double movingAverageSpeed;           // km/h
    double maximumSpeed;                 // km/h
    double minElevation;                 // m
    double maxElevation;                 // m
    double totalAscent;                  // m
    double totalDescent;                 // m
    double ascentTime;                   // days
    double descentTime;                  // days
    double levelTime;                    // days
    double ascentDistance;               // km
    double descentDistance;              // km
    double totalAscentTime;              // days
    double totalDescentTime;             // days
    double averageAscentSpeed;           // metres per minute
    double averageDescentSpeed;          // metres per minute
    double movingAverageSpeedInAscent;   // km/h
    double movingAverageSpeedInDescent;  // km/h
    double totalAverageSpeedInAscent;    // km/h
    double totalAverageSpeedInDescent;   // km/h
    double averageAscentSlope;           // percent
    double averageDescentSlope;          // percent
    double maximumAscentSlope;           // percent
    double maximumDescentSlope;          // percent

    /// The figure of row i (0 to 30).
    double Get(std::size_t row) const;
};

inline constexpr std::size_t kStatisticsRowCount = 31;

/// How the value of a row is written.
enum class StatisticsKind { Date, Duration, Number };

struct StatisticsRowInfo {
    const char* label;
    const char* unit;
    StatisticsKind kind;
};

/// Label, unit and kind of each row, in display order.
extern const StatisticsRowInfo kStatisticsRows[kStatisticsRowCount];

/// Computes the 31 figures of an analysed track (or an empty one). Adds the three stretch
/// flags to the points again, fastest first, then steepest ascent, then steepest descent;
/// changes nothing else. Divisions are not guarded: NaN and infinities are results.
TrackStatistics ComputeStatistics(TrackSection& track);
/// The same, with the figures of the track's channels taken in the same pass.
TrackStatistics ComputeStatistics(TrackSection& track, ChannelStatistics& channels);
