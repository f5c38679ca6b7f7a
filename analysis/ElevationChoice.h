#pragma once

#include <cstddef>
#include <string>

#include "analysis/AnalysisSettings.h"
#include "track/TrackSection.h"

/// Sets the altitudes of a joined track's copied points from the chosen source, before the
/// analysis. With Terrain every point takes its terrain height, with TerrainWhereMissing only a
/// point whose file gave it no elevation; a point without a terrain height, and every point
/// with Recorded, keeps its recorded altitude. While some altitude differs from the recorded
/// one, elevations.recorded holds the recorded ones, and choosing again starts from them.
void ChooseElevations(TrackSection& track, ElevationSource source);

/// The points of a section that the source would give a terrain height but that have none;
/// 0 with Recorded.
std::size_t CountWithoutTerrain(const TrackSection& section, ElevationSource source);

/// "<path>: N points have no terrain height and keep the recorded one."
std::string NoTerrainMessage(const std::string& path, std::size_t count);

/// The recorded altitude of point i of a track, in metres, whichever heights its points hold.
inline double RecordedAltitude(const TrackSection& track, std::size_t i) {
    return track.elevations.recorded.IsEmpty() ? track.points[i].altitude
                                               : track.elevations.recorded[i];
}
