#include "dem/TerrainHeights.h"

#include <cmath>

#include "analysis/ElevationChoice.h"

namespace {

bool AnyHeight(const GrowArray<double>& heights) {
    for (std::size_t i = 0; i < heights.GetSize(); ++i) {
        if (!std::isnan(heights[i])) {
            return true;
        }
    }
    return false;
}

}  // namespace

void AddTerrainHeights(TerrainModel& model, TrackSectionList& sections, std::size_t first,
                       std::vector<std::string>& messages) {
    for (std::size_t s = first; s < sections.GetSize(); ++s) {
        TrackSection& section = sections[s];
        GrowArray<double>& terrain = section.elevations.terrain;
        terrain.SetSize(section.points.GetSize());
        if (terrain.IsEmpty()) {
            continue;
        }
        model.HeightsOf(section.points.GetData(), section.points.GetSize(), terrain.GetData(),
                        messages);
        if (!AnyHeight(terrain)) {
            terrain.RemoveAll();
        }
    }
}

void RemoveTerrainHeights(TrackSectionList& sections) {
    for (std::size_t s = 0; s < sections.GetSize(); ++s) {
        sections[s].elevations.terrain.RemoveAll();
    }
}

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
