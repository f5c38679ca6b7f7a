// The map of a million-point track: the points kept per zoom level, and frames of panning and
// zooming drawn with the tiles already decoded in memory, as the window draws them.

#include <algorithm>
#include <chrono>
#include <cmath>

#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "map/MapTrack.h"
#include "tiles/MapRenderer.h"
#include "tiles/MapTrackLayer.h"
#include "tiles/TileSource.h"

namespace {

constexpr int kWidth = 1280;  // pixels of the map in a large window
constexpr int kHeight = 800;
constexpr std::size_t kStepPoints = 10000;  // points of the track drawn with one frame

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

/// Decoded tiles of one colour each, made once per tile as a memory cache holds them.
class TileMemory {
public:
    QImage Tile(const TileId& id) {
        QImage& image = m_tiles[TileKey(id)];
        if (image.isNull()) {
            image = QImage(256, 256, QImage::Format_RGB32);
            image.fill(qRgb(200 + id.x % 40, 220 + id.y % 30, 190));
        }
        return image;
    }

private:
    QHash<quint64, QImage> m_tiles;
};

const TrackSection& Track(long long which) {
    return ProfileOf(which);
}

/// The view fitted to the track, zoomed in by the given steps around its centre.
MapView ViewOf(MapTrack& track, double zoomIn) {
    MapView view(kWidth, kHeight);
    view.SetZoomRange(0.0, 19.0);
    view.FitTo(*track.Box());
    view.SetZoom(view.Zoom() + zoomIn);
    return view;
}

// Arguments: the level, smooth (0) or realistic (1) track.
void BM_MapSimplifyLevel(benchmark::State& state) {
    const TrackSection& track = Track(state.range(1));
    std::size_t kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MapTrack map(track.points.GetData(), track.points.GetSize());
        state.ResumeTiming();
        kept = map.LevelCount(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept_points"] = static_cast<double>(kept);
}
BENCHMARK(BM_MapSimplifyLevel)
    ->ArgsProduct({{10, 13, 15, 17}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

MapScene SceneOf(MapView& view, MapTrack& map, TileMemory& tiles, const MapTrackLayer* layer) {
    return {&view,
            &map,
            [&tiles](const TileId& id) { return tiles.Tile(id); },
            QStringLiteral("© OpenStreetMap contributors"),
            std::nullopt,
            layer};
}

// The track drawn for a zoom once the zoom rests, in steps of kStepPoints between frames as
// the window draws it: the whole drawing, and its longest step. Arguments: steps zoomed in
// from the fitted view, smooth (0) or realistic (1) track.
void BM_MapTrackLayer(benchmark::State& state) {
    const TrackSection& track = Track(state.range(1));
    MapTrack map(track.points.GetData(), track.points.GetSize());
    const MapView view = ViewOf(map, static_cast<double>(state.range(0)));
    map.Level(MapTrack::LevelFor(view.Scale()));
    MapTrackLayer layer;
    double longest = 0.0;
    for (auto _ : state) {
        layer.Begin(map, view);
        for (bool done = false; !done;) {
            const auto start = std::chrono::steady_clock::now();
            done = layer.Step(kStepPoints);
            longest = std::max(longest, MillisecondsSince(start));
        }
    }
    state.counters["level_points"] =
        static_cast<double>(map.LevelCount(MapTrack::LevelFor(view.Scale())));
    state.counters["longest_step_ms"] = longest;
}
BENCHMARK(BM_MapTrackLayer)->ArgsProduct({{0, 3, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

// The whole picture with the track drawn into it, as pelorin-cli --map draws it.
void BM_MapDirectPicture(benchmark::State& state) {
    const TrackSection& track = Track(state.range(1));
    MapTrack map(track.points.GetData(), track.points.GetSize());
    MapView view = ViewOf(map, static_cast<double>(state.range(0)));
    map.Level(MapTrack::LevelFor(view.Scale()));
    TileMemory tiles;
    const MapScene scene = SceneOf(view, map, tiles, nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenderMap(scene).constBits());
    }
}
BENCHMARK(BM_MapDirectPicture)->ArgsProduct({{0, 3, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

// Every level, as a user who zooms from the whole world to the street keeps them: the time
// and the memory their lists take. Argument: smooth (0) or realistic (1) track.
void BM_MapAllLevels(benchmark::State& state) {
    const TrackSection& track = Track(state.range(0));
    std::size_t copied = 0;
    for (auto _ : state) {
        MapTrack map(track.points.GetData(), track.points.GetSize());
        copied = 0;
        for (int level = 0; level <= 19; ++level) {
            const MapTrackLevel& kept = map.Level(level);
            copied += kept.source.size();
        }
    }
    state.counters["kept_points"] = static_cast<double>(copied);
    state.counters["kept_MB"] = static_cast<double>(copied * sizeof(std::uint32_t)) / 1e6;
}
BENCHMARK(BM_MapAllLevels)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A frame of a drag: the view moved by 7 pixels and drawn with tiles, the layer, scale bar
// and attribution. Where the view leaves the layer, the layer is drawn anew in steps, one
// step with each frame, the old one serving meanwhile. Arguments as above.
void BM_MapPanFrame(benchmark::State& state) {
    const TrackSection& track = Track(state.range(1));
    MapTrack map(track.points.GetData(), track.points.GetSize());
    MapView view = ViewOf(map, static_cast<double>(state.range(0)));
    TileMemory tiles;
    MapTrackLayer layer;
    layer.Draw(map, view);
    const MapScene scene = SceneOf(view, map, tiles, &layer);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    int step = 0;
    double longest = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double sign = (step++ / 100) % 2 == 0 ? 1.0 : -1.0;
        view.Pan(7.0 * sign, 3.0 * sign);
        if (!layer.Covers(view) && !layer.IsDrawing()) {
            layer.Begin(map, view);
        }
        layer.Step(kStepPoints);
        QPainter painter(&image);
        PaintMap(painter, scene);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        longest = std::max(longest, MillisecondsSince(start));
    }
    state.counters["longest_frame_ms"] = longest;
}
BENCHMARK(BM_MapPanFrame)
    ->ArgsProduct({{0, 3, 6}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// A frame of wheel zooming, a quarter step in or out about a point off the centre: the tiles
// and the layer of the zoom the wheel started at, scaled. Arguments as above.
void BM_MapZoomFrame(benchmark::State& state) {
    const TrackSection& track = Track(state.range(1));
    MapTrack map(track.points.GetData(), track.points.GetSize());
    MapView view = ViewOf(map, static_cast<double>(state.range(0)));
    TileMemory tiles;
    MapTrackLayer layer;
    layer.Draw(map, view);
    const MapScene scene = SceneOf(view, map, tiles, &layer);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    int step = 0;
    double longest = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        view.ZoomAround(500.0, 300.0, step++ % 8 < 4 ? 0.25 : -0.25);
        QPainter painter(&image);
        PaintMap(painter, scene);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        longest = std::max(longest, MillisecondsSince(start));
    }
    state.counters["longest_frame_ms"] = longest;
}
BENCHMARK(BM_MapZoomFrame)
    ->ArgsProduct({{0, 3, 6}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The track point under the mouse, within 10 pixels, on the fitted view and zoomed in.
void BM_MapNearestPoint(benchmark::State& state) {
    const TrackSection& track = Track(1);
    MapTrack map(track.points.GetData(), track.points.GetSize());
    const MapView view = ViewOf(map, static_cast<double>(state.range(0)));
    map.Level(MapTrack::LevelFor(view.Scale()));
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % kWidth;
        benchmark::DoNotOptimize(map.NearestPoint(view, x, kHeight / 2.0));
    }
}
BENCHMARK(BM_MapNearestPoint)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);  // the corner texts need fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
