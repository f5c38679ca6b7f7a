#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "track/TrackPoint.h"

/// Texts about point i of the joined track.
struct ProfileReadout {
    std::string distance;   // km from the start
    std::string timeOfDay;  // as the sections list writes it, relative to firstDay
    std::string elapsed;    // since the first point, as the duration rows
    std::string elevation;  // m
    std::string speed;      // km/h over the segment ending at the point; "-" where none
    std::string state;      // "stopped", "level", "climbing", "descending" or "start of a run"
    std::string stretches;  // "fastest", "steepest ascent", ... joined by ", "; empty if none
};
ProfileReadout ReadoutOf(const TrackPoint* points, std::size_t count, std::size_t i,
                         double firstDay);

/// The readout as lines of "Label: value unit".
std::vector<std::string> ReadoutLines(const ProfileReadout& readout);
