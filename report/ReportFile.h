#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "track/TrackPoint.h"
#include "track/TrackSection.h"

// Files that Pelorin writes. None is ever left half-written: the text goes to a temporary file
// beside the target, which replaces the target only once all of it is written and closed.

/// Takes the next piece of a file's text; false when it could not be written.
using TextSink = std::function<bool(std::string_view text)>;

/// Writes a file through a producer that hands its text to the sink piece by piece; the
/// producer returns false to give up. False, with the target as it was, when anything failed.
bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(const TextSink&)>& produce);

/// Writes text to a file; false when it cannot be written.
bool WriteFile(const std::string& path, std::string_view text);

/// The points as CSV with the header index,state,distance,flags,longitude,latitude,altitude,
/// time, and heart_rate,cadence,power,temperature when the track has any channel (a missing
/// sample empty), the numbers with 17 significant digits, handed to the sink in pieces of
/// about 1 MiB.
bool WritePointsCsv(const TextSink& sink, const TrackSection& track);
/// The same into a file; false when it cannot be written.
bool WritePointsCsv(const std::string& path, const TrackSection& track);
