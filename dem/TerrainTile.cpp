#include "dem/TerrainTile.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "dem/PackedTile.h"

namespace {

constexpr std::uint64_t kBytes1 = 2ull * 3601 * 3601;  // a 1″ tile
constexpr std::uint64_t kBytes3 = 2ull * 1201 * 1201;  // a 3″ tile

// Positions within a tile are kept in 1/65536 of a sample spacing (under half a millimetre on
// the ground). The weights are then integers that sum to exactly 2^32, and every product and
// sum of the interpolation is an integer below 2^48: a plane comes out exact to the bit.
constexpr int kFractionBits = 16;
constexpr std::int64_t kOne = std::int64_t{1} << kFractionBits;
constexpr double kPerWeight = 1.0 / static_cast<double>(kOne * kOne);

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWith(std::string_view name, std::string_view ending) {
    if (name.size() <= ending.size()) {
        return false;
    }
    const std::string_view tail = name.substr(name.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        if (Lower(tail[i]) != ending[i]) {
            return false;
        }
    }
    return true;
}

/// The value of digits that must all be ASCII digits; -1 when one is not.
int Digits(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string CountText(std::uint64_t count) {
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, count).ptr;
    return std::string(text, end);
}

}  // namespace

std::optional<TerrainTile::Packing> TerrainTile::PackingOf(std::string_view fileName) {
    if (EndsWith(fileName, ".hgt")) {
        return Packing::Plain;
    }
    if (EndsWith(fileName, ".hgt.gz")) {
        return Packing::Gzip;
    }
    if (EndsWith(fileName, ".hgt.zip")) {
        return Packing::Zip;
    }
    return std::nullopt;
}

bool TerrainTile::CornerOf(std::string_view fileName, int& south, int& west) {
    if (fileName.size() < 8 || fileName[7] != '.') {
        return false;
    }
    const char ns = Lower(fileName[0]);
    const char ew = Lower(fileName[3]);
    const int latitude = Digits(fileName.substr(1, 2));
    const int longitude = Digits(fileName.substr(4, 3));
    // N00..N89 and S01..S90, E000..E179 and W001..W180: a corner from which a whole degree
    // of the globe lies to the north and east.
    const bool northOk = (ns == 'n' && latitude >= 0 && latitude <= 89)
                         || (ns == 's' && latitude >= 1 && latitude <= 90);
    const bool eastOk = (ew == 'e' && longitude >= 0 && longitude <= 179)
                        || (ew == 'w' && longitude >= 1 && longitude <= 180);
    if (!northOk || !eastOk) {
        return false;
    }
    south = ns == 'n' ? latitude : -latitude;
    west = ew == 'e' ? longitude : -longitude;
    return true;
}

int TerrainTile::SamplesPerRowOf(std::uint64_t bytes) {
    return bytes == kBytes1 ? 3601 : bytes == kBytes3 ? 1201 : 0;
}

std::string TerrainTile::SizeError(std::string_view what, std::uint64_t bytes) {
    return std::string(what) + " " + CountText(bytes) + " bytes, not the " + CountText(kBytes1)
           + " or " + CountText(kBytes3) + " of a terrain tile";
}

std::unique_ptr<TerrainTile> TerrainTile::Open(const std::filesystem::path& path, Packing packing,
                                               int south, int west, std::string& error) {
    std::unique_ptr<TerrainTile> tile(new TerrainTile(south, west));
    std::size_t bytes = 0;
    if (packing == Packing::Plain) {
        tile->m_file = MappedFile::Open(path, error);
        if (tile->m_file == nullptr) {
            return nullptr;
        }
        bytes = tile->m_file->Size();
        tile->m_bytes = tile->m_file->Data();
    } else {
        tile->m_unpacked = PackedTile::Unpack(path, packing == Packing::Zip, bytes, error);
        if (tile->m_unpacked == nullptr) {
            return nullptr;
        }
        tile->m_bytes = tile->m_unpacked.get();
    }
    tile->m_samples = SamplesPerRowOf(bytes);
    if (tile->m_samples == 0) {
        error = SizeError("has", bytes);
        return nullptr;
    }
    return tile;
}

double TerrainTile::HeightAt(double latitude, double longitude) const {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    const int last = m_samples - 1;  // sample spacings per degree
    const double scale = static_cast<double>(last) * static_cast<double>(kOne);
    // Rows count from the north edge, columns from the west edge. The differences are exact
    // or off by far less than a unit of the scaled position.
    const double rowScaled = (static_cast<double>(m_south + 1) - latitude) * scale;
    const double columnScaled = (longitude - static_cast<double>(m_west)) * scale;
    if (!(rowScaled >= 0.0 && rowScaled <= scale && columnScaled >= 0.0 && columnScaled <= scale)) {
        return kNone;
    }
    const auto rowPosition = static_cast<std::int64_t>(rowScaled + 0.5);  // rounded, not negative
    const auto columnPosition = static_cast<std::int64_t>(columnScaled + 0.5);
    auto row = static_cast<int>(rowPosition >> kFractionBits);
    auto column = static_cast<int>(columnPosition >> kFractionBits);
    std::int64_t down = rowPosition & (kOne - 1);  // share of the row below
    std::int64_t right = columnPosition & (kOne - 1);
    // On the south or east edge, the last row or column takes the whole weight, so that no
    // read goes past the tile.
    if (row == last) {
        row = last - 1;
        down = kOne;
    }
    if (column == last) {
        column = last - 1;
        right = kOne;
    }
    const std::int64_t weights[4] = {(kOne - down) * (kOne - right), (kOne - down) * right,
                                     down * (kOne - right), down * right};
    const int samples[4] = {Sample(row, column), Sample(row, column + 1), Sample(row + 1, column),
                            Sample(row + 1, column + 1)};
    std::int64_t sum = 0;
    for (int i = 0; i < 4; ++i) {
        if (samples[i] == kVoid && weights[i] != 0) {
            return kNone;
        }
        sum += samples[i] * weights[i];
    }
    return static_cast<double>(sum) * kPerWeight;  // |sum| < 2^47: exact
}
