#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dem/TerrainTile.h"

struct TrackPoint;

/// The terrain heights of a folder of SRTM tiles (.hgt, .hgt.gz, .hgt.zip). The folder's names
/// are read once; a tile is opened when a point first falls on it and kept while the model
/// lives, so only the tiles a track touches take memory. Several threads may look up heights
/// at once: a tile is opened once, by the first of them that needs it, and the others wait
/// for it.
class TerrainModel {
public:
    /// Lists the folder (UTF-8) and opens nothing.
    explicit TerrainModel(std::string folder);
    ~TerrainModel();
    TerrainModel(TerrainModel&&) noexcept;
    TerrainModel& operator=(TerrainModel&&) noexcept;

    /// Terrain heights (metres) of count points into heights; NaN where there is none. Opens
    /// the tiles the points touch, once. Messages about the folder and about tiles that could
    /// not be used go to messages, at most one for each file and each only once (to the call
    /// that met it first).
    void HeightsOf(const TrackPoint* points, std::size_t count, double* heights,
                   std::vector<std::string>& messages);

    /// The terrain height (metres) at a point; none where no tile gives one.
    std::optional<double> HeightAt(double latitude, double longitude,
                                   std::vector<std::string>& messages);

private:
    /// A tile file of the folder, opened on first use. The map's nodes stay where they are,
    /// so a slot is never moved once listed.
    struct Slot {
        std::filesystem::path path;
        std::string name;  // UTF-8, for the messages
        TerrainTile::Packing packing = TerrainTile::Packing::Plain;
        std::unique_ptr<TerrainTile> tile;
        std::once_flag opened;
    };

    /// The tile used last by one call, so that a run of points on one tile finds it at once.
    struct LastTile {
        int key = -1;                       // its corner
        const TerrainTile* tile = nullptr;  // null where that corner has none
    };

    void ListFolder();
    void AddFile(const std::filesystem::path& path, const std::string& name);
    void HandOutNotices(std::vector<std::string>& messages);
    double Height(double latitude, double longitude, LastTile& last,
                  std::vector<std::string>& messages);
    const TerrainTile* TileAt(int key, std::vector<std::string>& messages);
    std::string Shown(const std::string& name) const;

    std::string m_folder;                   // UTF-8, as given
    std::unordered_map<int, Slot> m_slots;  // by corner key; only the slots change after listing
    // Held apart, so that the model can still be moved.
    std::unique_ptr<std::mutex> m_noticesMutex = std::make_unique<std::mutex>();
    std::vector<std::string> m_notices;  // about the folder and names, for the next call
};
