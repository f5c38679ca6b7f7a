#pragma once

// Terrain tiles for the tests: samples by a function of row and column, plain, gzip and zip
// files written without a compressor; a small track over a plane.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// A tile of samples × samples heights, by row from the north edge and column from the west.
inline std::string Tile(int samples, const std::function<int(int, int)>& height) {
    std::string bytes;
    for (int row = 0; row < samples; ++row) {
        for (int column = 0; column < samples; ++column) {
            const int h = height(row, column);
            bytes += static_cast<char>(h >> 8);
            bytes += static_cast<char>(h & 0xff);
        }
    }
    return bytes;
}

/// Little-endian bytes of a value, as zip and gzip store numbers.
inline std::string Le(std::uint64_t value, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
    return out;
}

inline std::uint32_t Crc32(const std::string& data) {
    std::uint32_t crc = 0xffffffff;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

/// Deflate data of stored blocks: valid without a compressor.
inline std::string Deflated(const std::string& data) {
    std::string out;
    for (std::size_t at = 0; at == 0 || at < data.size(); at += 65535) {
        const std::size_t count = std::min<std::size_t>(65535, data.size() - at);
        out += (at + count >= data.size() ? "\1" : std::string(1, '\0')) + Le(count, 2)
               + Le(~count & 0xffff, 2) + data.substr(at, count);
    }
    return out;
}

inline std::string Gzip(const std::string& data) {
    return std::string("\x1f\x8b\x08\0\0\0\0\0\0\xff", 10) + Deflated(data) + Le(Crc32(data), 4)
           + Le(data.size(), 4);
}

struct ZipEntry {
    std::string name;
    std::string data;
    std::uint32_t declared;  // the unpacked size the archive gives
};

inline std::string Zip(const std::vector<ZipEntry>& entries) {
    std::string out;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const std::string packed = Deflated(entry.data);
        // Version 2.0, no flags, deflated, no time, the sizes, the name, no extra field.
        const std::string common = Le(20, 2) + Le(0, 2) + Le(8, 2) + Le(0, 4)
                                   + Le(Crc32(entry.data), 4) + Le(packed.size(), 4)
                                   + Le(entry.declared, 4) + Le(entry.name.size(), 2) + Le(0, 2);
        directory +=
            "PK\1\2" + Le(20, 2) + common + std::string(10, '\0') + Le(out.size(), 4) + entry.name;
        out += "PK\3\4" + common + entry.name + packed;
    }
    return out + directory + "PK\5\6" + Le(0, 4) + Le(entries.size(), 2) + Le(entries.size(), 2)
           + Le(directory.size(), 4) + Le(out.size(), 4) + Le(0, 2);
}

/// The 3″ tile N46E013 of a plane, 5800 − 4 row + column metres, with voids at rows 960 and 970
/// of column 600.
inline std::string PlaneTile() {
    return Tile(1201, [](int row, int column) {
        return column == 600 && (row == 960 || row == 970) ? -32768 : 5800 - 4 * row + column;
    });
}

/// Six points a minute apart northwards along column 600 of the plane (13.5° E), on rows 1000
/// to 950: terrain heights 2400, 2440, 2480, none, none, 2600; recorded 500, none, 510, 505,
/// none, 520 (read as 500 and 505 where there is none).
inline std::string PlaneTrackGpx() {
    const int rows[] = {1000, 990, 980, 970, 960, 950};
    const char* elevations[] = {"500", "", "510", "505", "", "520"};
    std::string gpx = "<gpx version=\"1.1\"><trk><name>Plane</name><trkseg>";
    for (int i = 0; i < 6; ++i) {
        char latitude[32];
        *std::to_chars(latitude, latitude + 31, 47.0 - rows[i] / 1200.0).ptr = '\0';
        gpx += std::string("<trkpt lat=\"") + latitude + "\" lon=\"13.5\">";
        gpx += *elevations[i] != '\0' ? std::string("<ele>") + elevations[i] + "</ele>" : "";
        gpx += "<time>2024-05-01T10:0" + std::to_string(i) + ":00Z</time></trkpt>";
    }
    return gpx + "</trkseg></trk></gpx>";
}
