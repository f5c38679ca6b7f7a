// The window on a million-point track, on the offscreen platform: from the end of the Open
// dialog to the statistics and the plot shown, and repaints of the plot.
//
//   build/bench/pelorin_gui_bench
//
// The profile window's events run on the realistic recording (GPS jitter, stops, breaks), its
// map's frames on generated tiles.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "support/DrawnTiles.h"

namespace {

constexpr std::size_t kMillion = 1000000;

/// The window, with the Open dialog answering at once with a million-point file (smooth or
/// realistic) and the moment it answered noted.
struct Window {
    explicit Window(bool realistic = false)
        : path(realistic ? RealisticTrackFile() : GeneratedTrackFile(kMillion)) {
        PlatformHooks hooks;
        hooks.chooseTrackFile = [this](QWidget*) {
            dialogClosed.start();
            return QString::fromStdString(path);
        };
        SetPlatformHooks(hooks);
        dlg.Create();
        dlg.show();
    }

    /// Loads the file; the time from the Open dialog to the statistics and the plot shown, and
    /// the profile window's pictures when it is open.
    double Load() {
        QSignalSpy recomputed(&dlg, &CAnalyzerDlg::TrackRecomputed);
        dlg.OnLoadTrack();
        recomputed.wait(10000);
        dlg.m_plot.repaint();
        if (dlg.m_profileWnd) {
            dlg.m_profileWnd->repaint();
        }
        QCoreApplication::processEvents();
        return static_cast<double>(dialogClosed.nsecsElapsed()) / 1e9;
    }

    std::string path;
    QElapsedTimer dialogClosed;
    CAnalyzerDlg dlg;
};

std::unique_ptr<Window> g_loaded;  // gone before the application object
std::unique_ptr<Window> g_realistic;

Window& LoadedWindow() {
    if (!g_loaded) {
        g_loaded = std::make_unique<Window>();
        g_loaded->Load();
    }
    return *g_loaded;
}

/// The window with the realistic file loaded and its profile window open.
Window& RealisticWindow() {
    if (!g_realistic) {
        g_loaded.reset();
        g_realistic = std::make_unique<Window>(true);
        g_realistic->Load();
        g_realistic->dlg.OnShowProfile();
        g_realistic->dlg.m_profileWnd->repaint();
        QCoreApplication::processEvents();
    }
    return *g_realistic;
}

// Arguments: smooth (0) or realistic (1) track; the profile window closed (0) or open (1).
void BM_LoadToShown(benchmark::State& state) {
    Window window(state.range(0) != 0);
    if (state.range(1) != 0) {
        window.dlg.OnShowProfile();
    }
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
BENCHMARK(BM_LoadToShown)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The profile window on the realistic file; each event is handled and painted.

/// The points replaced, as by a recompute, and the new pictures shown; with idle, the work
/// left for the event loop done too: the other mode's pictures of the plot and of the profile
/// window.
void ShowNewPoints(CAnalyzerDlg& dlg, bool idle) {
    dlg.m_plot.SetProfile(dlg.m_plot.m_profile);
    dlg.m_profileWnd->Follow(dlg.m_plot, AnalysisSettings{}, {});
    dlg.m_plot.repaint();
    dlg.m_profileWnd->repaint();
    const bool other = !dlg.m_profileWnd->OverDistance();
    for (int turn = 0; idle && turn < 1000; ++turn) {
        QCoreApplication::processEvents();
        if (dlg.m_profileWnd->m_profileArea.HasWholePicture(other)
            && dlg.m_plot.HasPicture(other)) {
            break;
        }
    }
}

/// The plot mode switched in the main window: the plot and the profile window follow.
/// Argument 1: the first switch into a mode since the points changed, after the event loop
/// was idle a moment; 2: the same, switched at once (nothing drawn of the mode yet); 0:
/// switching back and forth, each mode drawn before.
void BM_ProfileModeSwitch(benchmark::State& state) {
    CAnalyzerDlg& dlg = RealisticWindow().dlg;
    auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("IDC_PLOT_MODE"));
    for (auto _ : state) {
        if (state.range(0) != 0) {
            state.PauseTiming();
            ShowNewPoints(dlg, state.range(0) == 1);
            state.ResumeTiming();
        }
        combo->setCurrentIndex(1 - combo->currentIndex());
        dlg.OnPlotModeSelEndOk();
        dlg.m_plot.repaint();
        dlg.m_profileWnd->repaint();
    }
    combo->setCurrentIndex(0);
    dlg.OnPlotModeSelEndOk();
}
BENCHMARK(BM_ProfileModeSwitch)->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond);

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

/// Draws the area's picture in progress to its end, a step per event as the event
/// loop would; the CPU time of the longest step is noted.
template <typename Area>
void FinishDrawing(Area& area, double& longestMs) {
    bool more = true;
    while (more) {
        const double start = ThreadCpuMs();
        more = area.DrawStep(StepwiseDrawing::kStepPoints);
        longestMs = std::max(longestMs, ThreadCpuMs() - start);
    }
}

/// The idle work after new points: the other mode's picture of the plot (argument 0) and of
/// the profile window (1), each in steps; longest_step_ms: the CPU time of the longest event.
void BM_ProfileIdleDrawing(benchmark::State& state) {
    CAnalyzerDlg& dlg = RealisticWindow().dlg;
    CProfileArea& area = dlg.m_profileWnd->m_profileArea;
    double longest = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        ShowNewPoints(dlg, false);
        state.ResumeTiming();
        const double start = ThreadCpuMs();
        const bool drew = state.range(0) == 0 ? dlg.m_plot.DrawOtherMode() : area.DrawOtherMode();
        longest = std::max(longest, ThreadCpuMs() - start);
        if (state.range(0) == 0) {
            FinishDrawing(dlg.m_plot, longest);
        } else {
            FinishDrawing(area, longest);
        }
        if (!drew) {
            state.SkipWithError("nothing left to draw");
        }
    }
    state.counters["longest_step_ms"] = longest;
    QCoreApplication::processEvents();
}
BENCHMARK(BM_ProfileIdleDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// The profile window resized back and forth, by 1 pixel or by 60 (the plan view's size
/// changes too). Argument 0: each resize event, the last picture shown stretched; 1: the
/// drawing at the new size once the resize has settled, the profile in steps between events
/// (longest_step_ms: the longest of those events, the settling one included).
void BM_ProfileResize(benchmark::State& state) {
    CProfileWnd& profile = *RealisticWindow().dlg.m_profileWnd;
    const QSize size = profile.size();
    const int by = static_cast<int>(state.range(1));
    int step = 0;
    double longest = 0.0;
    for (auto _ : state) {
        profile.resize(size.width() - by * (++step % 2), size.height());
        if (state.range(0) != 0) {
            const double start = ThreadCpuMs();
            profile.m_profileArea.Settle();
            profile.m_planArea.Settle();
            profile.m_channelArea.Settle();
            profile.repaint();
            longest = std::max(longest, ThreadCpuMs() - start);
            FinishDrawing(profile.m_profileArea, longest);
            FinishDrawing(profile.m_planArea, longest);
        }
        profile.repaint();
    }
    state.counters["longest_step_ms"] = longest;
    profile.resize(size);
    profile.m_profileArea.Settle();
    profile.m_planArea.Settle();
    profile.m_channelArea.Settle();
}
BENCHMARK(BM_ProfileResize)->ArgsProduct({{0, 1}, {1, 60}})->Unit(benchmark::kMillisecond);

/// The cursor moved across the profile: readout, marker and plan mark.
void BM_ProfileCursorMove(benchmark::State& state) {
    CProfileWnd& profile = *RealisticWindow().dlg.m_profileWnd;
    CProfileArea& area = profile.m_profileArea;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % area.width();
        SendMouse(&area, QEvent::MouseMove, QPoint(x, area.height() / 2));
        profile.repaint();
    }
}
BENCHMARK(BM_ProfileCursorMove)->Unit(benchmark::kMillisecond);

void SendWheel(QWidget* area, QPointF at, int notch) {
    QWheelEvent wheel(at, area->mapToGlobal(at), {}, QPoint(0, notch), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &wheel);
}

/// The wheel turned a notch in around the middle of the profile and the zoomed pictures shown
/// (the profile and the second plot under it repainted, the parts of the window the zoom
/// changes): from the whole track (argument 0), and four notches in already (1).
void BM_ProfileWheelZoom(benchmark::State& state) {
    CProfileWnd& profile = *RealisticWindow().dlg.m_profileWnd;
    CProfileArea& area = profile.m_profileArea;
    const QPointF at(area.width() / 2.0, area.height() / 2.0);
    for (auto _ : state) {
        state.PauseTiming();
        profile.Zoom().ZoomOut();
        profile.ZoomChanged();
        for (int i = 0; i < 4 * state.range(0); ++i) {
            SendWheel(&area, at, 120);
        }
        profile.repaint();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        SendWheel(&area, at, 120);
        area.repaint();
        profile.m_channelArea.repaint();
    }
    profile.Zoom().ZoomOut();
    profile.ZoomChanged();
}
BENCHMARK(BM_ProfileWheelZoom)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// A frame of the profile window's map: a drag by 10 pixels (argument 0) or a quarter wheel
/// step (1) and the repaint, with an event of the track's drawing where one is due; from the
/// fitted view zoomed in by the second argument. The tiles are decoded once, as from a cache.
/// Run before and after a range is chosen. longest_frame_ms in wall time, longest_cpu_ms in
/// the processor time of the window's thread.
void BM_ProfileMapFrame(benchmark::State& state) {
    CProfileWnd& profile = *RealisticWindow().dlg.m_profileWnd;
    CMapArea& map = profile.m_mapArea;
    map.UseSource(std::make_unique<DrawnTiles>(), QStringLiteral("generated"));
    const QPointF at(map.width() * 0.4, map.height() * 0.6);
    map.ZoomAround(at, static_cast<double>(state.range(1)));
    map.FinishTrack();
    map.repaint();
    int step = 0;
    double longest = 0.0;
    double longestCpu = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double startCpu = ThreadCpuMs();
        if (state.range(0) == 0) {
            const bool back = (step++ / 40) % 2 != 0;  // 400 pixels: beyond the pictures kept
            map.PanBy(back ? -10.0 : 10.0, back ? -3.0 : 3.0);
        } else {
            map.ZoomAround(at, (step++ / 8) % 2 != 0 ? -0.25 : 0.25);
        }
        map.repaint();
        QCoreApplication::processEvents();
        longestCpu = std::max(longestCpu, ThreadCpuMs() - startCpu);
        longest = std::max(longest, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
    }
    state.counters["longest_frame_ms"] = longest;
    state.counters["longest_cpu_ms"] = longestCpu;
    state.counters["width"] = map.width();
    state.counters["height"] = map.height();
    map.UseSource(nullptr, QString());
}
BENCHMARK(BM_ProfileMapFrame)->ArgsProduct({{0, 1}, {0, 3}})->Unit(benchmark::kMillisecond);

/// A range chosen with Shift+drag over the whole track's profile, from the point 85,000 to
/// the point 915,000 of the million: the release cuts the range, analyses it, lists its
/// figures and shows it in the profile and the plan view.
void BM_ProfileRangeDrag(benchmark::State& state) {
    CProfileWnd& profile = *RealisticWindow().dlg.m_profileWnd;
    CProfileArea& area = profile.m_profileArea;
    const ProfileMapping mapping = area.Parts().mapping;
    const double* axis = profile.Axis(profile.OverDistance()).Values();
    const int y = area.height() / 2;
    const QPoint from(mapping.X(axis[85000]), y);
    const QPoint to(mapping.X(axis[915000]), y);
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mousePress(&area, Qt::LeftButton, Qt::ShiftModifier, from);
        QTest::mouseMove(&area, to);
        state.ResumeTiming();
        QTest::mouseRelease(&area, Qt::LeftButton, Qt::ShiftModifier, to);
        profile.repaint();
    }
    const auto range = profile.Range().value_or(std::pair<std::size_t, std::size_t>(0, 0));
    state.counters["points"] = static_cast<double>(range.second - range.first + 1);
}
BENCHMARK(BM_ProfileRangeDrag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileMapFrame)
    ->Name("BM_ProfileMapFrame/range")
    ->ArgsProduct({{0, 1}, {0, 3}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Neither the user's tile sources nor the tile cache: the map shows the benchmark's tiles.
    const QTemporaryDir folders;
    qputenv("XDG_CONFIG_HOME", folders.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", folders.filePath(QStringLiteral("cache")).toLocal8Bit());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_loaded.reset();
    g_realistic.reset();
    return 0;
}
