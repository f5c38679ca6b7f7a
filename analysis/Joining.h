#pragma once

#include <cstddef>
#include <span>

#include "analysis/AnalysisSettings.h"
#include "track/TrackSectionList.h"

/// Copies the points of the chosen rows of the loaded sections into the track, in row order
/// (whatever the order of the rows given; a row given twice counts once; rows beyond the list
/// are ignored). Each non-empty section's first point starts a run and carries the
/// section-start flag.
void CopyChosenSections(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                        TrackSection& track);

/// Applies the connection mode of the settings to the copied points and analyses them.
void ConnectAndAnalyze(TrackSection& track, const AnalysisSettings& settings);

/// Builds the joined track from the chosen rows: CopyChosenSections, then ConnectAndAnalyze.
void JoinSections(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                  const AnalysisSettings& settings, TrackSection& track);

/// The same for a caller that has no further use for the sections: points may be taken over
/// instead of copied, leaving the sections valid but without them.
void JoinSections(TrackSectionList&& sections, std::span<const std::size_t> chosenRows,
                  const AnalysisSettings& settings, TrackSection& track);
