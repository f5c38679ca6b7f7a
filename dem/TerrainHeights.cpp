#include "dem/TerrainHeights.h"

#include <cmath>

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
