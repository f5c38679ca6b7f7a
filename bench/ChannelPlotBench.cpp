// The profile window's second plot of the realistic million-point recording, drawn with
// QPainter as the window draws it on a change of zoom, size or series, beside the SVG of it.
//
//   build/bench/pelorin_gui_bench --benchmark_filter="ChannelPicture|PointSpeeds"

#include <cmath>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "plot/ChannelPicture.h"
#include "plot/ChannelSeries.h"
#include "plot/SvgCanvas.h"
#include "qt/ChannelImage.h"

namespace {

constexpr int kWidth = 950;   // the profile's width in the window, in pixels
constexpr int kHeight = 230;  // the second plot's height

/// The realistic recording with what the window keeps of it, and a heart rate made up for it:
/// a slow swing with jitter, a few samples missing now and then.
struct ChannelTrack {
    const TrackSection& track = RealisticProfile();
    TrackBreaks breaks{track.points.GetData(), track.points.GetSize()};
    ProfileAxis axis{track.points.GetData(), track.points.GetSize(), breaks, true};
    ProfilePoints packed{track.points.GetData(), track.points.GetSize()};
    std::vector<double> heartRate = [this] {
        std::vector<double> values(track.points.GetSize());
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = i % 5000 < 20 ? NAN
                                      : 130.0 + 25.0 * std::sin(static_cast<double>(i) / 900.0)
                                            + static_cast<double>(i * 7919 % 11);
        }
        return values;
    }();
    std::vector<double> speeds =
        PointSpeeds(track.points.GetData(), track.points.GetSize(), UnitSystem::Metric);

    ProfileView View(bool zoomed) const {
        ProfileZoom zoom = WholeZoom(axis);
        if (zoomed) {  // the middle tenth
            const double span = axis.Last() - axis.First();
            zoom.ZoomTo(axis.First() + 0.45 * span, axis.First() + 0.55 * span);
        }
        return {track.points.GetData(), track.points.GetSize(), &axis, &packed, zoom, {}};
    }
    const double* Values(long long series) const {
        return series == 0 ? speeds.data() : heartRate.data();
    }
};

const ChannelTrack& Track() {
    static const ChannelTrack track;
    return track;
}

// Arguments: speed (0) or heart rate (1); the whole track (0) or its middle tenth (1).
void BM_ChannelPictureQt(benchmark::State& state) {
    const ChannelTrack& track = Track();
    const ProfileView view = track.View(state.range(1) != 0);
    const ChannelPlot plot{track.Values(state.range(0)), "Heart Rate (bpm)", kHeight};
    // The profile's parts, which the window works out for the profile anyway.
    const ProfilePictureParts profile = ProfilePictureOf(view, kWidth, 2 * kHeight);
    for (auto _ : state) {
        const ProfilePictureParts parts = ChannelPictureOf(profile, plot);
        const QImage image = DrawChannelPicture(parts, view, plot.values, QSize(kWidth, kHeight));
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = static_cast<double>(view.count);
    state.counters["limit_ms"] = 50;
}
BENCHMARK(BM_ChannelPictureQt)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// The same into the SVG of Save Picture.
void BM_ChannelPictureSvg(benchmark::State& state) {
    const ChannelTrack& track = Track();
    const ProfileView view = track.View(false);
    const ChannelPlot plot{track.Values(state.range(0)), "Heart Rate (bpm)", kHeight};
    const ProfilePictureParts profile = ProfilePictureOf(view, kWidth, 2 * kHeight);
    for (auto _ : state) {
        SvgCanvas canvas(kWidth, kHeight);
        AddChannelPicture(canvas, view, {}, profile, plot);
        benchmark::DoNotOptimize(canvas.Finish());
    }
}
BENCHMARK(BM_ChannelPictureSvg)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The speeds of every point, worked out once a track or the units change.
void BM_PointSpeeds(benchmark::State& state) {
    const TrackSection& track = Track().track;
    for (auto _ : state) {
        const std::vector<double> speeds =
            PointSpeeds(track.points.GetData(), track.points.GetSize(), UnitSystem::Imperial);
        benchmark::DoNotOptimize(speeds.data());
    }
}
BENCHMARK(BM_PointSpeeds)->Unit(benchmark::kMillisecond);

}  // namespace
