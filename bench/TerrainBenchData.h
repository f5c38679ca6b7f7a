#pragma once

#include <string>
#include <vector>

#include "track/TrackPoint.h"

/// The bytes of a generated 1″ tile of rolling hills, by the corner it has.
std::string GeneratedTileBytes(int south, int west);

/// Folder of generated 1″ tiles: four meeting at 47° N 14° E (N46E013, N46E014, N47E013,
/// N47E014) and the two the realistic recording crosses (N47E010, N47E011), about 156 MB,
/// written on first use and kept for later runs.
std::string TerrainTileFolder();

/// A million points, one a second, on three wobbly loops around 47° N 14° E that cross all four
/// tiles, with a few metres of GPS jitter; in an order that jumps between the tiles at nearly
/// every point when shuffled.
std::vector<TrackPoint> TerrainTrack(bool shuffled);

/// Path of that track, in its order, as a .plt file whose recorded heights wander as a phone's
/// do around the terrain's rolling hills; written on first use and kept for later runs.
std::string TerrainTrackFile();
