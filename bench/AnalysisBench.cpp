// Joining, analysis and statistics of a million-point track, against a bare pass that only
// sums the planar distances of its segments.

#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
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

}  // namespace
