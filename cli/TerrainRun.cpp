#include "cli/TerrainRun.h"

#include "analysis/ElevationChoice.h"
#include "analysis/Joining.h"

std::optional<TerrainFigures> TerrainFiguresBefore(const TerrainModel* model,
                                                   const TrackSectionList& sections,
                                                   const std::vector<std::size_t>& rows,
                                                   const AnalysisSettings& settings) {
    if (model == nullptr || settings.elevation == ElevationSource::Terrain) {
        return std::nullopt;
    }
    AnalysisSettings terrainSettings = settings;
    terrainSettings.elevation = ElevationSource::Terrain;
    TrackSection track;
    JoinSections(sections, rows, terrainSettings, track);
    return TerrainFiguresOf(track, ComputeStatistics(track));
}

TerrainFigures TerrainFiguresOf(const TrackSection& track, const TrackStatistics& statistics) {
    return {statistics, CountWithoutTerrain(track, ElevationSource::Terrain)};
}
