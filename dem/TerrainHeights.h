#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/AnalysisSettings.h"
#include "dem/TerrainModel.h"
#include "track/TrackSectionList.h"

/// Looks up the terrain heights of the points of the sections from first on (those of a file
/// just read) into their elevations, once, so that a change of the elevation source needs no
/// new lookup. A section on which no tile gives any height keeps no heights. What the model
/// tells about the folder and its tiles goes to messages.
void AddTerrainHeights(TerrainModel& model, TrackSectionList& sections, std::size_t first,
                       std::vector<std::string>& messages);

/// Forgets the terrain heights of every section, as when no terrain folder is chosen any more.
void RemoveTerrainHeights(TrackSectionList& sections);

/// AddTerrainHeights for the sections of one file just read (from first on), and, when the
/// source takes terrain heights and some point of the file has none, the message of how many
/// keep their recorded height.
void AddFileTerrain(TerrainModel& model, TrackSectionList& sections, std::size_t first,
                    const std::string& path, ElevationSource source,
                    std::vector<std::string>& messages);
