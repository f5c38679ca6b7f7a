#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dem/TerrainModel.h"
#include "support/TerrainFiles.h"
#include "support/TestFiles.h"
#include "track/TrackPoint.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

constexpr int Plane1(int row, int column) {
    return -1000 + 3 * row + 5 * column;
}

int Cone3(int row, int column) {
    if (row == 100 && column == 200) {
        return TerrainTile::kVoid;
    }
    return static_cast<int>(std::lround(3000.0 - 2.0 * std::hypot(row - 600, column - 600)));
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(PathFromUtf8(path), std::ios::binary) << bytes;
}

/// Latitude and longitude of a fractional row and column of a tile with last + 1 samples.
double Latitude(int south, double row, int last) {
    return south + 1 - row / last;
}
double Longitude(int west, double column, int last) {
    return west + column / last;
}

// Builds without libzip or zlib name the packed tiles they cannot read instead.
#ifndef PELORIN_HAVE_LIBZIP
#define PELORIN_HAVE_LIBZIP 0
#endif
#ifndef PELORIN_HAVE_ZLIB
#define PELORIN_HAVE_ZLIB 0
#endif
constexpr bool kZip = PELORIN_HAVE_LIBZIP;
constexpr bool kGzip = PELORIN_HAVE_ZLIB;

}  // namespace

TEST(TerrainTile, CornerOfNames) {
    const struct {
        const char* name;
        int south, west;  // 99 for none
    } cases[] = {{"N46E013.hgt", 46, 13},
                 {"s01w072.hgt.gz", -1, -72},
                 {"N00E000.hgt", 0, 0},
                 {"S90W180.HGT.ZIP", -90, -180},
                 {"N46E013.SRTMGL1.hgt.zip", 46, 13},
                 {"N90E000.hgt", 99, 99},
                 {"S00E000.hgt", 99, 99},
                 {"N00E180.hgt", 99, 99},
                 {"N00W000.hgt", 99, 99},
                 {"N46E013x.hgt", 99, 99},
                 {"X46E013.hgt", 99, 99},
                 {"N4E0130.hgt", 99, 99}};
    for (const auto& c : cases) {
        int south = 99;
        int west = 99;
        EXPECT_EQ(TerrainTile::CornerOf(c.name, south, west), c.south != 99) << c.name;
        EXPECT_EQ(south * 1000 + west, c.south * 1000 + c.west) << c.name;
    }
    EXPECT_EQ(TerrainTile::PackingOf("a.HGT"), TerrainTile::Packing::Plain);
    EXPECT_EQ(TerrainTile::PackingOf("a.hgt.Gz"), TerrainTile::Packing::Gzip);
    EXPECT_EQ(TerrainTile::PackingOf("a.zip"), std::nullopt);
}

TEST(TerrainModel, HeightsBetweenSamplesEdgesAndTiles) {
    TempFile folder("not a tile", "readme.txt");
    const std::string dir = folder.Dir() + "/";
    Write(dir + "N46E013.hgt", Tile(3601, Plane1));
    Write(dir + "s01w072.hgt", Tile(1201, Cone3));
    Write(dir + "N00W001.hgt.gz", Gzip(Tile(1201, [](int r, int c) { return -500 + r + 2 * c; })));
    Write(dir + "S01E000.hgt.zip",
          Zip({{"S01E000.hgt", Tile(1201, [](int r, int c) { return 7 * r - 3 * c; }), 2884802}}));
    const double below47 = std::nextafter(47.0, 0.0);
    const double below14 = std::nextafter(14.0, 0.0);
    const struct {
        double latitude, longitude, height;
    } cases[] = {
        {Latitude(46, 1800, 3600), Longitude(13, 900, 3600), Plane1(1800, 900)},
        {Latitude(46, 1800.25, 3600), Longitude(13, 900.5, 3600), -1000 + 5400.75 + 4502.5},
        {Latitude(46, 0.75, 3600), Longitude(13, 3599.125, 3600), -1000 + 2.25 + 17995.625},
        {46.0, 13.0, Plane1(3600, 0)},        // the south-west corner: the last row
        {below47, below14, Plane1(0, 3600)},  // just inside the north-east corner
        {47.0, 13.5, kNone},                  // the north edge belongs to the tile above
        {-0.5, -71.5, 3000},                  // S01, W072 by floor: the cone's peak
        {Latitude(-1, 600, 1200), Longitude(-72, 600.5, 1200), 2999},
        {Latitude(-1, 100, 1200), Longitude(-72, 200, 1200), kNone},     // a void
        {Latitude(-1, 100.25, 1200), Longitude(-72, 200, 1200), kNone},  // void weighted
        {Latitude(-1, 99, 1200), Longitude(-72, 200, 1200), double(Cone3(99, 200))},
        {0.5, -0.5, kGzip ? 1300 : kNone},
        {0.0, std::nextafter(0.0, -1.0), kGzip ? 3100 : kNone},  // the south-east corner
        {-0.25, 0.75, kZip ? -600 : kNone},
        {10.5, 10.5, kNone},  // no tile
        {91.0, 0.0, kNone},
        {kNone, 13.5, kNone},
    };
    std::vector<TrackPoint> points;
    for (const auto& c : cases) {
        points.push_back({.longitude = c.longitude, .latitude = c.latitude});
    }
    TerrainModel model(folder.Dir());
    std::vector<std::string> messages;
    std::vector<double> heights(points.size());
    model.HeightsOf(points.data(), points.size(), heights.data(), messages);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double expected = cases[i].height;  // to the bit, or none
        EXPECT_TRUE(heights[i] == expected || (std::isnan(heights[i]) && std::isnan(expected)))
            << "row " << i << ": " << heights[i];
    }
    EXPECT_EQ(model.HeightAt(46.0, 13.0, messages), Plane1(3600, 0));
    EXPECT_EQ(model.HeightAt(10.5, 10.5, messages), std::nullopt);
    EXPECT_EQ(messages.size(), (kGzip ? 0u : 1u) + (kZip ? 0u : 1u));
}

TEST(TerrainModel, BadTilesAreNamedAndGiveNoHeight) {
    const std::string tile3 = Tile(1201, [](int, int) { return 5; });
    // gzip files whose trailer gives the size of a 3″ tile, 2884802 bytes, for other data.
    const auto lying = [](std::string gzip) {
        return gzip.replace(gzip.size() - 4, 4, std::string("\xc2\x04\x2c\0", 4));
    };
    const auto size = [](const char* bytes) {
        return std::string(bytes) + " bytes, not the 25934402 or 2884802 of a terrain tile";
    };
    const struct {
        const char* name;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"N10E010.hgt", std::string(1000, '\0'), "has " + size("1000")},
        {"N10E010.hgt", tile3.substr(2), "has " + size("2884800")},
        {"N10E010.hgt.gz", Gzip(std::string(1000, 'x')), "says it unpacks to " + size("1000")},
        {"N10E010.hgt.gz", lying(Gzip(std::string(1000, 'x'))), "is damaged or cut short"},
        {"N10E010.hgt.gz", lying(Gzip(tile3 + "more")),
         "unpacks to more than the 2884802 bytes of a terrain tile"},
        {"N10E010.hgt.gz", Gzip(tile3).erase(5000, 3000), "is damaged or cut short"},
        {"N10E010.hgt.gz", "plain text", "is not a gzip file"},
        {"N10E010.hgt.zip", Zip({{"a.hgt", std::string(1000, 'x'), 1000}}),
         "holds a file of " + size("1000")},
        {"N10E010.hgt.zip", Zip({{"a.hgt", tile3, 2884802}, {"b.hgt", tile3, 2884802}}),
         "holds 2 files, not one terrain tile"},
        {"N10E010.hgt.zip", Zip({{"a.hgt", "0123456789", 0xfffffffe}}),
         "holds a file of " + size("4294967294")},
        {"N10E010.hgt.zip", Zip({{"a.hgt", std::string(1000, 'x'), 2884802}}),
         "is damaged or cut short"},
        {"N10E010.hgt.zip", "plain text", "is not a zip archive"},
        {"N95E010.hgt", tile3, "the name gives no tile corner, such as N46E013.hgt"},
    };
    for (const auto& c : cases) {
        TempFile file(c.bytes, c.name);
        std::string reason = c.reason;
        if (TerrainTile::PackingOf(c.name) == TerrainTile::Packing::Zip && !kZip) {
            reason = "this build of Pelorin cannot read zipped tiles";
        } else if (TerrainTile::PackingOf(c.name) == TerrainTile::Packing::Gzip && !kGzip) {
            reason = "this build of Pelorin cannot read gzipped tiles";
        }
        TerrainModel model(file.Dir());
        std::vector<std::string> messages;
        EXPECT_EQ(model.HeightAt(10.5, 10.5, messages), std::nullopt) << reason;
        EXPECT_EQ(model.HeightAt(10.25, 10.5, messages), std::nullopt) << reason;
        EXPECT_EQ(messages, std::vector<std::string>{file.Path() + ": " + reason + "."});
    }
}

TEST(TerrainModel, UnreadableFilesAndFolders) {
    TempFile folder("", "readme.txt");
    std::filesystem::create_directory(PathFromUtf8(folder.Dir() + "/N10E010.hgt"));
    std::vector<std::string> messages;
    TerrainModel(folder.Dir()).HeightAt(10.5, 10.5, messages);
    TerrainModel(folder.Dir() + "/missing").HeightAt(10.5, 10.5, messages);
#ifdef _WIN32
    const std::string reason = "cannot be opened";
#else
    const std::string reason = "is not a regular file";
#endif
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  folder.Dir() + "/N10E010.hgt: " + reason + ".",
                  folder.Dir() + "/missing: the folder of terrain tiles cannot be read."}));
}
