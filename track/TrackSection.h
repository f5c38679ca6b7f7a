#pragma once

#include <cstdint>
#include <string>

#include "track/GrowArray.h"
#include "track/TrackChannels.h"
#include "track/TrackElevations.h"
#include "track/TrackPoint.h"

struct AnalysisSettings;

/// A named run of points: a section read from a file, or the joined track.
class TrackSection {
public:
    TrackSection() = default;
    TrackSection(const TrackSection&) = delete;
    TrackSection& operator=(const TrackSection&) = delete;
    TrackSection(TrackSection&&) noexcept = default;
    TrackSection& operator=(TrackSection&&) noexcept = default;

    std::string name;  // header name, or "+^+" for a section started by a break flag
    GrowArray<TrackPoint> points;
    bool hasTimes = true;  // false: the file gave none of its points a time, each reads 0
    TrackChannels channels;      // each present channel holds one sample per point
    TrackElevations elevations;  // terrain heights and what the file lacked, per point

    // Measurements over the points; gaps (segments ending at a run start) count in no sum.
    double GetBeginTime() const;         // days since 1899-12-30; 0.0 without points
    double GetEndTime() const;           // days since 1899-12-30; 0.0 without points
    double GetLength2D() const;          // planar metres
    double GetLength3D() const;          // metres, altitude included
    double GetTotalTime() const;         // days
    double GetMovingTime() const;        // days
    double GetStoppedTime() const;       // days
    double GetAscentTime() const;        // days
    double GetDescentTime() const;       // days
    double GetLevelTime() const;         // days
    double GetTotalAscentTime() const;   // days, stops credited to the next ascent
    double GetTotalDescentTime() const;  // days, stops credited to the next descent

    // Measurements that read the analysed distance and states.
    double GetAscentLength() const;   // planar metres in ascent states
    double GetDescentLength() const;  // planar metres in descent states
    double GetAltitudeGain() const;   // metres
    double GetAltitudeLoss() const;   // metres, normally negative or zero
    double GetMinAltitude() const;    // metres, 100000 without points
    double GetMaxAltitude() const;    // metres, -100000 without points

    /// Derives distance, state and the stretch flags of every point with the thresholds of the
    /// settings; every run start stays one.
    void Analyze(const AnalysisSettings& settings);

    /// One direction of the classification: cumulative distance, stopped or moving,
    /// the vertical hysteresis and the look-ahead.
    void ClassifyPoints(const AnalysisSettings& settings);

    double FindFastest();          // metres per day; marks FlagFastest
    double FindSteepestAscent();   // height per planar metre; marks FlagSteepestAscent
    double FindSteepestDescent();  // height per planar metre, positive; marks FlagSteepestDescent
};

/// Makes target's points, channels and elevations copies of source's, and whether it has
/// times; its name stays.
void CopyPoints(const TrackSection& source, TrackSection& target);
