#include "dem/TerrainModel.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <system_error>
#include <utility>

#include "track/FilePaths.h"
#include "track/TrackPoint.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

/// The key of the tile whose south-west corner is at whole degrees (south, west).
int CornerKey(int south, int west) {
    return (south + 90) * 360 + (west + 180);
}

/// The whole degrees at or below a value within ±180, where a cast truncates towards zero.
int FloorDegrees(double value) {
    const int whole = static_cast<int>(value);
    return whole > value ? whole - 1 : whole;
}

}  // namespace

TerrainModel::TerrainModel(std::string folder) : m_folder(std::move(folder)) {
    ListFolder();
}

TerrainModel::~TerrainModel() = default;
TerrainModel::TerrainModel(TerrainModel&&) noexcept = default;
TerrainModel& TerrainModel::operator=(TerrainModel&&) noexcept = default;

void TerrainModel::HeightsOf(const TrackPoint* points, std::size_t count, double* heights,
                             std::vector<std::string>& messages) {
    HandOutNotices(messages);
    LastTile last;
    for (std::size_t i = 0; i < count; ++i) {
        heights[i] = Height(points[i].latitude, points[i].longitude, last, messages);
    }
}

std::optional<double> TerrainModel::HeightAt(double latitude, double longitude,
                                             std::vector<std::string>& messages) {
    HandOutNotices(messages);
    LastTile last;
    const double height = Height(latitude, longitude, last, messages);
    return std::isnan(height) ? std::nullopt : std::optional<double>(height);
}

void TerrainModel::ListFolder() {
    // Names only: nothing is opened or examined, so a folder of many tiles lists quickly.
    const std::filesystem::path folder = PathFromUtf8(m_folder);
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        AddFile(entry->path(), Utf8FromPath(entry->path().filename()));
    }
    if (folder.empty() || error) {
        m_notices.push_back(m_folder + ": the folder of terrain tiles cannot be read.");
    }
}

void TerrainModel::AddFile(const std::filesystem::path& path, const std::string& name) {
    const std::optional<TerrainTile::Packing> packing = TerrainTile::PackingOf(name);
    if (!packing) {
        return;
    }
    int south = 0;
    int west = 0;
    if (!TerrainTile::CornerOf(name, south, west)) {
        m_notices.push_back(Shown(name) + ": the name gives no tile corner, such as N46E013.hgt.");
        return;
    }
    // Of several files of one tile the plain one serves, then the gzip one; among equals the
    // first name, so that the choice does not depend on the order of the listing.
    Slot& slot = m_slots[CornerKey(south, west)];
    if (slot.path.empty() || *packing < slot.packing
        || (*packing == slot.packing && name < slot.name)) {
        slot.path = path;
        slot.name = name;
        slot.packing = *packing;
    }
}

void TerrainModel::HandOutNotices(std::vector<std::string>& messages) {
    const std::lock_guard lock(*m_noticesMutex);
    for (std::string& notice : m_notices) {
        messages.push_back(std::move(notice));
    }
    m_notices.clear();
}

double TerrainModel::Height(double latitude, double longitude, LastTile& last,
                            std::vector<std::string>& messages) {
    if (!(latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0)) {
        return kNone;
    }
    // The tile by floor; the pole and the meridian at +180° lie on the upper edges of the last
    // tiles.
    const int key =
        CornerKey(std::min(FloorDegrees(latitude), 89), std::min(FloorDegrees(longitude), 179));
    if (key != last.key) {
        last.tile = TileAt(key, messages);
        last.key = key;
    }
    return last.tile != nullptr ? last.tile->HeightAt(latitude, longitude) : kNone;
}

const TerrainTile* TerrainModel::TileAt(int key, std::vector<std::string>& messages) {
    const auto found = m_slots.find(key);
    if (found == m_slots.end()) {
        return nullptr;
    }
    Slot& slot = found->second;
    std::call_once(slot.opened, [&] {
        std::string error;
        slot.tile =
            TerrainTile::Open(slot.path, slot.packing, key / 360 - 90, key % 360 - 180, error);
        if (slot.tile == nullptr) {
            messages.push_back(Shown(slot.name) + ": " + error + ".");
        }
    });
    return slot.tile.get();
}

std::string TerrainModel::Shown(const std::string& name) const {
    const bool separated = m_folder.empty() || m_folder.back() == '/' || m_folder.back() == '\\';
    return m_folder + (separated ? "" : "/") + name;
}
