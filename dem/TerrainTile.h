#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dem/MappedFile.h"

/// One SRTM elevation tile: a square of one degree, named by its south-west corner, of
/// big-endian signed 16-bit heights in metres, 3601 × 3601 samples at 1″ or 1201 × 1201 at 3″.
/// The first row is the north edge; the last row and column repeat the first ones of the
/// neighbouring tiles. A plain tile is mapped, a packed one (.hgt.gz, .hgt.zip) unpacked into
/// memory; either way the samples stay as the file has them.
class TerrainTile {
public:
    enum class Packing { Plain, Gzip, Zip };

    static constexpr int kVoid = -32768;  // a sample without height

    /// The packing a file name's ending gives (.hgt, .hgt.gz or .hgt.zip, in any case); none
    /// for any other file.
    static std::optional<Packing> PackingOf(std::string_view fileName);

    /// The south-west corner, in whole degrees, that a tile file's name begins with: N46E013,
    /// s01w072; the corner is followed by the ending or by a label as in
    /// N46E013.SRTMGL1.hgt.zip. False when the name gives no corner of the globe.
    static bool CornerOf(std::string_view fileName, int& south, int& west);

    /// Samples in a row of a tile of that many bytes: 3601, 1201, or 0 for any other size.
    static int SamplesPerRowOf(std::uint64_t bytes);

    /// The reason given for data of a size no tile has, such as "has 12 bytes, not ...".
    static std::string SizeError(std::string_view what, std::uint64_t bytes);

    /// Opens the tile in a file; null with the reason in error (a text to follow the file's
    /// name and a colon).
    static std::unique_ptr<TerrainTile> Open(const std::filesystem::path& path, Packing packing,
                                             int south, int west, std::string& error);

    int South() const { return m_south; }  // degrees
    int West() const { return m_west; }    // degrees
    int SamplesPerRow() const { return m_samples; }

    /// The sample at a row counted from the north edge and a column from the west edge, in
    /// metres; kVoid where it has none.
    int Sample(int row, int column) const {
        const unsigned char* at =
            m_bytes + 2 * (static_cast<std::size_t>(row) * m_samples + column);
        return static_cast<int16_t>((at[0] << 8) | at[1]);
    }

    /// The height in metres at a point of the tile, interpolated bilinearly between the four
    /// samples around it; NaN where one of them with a share in the result is a void, and for
    /// a point outside the tile.
    double HeightAt(double latitude, double longitude) const;

private:
    TerrainTile(int south, int west) : m_south(south), m_west(west) {}

    std::unique_ptr<MappedFile> m_file;           // a plain tile
    std::unique_ptr<unsigned char[]> m_unpacked;  // a packed one
    const unsigned char* m_bytes = nullptr;       // the samples, row by row
    int m_samples = 0;                            // per row and per column
    int m_south;
    int m_west;
};
