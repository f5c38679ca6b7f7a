// Drawing and writing the profile of a million-point track, and the whole command-line json
// run against reading the same file alone.

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "plot/ElevationLines.h"
#include "plot/ProfileAxes.h"
#include "plot/ProfileDrawing.h"
#include "plot/ProfileReadout.h"
#include "plot/RepeatSkippingCanvas.h"
#include "plot/SvgCanvas.h"

namespace {

constexpr std::size_t kMillion = 1000000;
constexpr PlotRect kPlotItem{0, 0, 856, 169};  // the window's plot, in pixels

/// A canvas that only counts what it is asked to do.
class CountingCanvas : public PlotCanvas {
public:
    void SelectPen(PlotPen) override { ++pens; }
    void MoveTo(int x, int y) override {
        ++moves;
        m_position = {x, y};
    }
    void LineTo(int x, int y) override {
        ++lines;
        m_position = {x, y};
    }
    PlotPoint GetCurrentPosition() const override { return m_position; }

    std::size_t pens = 0;
    std::size_t moves = 0;
    std::size_t lines = 0;

private:
    PlotPoint m_position;
};

// Arguments: plot over distance (1) or time (0); smooth (0) or realistic (1) track.
void BM_DrawProfileCounting(benchmark::State& state) {
    const TrackSection& track = ProfileOf(state.range(1));
    const bool overDistance = state.range(0) != 0;
    CountingCanvas canvas;
    for (auto _ : state) {
        DrawProfile(canvas, track.points.GetData(), track.points.GetSize(), overDistance,
                    kPlotItem);
        benchmark::ClobberMemory();
    }
    state.counters["points"] = static_cast<double>(track.points.GetSize());
    state.counters["calls"] = static_cast<double>(canvas.pens + canvas.moves + canvas.lines)
                              / static_cast<double>(state.iterations());
    state.counters["limit_ms"] = 100;
}
BENCHMARK(BM_DrawProfileCounting)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);

/// The same walk with repeated lines left out, and how much of it still reaches the target.
void BM_DrawProfileSkipping(benchmark::State& state) {
    const TrackSection& track = ProfileOf(state.range(1));
    const bool overDistance = state.range(0) != 0;
    CountingCanvas target;
    std::size_t passed = 0;
    for (auto _ : state) {
        RepeatSkippingCanvas canvas(target);
        DrawProfile(canvas, track.points.GetData(), track.points.GetSize(), overDistance,
                    kPlotItem);
        passed = canvas.LinesPassed();
    }
    state.counters["lines_passed"] = static_cast<double>(passed);
    state.counters["pens_passed"] =
        static_cast<double>(target.pens) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawProfileSkipping)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);

/// The readout under the cursor: the point under a pixel column found by binary search over
/// the distance or time, and its texts. Arguments as above.
void BM_ReadoutLookup(benchmark::State& state) {
    const TrackSection& track = ProfileOf(state.range(1));
    const TrackPoint* points = track.points.GetData();
    const std::size_t count = track.points.GetSize();
    const ProfileMapping mapping(points, count, state.range(0) != 0, PlotRect{64, 20, 1100, 560});
    const TrackBreaks breaks(points, count);
    int x = 64;
    for (auto _ : state) {
        x = x < 1100 ? x + 1 : 64;
        const std::size_t i = PointAtPixel(points, count, mapping, x);
        benchmark::DoNotOptimize(ReadoutOf(points, count, i, ReadoutFrame{0.0, &breaks}));
    }
}
BENCHMARK(BM_ReadoutLookup)->ArgsProduct({{1, 0}, {0, 1}});

/// The terrain and recorded lines the profile window draws over the profile of the realistic
/// million-point track, over distance, at the window's size: their steps after the profile's.
void BM_DrawElevationLines(benchmark::State& state) {
    const TrackSection& track = ProfileOf(1);
    const TrackPoint* points = track.points.GetData();
    const std::size_t count = track.points.GetSize();
    std::vector<double> terrain(count);
    for (std::size_t i = 0; i < count; ++i) {
        terrain[i] = points[i].altitude + 20.0 * std::sin(static_cast<double>(i) * 1e-3);
    }
    const std::vector<double> recorded(count, 1000.0);  // metres: a level line
    const TrackBreaks breaks(points, count);
    const ProfileAxis axis(points, count, breaks, true);
    const ProfilePoints packed(points, count);
    const ProfileMapping mapping(true, PlotRect{0, 0, 900, 560}, axis.First(), axis.Last(), 0.0,
                                 4000.0);
    CountingCanvas target;
    for (auto _ : state) {
        RepeatSkippingCanvas canvas(target);
        ElevationLineSteps lines(
            {{recorded.data(), PlotPen::RecordedLine}, {terrain.data(), PlotPen::TerrainLine}},
            packed, axis.Values(), mapping, 0, count);
        while (!lines.Step(canvas, count)) {
        }
    }
    state.counters["points"] = static_cast<double>(count);
}
BENCHMARK(BM_DrawElevationLines)->Unit(benchmark::kMillisecond);

void BM_WriteProfileSvg(benchmark::State& state) {
    const TrackSection& track = MillionPointProfile();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string svg = RenderProfileSvg(track.points.GetData(), track.points.GetSize(),
                                                 true, kPlotItem.right, kPlotItem.bottom);
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["limit_ms"] = 1000;
}
BENCHMARK(BM_WriteProfileSvg)->Unit(benchmark::kMillisecond);

double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

/// Times reading the file alone and the whole json run of the tool in turn, in one process,
/// and reports both with their ratio (target: at most 1.5).
void BM_CliJsonPipelineVsRead(benchmark::State& state) {
    const std::string path = GeneratedTrackFile(kMillion);
    std::string error;
    const CliOptions options = *ParseCliOptions({"--format", "json", path}, error);
    double readMs = 0.0;
    double pipelineMs = 0.0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        {
            TrackSectionList sections;
            sections.LoadTrackFile(path);
            benchmark::DoNotOptimize(sections.GetSize());
        }
        readMs += Milliseconds(std::chrono::steady_clock::now() - start);
        start = std::chrono::steady_clock::now();
        std::string out;
        std::string err;
        benchmark::DoNotOptimize(RunCli(options, CliHooks{}, out, err));
        benchmark::DoNotOptimize(out.data());
        pipelineMs += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["read_ms"] = readMs / n;
    state.counters["pipeline_ms"] = pipelineMs / n;
    state.counters["ratio"] = pipelineMs / readMs;
}
BENCHMARK(BM_CliJsonPipelineVsRead)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
