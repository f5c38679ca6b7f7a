// Drawing the profile of a million-point track with QPainter, as the window does.

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "ui/QtPlotCanvas.h"

namespace {

void BM_RenderProfileImage(benchmark::State& state) {
    const TrackSection& track = MillionPointProfile();
    const bool overDistance = state.range(0) != 0;
    for (auto _ : state) {
        const QImage image = RenderProfileImage(track.points.GetData(), track.points.GetSize(),
                                                overDistance, QSize(856, 169));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderProfileImage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
