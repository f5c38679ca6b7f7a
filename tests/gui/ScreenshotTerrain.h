#pragma once

// A terrain tile for the README's picture of the profile window with both heights: the 3″
// tile under a track whose heights near the track are those the track recorded, smoothed over
// about 300 m, so that the terrain line follows the climbs without the recording's noise.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include <QString>

#include "support/TerrainFiles.h"
#include "track/TrackSectionList.h"

/// Writes the tile of the first point of the track into folder, for a track north and east
/// of 0° within one tile; false when the track reads no
/// points or the file cannot be written.
inline bool WriteTerrainUnder(const std::string& track, const QString& folder) {
    TrackSectionList sections;
    sections.ReadTrackFile(track);
    if (sections.IsEmpty() || sections[0].points.IsEmpty()) {
        return false;
    }
    const int south = static_cast<int>(std::floor(sections[0].points[0].latitude));
    const int west = static_cast<int>(std::floor(sections[0].points[0].longitude));
    const auto near = [&](double latitude, double longitude) {
        double sum = 0.0;
        double weights = 0.0;
        for (std::size_t s = 0; s < sections.GetSize(); ++s) {
            for (std::size_t i = 0; i < sections[s].points.GetSize(); ++i) {
                const TrackPoint& p = sections[s].points[i];
                const double north = (p.latitude - latitude) * 111320.0;
                const double east = (p.longitude - longitude) * 111320.0 * 0.69;
                const double d2 = north * north + east * east + 90000.0;  // square metres
                const double w = 1.0 / (d2 * d2);
                sum += w * p.altitude;
                weights += w;
            }
        }
        return sum / weights;
    };
    double box[4] = {90.0, -90.0, 180.0, -180.0};  // south, north, west, east, with a margin
    for (std::size_t s = 0; s < sections.GetSize(); ++s) {
        for (std::size_t i = 0; i < sections[s].points.GetSize(); ++i) {
            const TrackPoint& p = sections[s].points[i];
            box[0] = std::min(box[0], p.latitude - 0.005);
            box[1] = std::max(box[1], p.latitude + 0.005);
            box[2] = std::min(box[2], p.longitude - 0.005);
            box[3] = std::max(box[3], p.longitude + 0.005);
        }
    }
    const std::string tile = Tile(1201, [&](int row, int column) {
        const double latitude = south + 1 - row / 1200.0;
        const double longitude = west + column / 1200.0;
        // Only the samples around the track are worked out; the others are never looked up.
        if (latitude < box[0] || latitude > box[1] || longitude < box[2] || longitude > box[3]) {
            return 0;
        }
        return static_cast<int>(std::lround(near(latitude, longitude)));
    });
    const std::string name = std::string(1, 'N') + (south < 10 ? "0" : "") + std::to_string(south)
                             + "E" + (west < 100 ? "0" : "") + (west < 10 ? "0" : "")
                             + std::to_string(west) + ".hgt";
    std::ofstream out((folder + QStringLiteral("/")).toStdString() + name, std::ios::binary);
    out << tile;
    return static_cast<bool>(out);
}
