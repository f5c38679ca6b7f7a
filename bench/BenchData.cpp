#include "BenchData.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "analysis/Joining.h"
#include "track/FitInput.h"

std::string GeneratedTrackFile(std::size_t pointCount, std::size_t breakEvery) {
    std::filesystem::create_directories(PELORIN_BENCH_DATA);
    const std::string path = std::string(PELORIN_BENCH_DATA) + "/track-"
                             + std::to_string(pointCount) + "-" + std::to_string(breakEvery)
                             + ".plt";
    if (std::filesystem::exists(path)) {
        return path;
    }
    const std::string partial = path + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    std::fputs(
        "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\n"
        "Reserved 3\r\n0,2,255,Generated,0,0,2,8421376\r\n0\r\n",
        out);
    // A walk on a wandering heading over rolling hills, one fix a second, with pauses.
    double latitude = 46.5;
    double longitude = 8.0;
    double time = 45000.25;
    for (std::size_t i = 0; i < pointCount; ++i) {
        const double t = static_cast<double>(i);
        const bool paused = (i / 600) % 7 == 6;
        if (!paused) {
            latitude += 1.1e-5 * std::cos(t / 900.0);
            longitude += 1.4e-5 * std::sin(t / 1300.0);
        }
        const double feet = 3000.0 + 1500.0 * std::sin(t / 4000.0) + 40.0 * std::sin(t / 97.0);
        time += 1.0 / 86400.0;
        const int flag = breakEvery != 0 && i % breakEvery == 0 ? 1 : 0;
        std::fprintf(out, "%10.6f,%11.6f,%d,%7.1f,%.7f,15-Jul-23,06:42:15\r\n", latitude, longitude,
                     flag, feet, time);
    }
    std::fclose(out);
    std::filesystem::rename(partial, path);
    return path;
}

std::string GeneratedGpxFile(std::size_t pointCount, bool channels) {
    std::filesystem::create_directories(PELORIN_BENCH_DATA);
    const std::string path = std::string(PELORIN_BENCH_DATA) + "/track-"
                             + std::to_string(pointCount) + (channels ? "-channels" : "") + ".gpx";
    if (std::filesystem::exists(path)) {
        return path;
    }
    const std::string partial = path + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    std::fputs(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"Pelorin\" "
        "xmlns=\"http://www.topografix.com/GPX/1/1\">\n <trk>\n  <name>Generated</name>\n"
        "  <trkseg>\n",
        out);
    // The same walk as the .plt track: one fix a second from 2023-07-15T06:00:00Z.
    double latitude = 46.5;
    double longitude = 8.0;
    const long start = 1689400800;
    for (std::size_t i = 0; i < pointCount; ++i) {
        const double t = static_cast<double>(i);
        if ((i / 600) % 7 != 6) {
            latitude += 1.1e-5 * std::cos(t / 900.0);
            longitude += 1.4e-5 * std::sin(t / 1300.0);
        }
        const double metres = 914.4 + 457.2 * std::sin(t / 4000.0) + 12.2 * std::sin(t / 97.0);
        const std::time_t when = static_cast<std::time_t>(start + static_cast<long>(i));
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&when));
        std::fprintf(out, "   <trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele><time>%s</time>",
                     latitude, longitude, metres, stamp);
        if (channels) {
            // Garmin's track point extension v2 and a power extension, as bike computers write.
            std::fprintf(out,
                         "<extensions><gpxtpx:TrackPointExtension><gpxtpx:atemp>%.1f</gpxtpx:atemp>"
                         "<gpxtpx:hr>%d</gpxtpx:hr><gpxtpx:cad>%d</gpxtpx:cad>"
                         "</gpxtpx:TrackPointExtension><gpxpx:PowerExtension><gpxpx:PowerInWatts>"
                         "%d</gpxpx:PowerInWatts></gpxpx:PowerExtension></extensions>",
                         18.0 + 4.0 * std::sin(t / 5000.0), 120 + static_cast<int>(i % 50),
                         static_cast<int>(i % 97), 150 + static_cast<int>(i % 211));
        }
        std::fputs("</trkpt>\n", out);
    }
    std::fputs("  </trkseg>\n </trk>\n</gpx>\n", out);
    std::fclose(out);
    std::filesystem::rename(partial, path);
    return path;
}

namespace {

/// Appends value as count little-endian bytes.
void AppendLittleEndian(std::string& bytes, uint64_t value, int count) {
    for (int k = 0; k < count; ++k) {
        bytes += static_cast<char>(value >> (8 * k));
    }
}

/// A FIT definition of the local type: global message number, then each field as number,
/// size and base type.
void AppendDefinition(std::string& bytes, int local, int global,
                      std::initializer_list<std::array<int, 3>> fields) {
    bytes += {static_cast<char>(0x40 | local), 0, 0};
    AppendLittleEndian(bytes, static_cast<uint64_t>(global), 2);
    bytes += static_cast<char>(fields.size());
    for (const std::array<int, 3>& field : fields) {
        bytes +=
            {static_cast<char>(field[0]), static_cast<char>(field[1]), static_cast<char>(field[2])};
    }
}

}  // namespace

std::string GeneratedFitFile(std::size_t recordCount) {
    std::filesystem::create_directories(PELORIN_BENCH_DATA);
    const std::string path =
        std::string(PELORIN_BENCH_DATA) + "/activity-" + std::to_string(recordCount) + ".fit";
    if (std::filesystem::exists(path)) {
        return path;
    }
    std::string data;
    AppendDefinition(data, 0, 0, {{0, 1, 0x00}, {1, 2, 0x84}, {4, 4, 0x86}});  // file_id
    data += '\0';
    data += {4, 1, 0};  // an activity by manufacturer 1
    AppendLittleEndian(data, 1060000000, 4);
    AppendDefinition(
        data, 1, 20,
        {{253, 4, 0x86}, {0, 4, 0x85}, {1, 4, 0x85}, {2, 2, 0x84}, {3, 1, 0x02}, {4, 1, 0x02}});
    AppendDefinition(data, 2, 19, {{253, 4, 0x86}, {2, 4, 0x86}});
    // The walk of the other generated files in semicircles, one record a second.
    double latitude = 46.5;
    double longitude = 8.0;
    const uint64_t start = 1060000000;  // 2023-08-03 in seconds since 1989-12-31
    for (std::size_t i = 0; i < recordCount; ++i) {
        const double t = static_cast<double>(i);
        if ((i / 600) % 7 != 6) {
            latitude += 1.1e-5 * std::cos(t / 900.0);
            longitude += 1.4e-5 * std::sin(t / 1300.0);
        }
        const double metres = 914.4 + 457.2 * std::sin(t / 4000.0) + 12.2 * std::sin(t / 97.0);
        data += '\1';
        AppendLittleEndian(data, start + i, 4);
        AppendLittleEndian(data,
                           static_cast<uint64_t>(std::lround(latitude / 180.0 * 2147483648.0)), 4);
        AppendLittleEndian(data,
                           static_cast<uint64_t>(std::lround(longitude / 180.0 * 2147483648.0)), 4);
        AppendLittleEndian(data, static_cast<uint64_t>(std::lround((metres + 500.0) * 5.0)), 2);
        AppendLittleEndian(data, 120 + i % 40, 1);
        AppendLittleEndian(data, 80 + i % 15, 1);
        if ((i + 1) % 1000 == 0 || i + 1 == recordCount) {
            data += '\2';  // the lap ends: its time, then its start
            AppendLittleEndian(data, start + i, 4);
            AppendLittleEndian(data, start + i / 1000 * 1000, 4);
        }
    }
    std::string file = {14, 0x20, 0x54, 0x08};
    AppendLittleEndian(file, data.size(), 4);
    file += ".FIT";
    AppendLittleEndian(file, FitCrc(0, reinterpret_cast<const unsigned char*>(file.data()), 12), 2);
    file += data;
    AppendLittleEndian(
        file, FitCrc(0, reinterpret_cast<const unsigned char*>(file.data()), file.size()), 2);
    const std::string partial = path + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    std::filesystem::rename(partial, path);
    return path;
}

long PeakMemoryOf(const std::string& program, const std::string& argument) {
    const std::string command = "'" + program + "' '" + argument + "'";
    std::FILE* output = popen(command.c_str(), "r");
    long bytes = -1;
    if (output != nullptr) {
        if (std::fscanf(output, "%ld", &bytes) != 1) {
            bytes = -1;
        }
        pclose(output);
    }
    return bytes;
}

const TrackSectionList& MillionPointSections() {
    static const TrackSectionList sections = [] {
        TrackSectionList list;
        list.LoadTrackFile(GeneratedTrackFile(1000000));
        return list;
    }();
    return sections;
}

const TrackSection& MillionPointProfile() {
    static const TrackSection track = [] {
        TrackSectionList sections;
        sections.LoadTrackFile(GeneratedTrackFile(1000000, 100000));
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < sections.GetSize(); ++i) {
            rows.push_back(i);
        }
        TrackSection joined;
        JoinSections(sections, rows, AnalysisSettings::FromKmh(ConnectNone, 15.0, 1.8), joined);
        return joined;
    }();
    return track;
}

std::string RealisticTrackFile() {
    std::filesystem::create_directories(PELORIN_BENCH_DATA);
    const std::string path = std::string(PELORIN_BENCH_DATA) + "/realistic-1000000.plt";
    if (!std::filesystem::exists(path)) {
        const std::string partial = path + ".part";
        const std::string command = std::string("python3 '") + PELORIN_REALISTIC_GENERATOR
                                    + "' --points 1000000 -o '" + partial + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cannot run %s\n", PELORIN_REALISTIC_GENERATOR);
            std::exit(1);
        }
        std::filesystem::rename(partial, path);
    }
    return path;
}

const TrackSection& RealisticProfile() {
    static const TrackSection track = [] {
        TrackSectionList sections;
        sections.LoadTrackFile(RealisticTrackFile());
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < sections.GetSize(); ++i) {
            rows.push_back(i);
        }
        TrackSection joined;
        JoinSections(sections, rows, AnalysisSettings::FromKmh(ConnectAuto, 15.0, 1.8), joined);
        return joined;
    }();
    return track;
}

const TrackSection& ProfileOf(long long which) {
    return which == 0 ? MillionPointProfile() : RealisticProfile();
}
