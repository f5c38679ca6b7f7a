// Joining, analysis and statistics of a million-point track, against a bare pass that only
// sums the planar distances of its segments.

#include <chrono>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "analysis/ChannelStatistics.h"
#include "analysis/Geometry.h"
#include "analysis/Joining.h"
#include "analysis/Statistics.h"

namespace {

constexpr std::size_t kMillion = 1000000;

const std::vector<std::size_t> kAllRows{0};

void BM_BareDistancePass(benchmark::State& state) {
    const GrowArray<TrackPoint>& points = MillionPointSections()[0].points;
    for (auto _ : state) {
        double sum = 0.0;
        for (std::size_t i = 1; i < points.GetSize(); ++i) {
            sum += Distance2D(points[i - 1], points[i]);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BareDistancePass)->Unit(benchmark::kMillisecond);

void BM_JoinAndAnalyzeAuto(benchmark::State& state) {
    const TrackSectionList& sections = MillionPointSections();
    TrackSection track;
    for (auto _ : state) {
        JoinSections(sections, kAllRows, AnalysisSettings::FromKmh(ConnectAuto, 15.0, 1.8), track);
        benchmark::DoNotOptimize(track.points.GetData());
    }
}
BENCHMARK(BM_JoinAndAnalyzeAuto)->Unit(benchmark::kMillisecond);

void BM_ComputeStatistics(benchmark::State& state) {
    TrackSection track;
    JoinSections(MillionPointSections(), kAllRows,
                 AnalysisSettings::FromKmh(ConnectAuto, 15.0, 1.8), track);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeStatistics(track));
    }
}
BENCHMARK(BM_ComputeStatistics)->Unit(benchmark::kMillisecond);

/// The figures of the realistic recording, without channels and with a sample of four channels
/// at every point (their figures taken in the same pass); channels_ratio: with over without.
void BM_ChannelFigures(benchmark::State& state) {
    TrackSection plain;
    CopyPoints(RealisticProfile(), plain);
    TrackSection rich;
    CopyPoints(RealisticProfile(), rich);
    const std::size_t count = rich.points.GetSize();
    for (const Channel channel : kChannels) {
        GrowArray<double>& values = rich.channels.Add(channel, count);
        for (std::size_t i = 0; i < count; ++i) {
            values[i] = static_cast<double>(60 + (i * 7 + static_cast<std::size_t>(channel)) % 90);
        }
    }
    double without = 0.0;
    double with = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ComputeStatistics(plain));
        const auto middle = std::chrono::steady_clock::now();
        ChannelStatistics channels;
        benchmark::DoNotOptimize(ComputeStatistics(rich, channels));
        const auto end = std::chrono::steady_clock::now();
        without += std::chrono::duration<double, std::milli>(middle - start).count();
        with += std::chrono::duration<double, std::milli>(end - middle).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["figures_ms"] = without / n;
    state.counters["with_channels_ms"] = with / n;
    state.counters["channels_ratio"] = with / without;
}
BENCHMARK(BM_ChannelFigures)->Unit(benchmark::kMillisecond);

}  // namespace
