#pragma once

#include <cstddef>

#include "analysis/AnalysisSettings.h"
#include "track/TrackSection.h"

/// Cuts points first to last (inclusive, in any order, clamped to the track) out of a joined
/// track and analyses them as a track of their own: they are split into sections where the
/// joined track's sections began, and those are joined with the settings given, just as if they
/// had been read from a file of their own.
void CutRange(const TrackSection& joined, std::size_t first, std::size_t last,
              const AnalysisSettings& settings, TrackSection& range);
