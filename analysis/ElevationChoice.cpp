#include "analysis/ElevationChoice.h"

#include <cmath>

namespace {

/// Whether the source gives point i a terrain height where there is one.
bool TakesTerrain(const TrackElevations& elevations, std::size_t i, ElevationSource source) {
    return source == ElevationSource::Terrain
           || (source == ElevationSource::TerrainWhereMissing && elevations.IsUnrecorded(i));
}

}  // namespace

void ChooseElevations(TrackSection& track, ElevationSource source) {
    GrowArray<TrackPoint>& points = track.points;
    TrackElevations& elevations = track.elevations;
    const std::size_t count = points.GetSize();
    if (!elevations.recorded.IsEmpty()) {
        for (std::size_t i = 0; i < count; ++i) {
            points[i].altitude = elevations.recorded[i];
        }
        elevations.recorded.RemoveAll();
    }
    if (source == ElevationSource::Recorded || elevations.terrain.IsEmpty()
        || (source == ElevationSource::TerrainWhereMissing && elevations.unrecorded.IsEmpty())) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const double terrain = elevations.terrain[i];
        if (std::isnan(terrain) || !TakesTerrain(elevations, i, source)) {
            continue;
        }
        if (elevations.recorded.IsEmpty()) {
            elevations.recorded.SetSize(count);
            for (std::size_t k = 0; k < count; ++k) {
                elevations.recorded[k] = points[k].altitude;
            }
        }
        points[i].altitude = terrain;
    }
}

std::size_t CountWithoutTerrain(const TrackSection& section, ElevationSource source) {
    std::size_t count = 0;
    if (source == ElevationSource::Recorded) {
        return count;
    }
    for (std::size_t i = 0; i < section.points.GetSize(); ++i) {
        if (TakesTerrain(section.elevations, i, source)
            && std::isnan(section.elevations.TerrainAt(i))) {
            ++count;
        }
    }
    return count;
}

std::string NoTerrainMessage(const std::string& path, std::size_t count) {
    return path + ": " + std::to_string(count)
           + " points have no terrain height and keep the recorded one.";
}
