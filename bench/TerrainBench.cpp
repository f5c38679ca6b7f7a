// Terrain heights of a million-point track over four 1″ tiles and of the realistic recording,
// once the tiles are open and with the opening; the opening of one tile, plain, gzip and zip; the
// index of a folder of ten thousand tiles; the peak memory of the lookups; and the whole path of
// a file read, looked up, joined with terrain heights and analysed.

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "TerrainBenchData.h"
#include "analysis/Joining.h"
#include "analysis/Statistics.h"
#include "cli/CliRun.h"
#include "dem/TerrainHeights.h"
#include "dem/TerrainModel.h"

#ifdef PELORIN_HAVE_ZLIB
#include <zlib.h>
#endif
#ifdef PELORIN_HAVE_LIBZIP
#include <zip.h>
#endif

namespace {

/// The four tiles as .hgt.gz (zip false) or N46E013 alone as .hgt.zip, written on first use.
std::string PackedTileFolder(bool zip) {
    const std::string folder =
        std::string(PELORIN_BENCH_DATA) + (zip ? "/terrain-zip" : "/terrain-gz");
    std::filesystem::create_directories(folder);
    for (const char* name : {"N46E013", "N46E014", "N47E013", "N47E014"}) {
        const std::string path = folder + "/" + name + (zip ? ".hgt.zip" : ".hgt.gz");
        if (std::filesystem::exists(path) || (zip && name != std::string("N46E013"))) {
            continue;
        }
        const std::string bytes =
            GeneratedTileBytes(name[2] == '6' ? 46 : 47, name[6] == '3' ? 13 : 14);
        const std::string partial = path + ".part";
        if (zip) {
#ifdef PELORIN_HAVE_LIBZIP
            int error = 0;
            zip_t* archive = zip_open(partial.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
            zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
            zip_file_add(archive, (std::string(name) + ".hgt").c_str(), source, 0);
            zip_close(archive);
#endif
        } else {
#ifdef PELORIN_HAVE_ZLIB
            gzFile out = gzopen(partial.c_str(), "wb6");
            gzwrite(out, bytes.data(), static_cast<unsigned>(bytes.size()));
            gzclose(out);
#endif
        }
        std::filesystem::rename(partial, path);
    }
    return folder;
}

const std::vector<TrackPoint>& Track(long long shuffled) {
    static const std::vector<TrackPoint> inOrder = TerrainTrack(false);
    static const std::vector<TrackPoint> jumping = TerrainTrack(true);
    return shuffled != 0 ? jumping : inOrder;
}

/// Argument: the loops in their order (0), shuffled so that nearly every point changes tile
/// (1), or the realistic recording (2), which crosses two tiles.
void BM_TerrainHeights(benchmark::State& state) {
    const long long which = state.range(0);
    const TrackPoint* points =
        which == 2 ? RealisticProfile().points.GetData() : Track(which).data();
    const std::size_t count =
        which == 2 ? RealisticProfile().points.GetSize() : Track(which).size();
    TerrainModel model(TerrainTileFolder());
    std::vector<double> heights(count);
    std::vector<std::string> messages;
    model.HeightsOf(points, count, heights.data(), messages);  // opens the tiles
    for (auto _ : state) {
        model.HeightsOf(points, count, heights.data(), messages);
        benchmark::DoNotOptimize(heights.data());
    }
    state.counters["ns_per_point"] =
        benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate
                                                           | benchmark::Counter::kInvert);
    state.counters["points"] = static_cast<double>(count);
    state.counters["messages"] = static_cast<double>(messages.size());
}
BENCHMARK(BM_TerrainHeights)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

/// The same with a new model each time: the index, the four tiles mapped and their pages read
/// from the system's file cache.
void BM_TerrainHeightsWithOpening(benchmark::State& state) {
    const std::vector<TrackPoint>& points = Track(0);
    const std::string folder = TerrainTileFolder();
    std::vector<double> heights(points.size());
    for (auto _ : state) {
        TerrainModel model(folder);
        std::vector<std::string> messages;
        model.HeightsOf(points.data(), points.size(), heights.data(), messages);
        benchmark::DoNotOptimize(heights.data());
    }
}
BENCHMARK(BM_TerrainHeightsWithOpening)->Unit(benchmark::kMillisecond);

/// One tile opened and one height read: plain (0), gzip (1), zip (2).
void BM_OpenTile(benchmark::State& state) {
    const long long packing = state.range(0);
    const std::string folder = packing == 0 ? TerrainTileFolder() : PackedTileFolder(packing == 2);
    std::size_t failed = 0;
    for (auto _ : state) {
        TerrainModel model(folder);
        std::vector<std::string> messages;
        failed += model.HeightAt(46.5, 13.5, messages) ? 0 : 1;
    }
    state.counters["failed"] = static_cast<double>(failed);
}
BENCHMARK(BM_OpenTile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

/// Indexing a folder of ten thousand tile files, which are never opened (they are empty).
void BM_IndexTileFolder(benchmark::State& state) {
    const std::string folder = std::string(PELORIN_BENCH_DATA) + "/terrain-index";
    if (!std::filesystem::exists(folder + "/done")) {
        std::filesystem::create_directories(folder);
        for (int i = 0; i < 10000; ++i) {
            const int south = i / 360 - 14;
            const int west = i % 360 - 180;
            char name[32];
            std::snprintf(name, sizeof name, "%c%02d%c%03d.hgt", south < 0 ? 'S' : 'N',
                          std::abs(south), west < 0 ? 'W' : 'E', std::abs(west));
            std::ofstream(folder + "/" + name);
        }
        std::ofstream(folder + "/done");
    }
    for (auto _ : state) {
        TerrainModel model(folder);
        benchmark::DoNotOptimize(&model);
    }
    state.counters["files"] = 10000;
}
BENCHMARK(BM_IndexTileFolder)->Unit(benchmark::kMillisecond);

/// Peak memory of a process that makes the track, and of one that also looks up its heights in
/// the plain tiles and in the gzip ones; the difference is what the terrain takes. A process that
/// unpacks one gzip tile for one point tells what each further tile adds.
void BM_TerrainPeakMemory(benchmark::State& state) {
    TerrainTileFolder();
    PackedTileFolder(false);
    long points = 0;
    long plain = 0;
    long gzip = 0;
    long gzipOne = 0;
    for (auto _ : state) {
        points = PeakMemoryOf(PELORIN_TERRAIN_PEAK, "points");
        plain = PeakMemoryOf(PELORIN_TERRAIN_PEAK, "plain");
        gzip = PeakMemoryOf(PELORIN_TERRAIN_PEAK, "gzip");
        gzipOne = PeakMemoryOf(PELORIN_TERRAIN_PEAK, "gzip-one");
    }
    state.counters["track_MB"] = static_cast<double>(points) / 1e6;
    state.counters["plain_terrain_MB"] = static_cast<double>(plain - points) / 1e6;
    state.counters["gzip_terrain_MB"] = static_cast<double>(gzip - points) / 1e6;
    state.counters["gzip_per_tile_MB"] = static_cast<double>(gzip - gzipOne) / 3e6;
    state.counters["tile_limit_MB"] = 26.0;
}
BENCHMARK(BM_TerrainPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

/// The whole path of a file with terrain heights: read, look up, join with the chosen heights,
/// analyse. Argument: the recorded heights without a terrain folder (0); the terrain heights
/// looked up with the recorded ones chosen (1), or the terrain's (2). The tiles are open
/// before the timing; lookup_ms is the time of the lookups alone.
void BM_TerrainPipeline(benchmark::State& state) {
    const long long which = state.range(0);
    const std::string path = TerrainTrackFile();
    TerrainModel model(TerrainTileFolder());
    std::vector<std::string> messages;
    {
        TrackSectionList sections;
        sections.LoadTrackFile(path);
        AddTerrainHeights(model, sections, 0, messages);  // opens the tiles
    }
    AnalysisSettings settings;
    settings.elevation = which == 2 ? ElevationSource::Terrain : ElevationSource::Recorded;
    const std::vector<std::size_t> rows = {0};
    double lookupMs = 0.0;
    for (auto _ : state) {
        TrackSectionList sections;
        sections.LoadTrackFile(path);
        const Clocks start;
        if (which != 0) {
            AddTerrainHeights(model, sections, 0, messages);
        }
        lookupMs += Clocks().WallSince(start);
        TrackSection track;
        JoinSections(std::move(sections), rows, settings, track);
        benchmark::DoNotOptimize(ComputeStatistics(track).totalAscent);
    }
    state.counters["lookup_ms"] = lookupMs / static_cast<double>(state.iterations());
    state.counters["messages"] = static_cast<double>(messages.size());
}
BENCHMARK(BM_TerrainPipeline)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

/// pelorin-cli --format json on that file: without a terrain folder (0); with --dem and
/// --elevation terrain (1); with --dem and the recorded heights (2), where the terrain's
/// figures take an analysis of their own. The folder is indexed and the tiles opened in each
/// run.
void BM_TerrainCliJson(benchmark::State& state) {
    std::vector<std::string> args = {"--format", "json", TerrainTrackFile()};
    if (state.range(0) != 0) {
        args.insert(args.begin(), {"--dem", TerrainTileFolder(), "--elevation",
                                   state.range(0) == 1 ? "terrain" : "recorded"});
    }
    std::string error;
    const CliOptions options = *ParseCliOptions(args, error);
    for (auto _ : state) {
        std::string out;
        std::string err;
        benchmark::DoNotOptimize(RunCli(options, CliHooks{}, out, err));
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_TerrainCliJson)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
