#pragma once

#include <cstddef>
#include <string>
#include <vector>

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
