#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisSettings.h"
#include "dem/TerrainModel.h"
#include "report/Report.h"
#include "track/TrackSectionList.h"

// The terrain heights in the tool's runs: looked up once after each file is read, and the
// figures of the terrain heights beside those of the chosen ones.

/// Looks up the terrain heights of the sections of one file just read (from first on). What
/// the model tells about the folder and its tiles goes to messages, and so does, when the
/// source takes terrain heights and some point of the file has none, how many keep their
/// recorded height.
void AddFileTerrain(TerrainModel& model, TrackSectionList& sections, std::size_t first,
                    const std::string& path, ElevationSource source,
                    std::vector<std::string>& messages);

/// The terrain figures of the chosen sections, analysed with the settings but the terrain
/// heights, when the main analysis chooses other heights; nothing when it takes the terrain
/// heights itself (TerrainFiguresOf gives them after it) or when there is no terrain model.
std::optional<TerrainFigures> TerrainFiguresBefore(const TerrainModel* model,
                                                   const TrackSectionList& sections,
                                                   const std::vector<std::size_t>& rows,
                                                   const AnalysisSettings& settings);

/// The terrain figures of a track analysed with the terrain heights.
TerrainFigures TerrainFiguresOf(const TrackSection& track, const TrackStatistics& statistics);
