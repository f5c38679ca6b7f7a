#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "track/GrowArray.h"
#include "track/TrackPoint.h"

struct AnalysisSettings;

/// Outcome of reading a file.
enum class ReadStatus {
    Ok,
    OpenFailed,  // nothing was read
    ReadFailed,  // the sections read before the error were kept
    BadContent,  // the file's content stopped the reader, which said why; what came before stays
};

/// What reading a file gives besides its sections: how it went, and what the user is to be told
/// (the reader's warnings and the error, one message each, in the order they arose). A file may
/// read well (Ok) and still have warnings, e.g. of points without position.
struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::vector<std::string> messages;
};

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

/// The loaded sections, in the order they were read; row i of the sections list is element i.
class TrackSectionList : public GrowArray<TrackSection> {
public:
    /// Removes every section, then reads the file.
    ReadResult LoadTrackFile(const std::string& path);
    /// Appends the sections of the file after those already loaded.
    ReadResult ReadTrackFile(const std::string& path);

    /// Name of the first section; only meaningful with at least one section loaded.
    std::string GetTrackName() const;
    /// Name column of row i: the owning named section's name with the run number.
    std::string GetDisplayName(std::size_t i) const;
};

/// Splits text at each separator into the output list; one further empty field always
/// follows the last piece.
void SplitFields(std::vector<std::string>& fields, const std::string& text, char separator,
                 bool trim);
