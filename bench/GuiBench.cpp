// The window on a million-point track, on the offscreen platform: from the end of the Open
// dialog to the statistics and the plot shown, and repaints of the plot.
//
//   build/bench/pelorin_gui_bench

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"

namespace {

constexpr std::size_t kMillion = 1000000;

/// The window, with the Open dialog answering at once with the million-point file and the
/// moment it answered noted.
struct Window {
    Window() {
        PlatformHooks hooks;
        hooks.chooseTrackFile = [this](QWidget*) {
            dialogClosed.start();
            return QString::fromStdString(path);
        };
        SetPlatformHooks(hooks);
        dlg.Create();
        dlg.show();
    }

    /// Loads the file; the time from the Open dialog to the statistics and the plot shown.
    double Load() {
        QSignalSpy recomputed(&dlg, &CAnalyzerDlg::TrackRecomputed);
        dlg.OnLoadTrack();
        recomputed.wait(10000);
        dlg.m_plot.repaint();
        QCoreApplication::processEvents();
        return static_cast<double>(dialogClosed.nsecsElapsed()) / 1e9;
    }

    std::string path = GeneratedTrackFile(kMillion);
    QElapsedTimer dialogClosed;
    CAnalyzerDlg dlg;
};

std::unique_ptr<Window> g_loaded;  // gone before the application object

Window& LoadedWindow() {
    if (!g_loaded) {
        g_loaded = std::make_unique<Window>();
        g_loaded->Load();
    }
    return *g_loaded;
}

void BM_LoadToShown(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        state.SetIterationTime(window.Load());
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double pointBytes = 56.0 * kMillion;
    const double fileBytes = static_cast<double>(std::filesystem::file_size(window.path));
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) * 1024 / 1e6;
    state.counters["limit_MB"] = (4 * pointBytes + fileBytes) / 1e6;
}
BENCHMARK(BM_LoadToShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

/// An expose of the unchanged plot.
void BM_RepaintUnchanged(benchmark::State& state) {
    CProfilePlot& plot = LoadedWindow().dlg.m_plot;
    for (auto _ : state) {
        plot.repaint();
    }
}
BENCHMARK(BM_RepaintUnchanged)->Unit(benchmark::kMillisecond);

/// The plot mode switched back and forth, each switch repainting.
void BM_RepaintAfterModeChange(benchmark::State& state) {
    CProfilePlot& plot = LoadedWindow().dlg.m_plot;
    for (auto _ : state) {
        plot.m_overDistance = plot.m_overDistance != 0 ? 0 : 1;
        plot.repaint();
    }
    plot.m_overDistance = 1;
}
BENCHMARK(BM_RepaintAfterModeChange)->Unit(benchmark::kMillisecond);

/// The plot resized by a pixel back and forth, each size repainting.
void BM_RepaintAfterResize(benchmark::State& state) {
    CProfilePlot& plot = LoadedWindow().dlg.m_plot;
    const QSize size = plot.size();
    int step = 0;
    for (auto _ : state) {
        plot.resize(size.width() - (++step % 2), size.height());
        plot.repaint();
    }
    plot.resize(size);
}
BENCHMARK(BM_RepaintAfterResize)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_loaded.reset();
    return 0;
}
