#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/AnalysisSettings.h"
#include "dem/TerrainModel.h"
#include "report/Report.h"
#include "track/TrackSectionList.h"

// The figures of the terrain heights beside those of the chosen ones, in the tool's runs.

/// The terrain figures of the chosen sections, analysed with the settings but the terrain
/// heights, when the main analysis chooses other heights; nothing when it takes the terrain
/// heights itself (TerrainFiguresOf gives them after it) or when there is no terrain model.
std::optional<TerrainFigures> TerrainFiguresBefore(const TerrainModel* model,
                                                   const TrackSectionList& sections,
                                                   const std::vector<std::size_t>& rows,
                                                   const AnalysisSettings& settings);

/// The terrain figures of a track analysed with the terrain heights.
TerrainFigures TerrainFiguresOf(const TrackSection& track, const TrackStatistics& statistics);
