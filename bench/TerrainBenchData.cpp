#include "TerrainBenchData.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

std::string GeneratedTileBytes(int south, int west) {
    constexpr int kSamples = 3601;
    std::string bytes(2 * kSamples * kSamples, '\0');
    for (int row = 0; row < kSamples; ++row) {
        const double latitude = south + 1 - row / 3600.0;
        for (int column = 0; column < kSamples; ++column) {
            const double longitude = west + column / 3600.0;
            const double metres = 1200.0
                                  + 900.0 * std::sin(latitude * 7.0) * std::cos(longitude * 5.0)
                                  + 40.0 * std::sin(latitude * 300.0 + longitude * 200.0);
            const auto height = static_cast<std::int16_t>(std::lround(metres));
            const std::size_t at = 2 * (static_cast<std::size_t>(row) * kSamples + column);
            bytes[at] = static_cast<char>(height >> 8);
            bytes[at + 1] = static_cast<char>(height & 0xff);
        }
    }
    return bytes;
}

std::string TerrainTileFolder() {
    const std::string folder = std::string(PELORIN_BENCH_DATA) + "/terrain";
    std::filesystem::create_directories(folder);
    const struct {
        const char* name;
        int south, west;
    } tiles[] = {{"N46E013", 46, 13}, {"N46E014", 46, 14}, {"N47E013", 47, 13},
                 {"N47E014", 47, 14}, {"N47E010", 47, 10}, {"N47E011", 47, 11}};
    for (const auto& tile : tiles) {
        const std::string path = folder + "/" + tile.name + ".hgt";
        if (!std::filesystem::exists(path)) {
            std::ofstream(path + ".part", std::ios::binary)
                << GeneratedTileBytes(tile.south, tile.west);
            std::filesystem::rename(path + ".part", path);
        }
    }
    return folder;
}

std::vector<TrackPoint> TerrainTrack(bool shuffled) {
    constexpr std::size_t kCount = 1000000;
    constexpr double kPi = 3.14159265358979323846;
    std::vector<TrackPoint> points(kCount);
    std::mt19937 random(42);
    std::normal_distribution<double> jitter(0.0, 3e-5);  // degrees, about 3 m
    for (std::size_t i = 0; i < kCount; ++i) {
        const double turn = 6.0 * kPi * static_cast<double>(i) / kCount;
        const double radius = 0.3 + 0.1 * std::sin(7.0 * turn);  // degrees
        points[i].latitude = 47.0 + radius * std::sin(turn) + jitter(random);
        points[i].longitude = 14.0 + 1.4 * radius * std::cos(turn) + jitter(random);
        points[i].time = 45000.0 + static_cast<double>(i) / 86400.0;
    }
    if (shuffled) {
        std::shuffle(points.begin(), points.end(), random);
    }
    return points;
}

std::string TerrainTrackFile() {
    const std::string path = std::string(PELORIN_BENCH_DATA) + "/terrain-track.plt";
    if (std::filesystem::exists(path)) {
        return path;
    }
    std::filesystem::create_directories(PELORIN_BENCH_DATA);
    const std::string partial = path + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    std::fputs(
        "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\n"
        "Reserved 3\r\n0,2,255,Terrain,0,0,2,8421376\r\n0\r\n",
        out);
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 15.0);  // feet
    double wander = 0.0;                                // feet
    for (const TrackPoint& point : TerrainTrack(false)) {
        wander = 0.99 * wander + noise(random);
        const double feet = 3900.0 + 2900.0 * std::sin(point.latitude * 7.0) + wander;
        std::fprintf(out, "%.7f,%.7f,0,%.1f,%.8f\r\n", point.latitude, point.longitude, feet,
                     point.time);
    }
    std::fclose(out);
    std::filesystem::rename(partial, path);
    return path;
}
