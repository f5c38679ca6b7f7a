// Drawing the profile of a million-point track with QPainter, as the window does.

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "qt/ProfileImage.h"

namespace {

// Arguments: plot over distance (1) or time (0); smooth (0) or realistic (1) track.
void BM_RenderProfileImage(benchmark::State& state) {
    const TrackSection& track = ProfileOf(state.range(1));
    const bool overDistance = state.range(0) != 0;
    for (auto _ : state) {
        const QImage image = RenderProfileImage(track.points.GetData(), track.points.GetSize(),
                                                overDistance, QSize(856, 169));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderProfileImage)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
