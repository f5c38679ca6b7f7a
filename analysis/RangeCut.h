#pragma once

#include <cstddef>

#include "track/TrackSection.h"

/// Cuts points first to last (inclusive, in any order, clamped to the track) out of a joined
/// track and analyses them as a track of their own: they are split into sections where the
/// joined track's sections began, and those are joined with the connection mode and the
/// thresholds given (metres and km/h), just as if they had been read from a file of their own.
/// The connection mode that ends the program is taken as no joining.
void CutRange(const TrackSection& joined, std::size_t first, std::size_t last, int connectionMode,
              double verticalThreshold, double speedThresholdKmh, TrackSection& range);
