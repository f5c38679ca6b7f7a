#include "cli/TerrainRun.h"

#include "analysis/ElevationChoice.h"
#include "analysis/Joining.h"
#include "dem/TerrainHeights.h"

void AddFileTerrain(TerrainModel& model, TrackSectionList& sections, std::size_t first,
                    const std::string& path, ElevationSource source,
                    std::vector<std::string>& messages) {
    AddTerrainHeights(model, sections, first, messages);
    std::size_t without = 0;
    for (std::size_t s = first; s < sections.GetSize(); ++s) {
        without += CountWithoutTerrain(sections[s], source);
    }
    if (without > 0) {
        messages.push_back(NoTerrainMessage(path, without));
    }
}

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
