#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "plot/ProfileAxis.h"
#include "report/DisplayOptions.h"
#include "track/TrackChannels.h"
#include "track/TrackPoint.h"

/// The sample of a channel at the point: "Heart Rate", "142", "bpm"; the value "--" where
/// the sample is missing.
struct ReadoutSample {
    std::string label;
    std::string value;
    std::string unit;
};

/// Texts about point i of the joined track.
struct ProfileReadout {
    std::string distance;                // from the start, without the jumps between runs
    std::string timeOfDay;               // as the sections list writes it, relative to firstDay
    std::string elapsed;                 // since the first point, without the pauses between runs
    std::string elevation;               // the recorded one
    std::optional<std::string> terrain;  // on a track with terrain heights; "-" where none
    std::string speed;                   // over the segment ending at the point; "-" where none
    std::string state;      // "stopped", "level", "climbing", "descending" or "start of a run"
    std::string stretches;  // "fastest", "steepest ascent", ... joined by ", "; empty if none
    std::string distanceUnit = "km";
    std::string elevationUnit = "m";
    std::string speedUnit = "km/h";
    std::vector<ReadoutSample> samples;  // of each channel the track has
};

/// What the readout needs besides the points: the first day of the time of day (in the shown
/// zone), the breaks of the track, how texts are shown, whether the track has times, and the
/// heights of its points besides their altitudes.
struct ReadoutFrame {
    double firstDay = 0.0;  // days since 1899-12-30
    const TrackBreaks* breaks = nullptr;
    DisplayOptions options;
    bool hasTimes = true;
    const double* recorded = nullptr;  // metres, when the altitudes are chosen from others
    const double* terrain = nullptr;   // metres, NaN where none; null for a track without
    const TrackChannels* channels = nullptr;  // of the points; none when null
};

ProfileReadout ReadoutOf(const TrackPoint* points, std::size_t count, std::size_t i,
                         const ReadoutFrame& frame);

/// The readout as lines of "Label: value unit", a line for each channel's sample last.
std::vector<std::string> ReadoutLines(const ProfileReadout& readout);
