// Fuzz target: the whole way from bytes to screen. The first 17 bytes choose the thresholds
// and the plot rectangle, the rest is the track file; the track is joined under every
// connection mode and elevation source, analysed, measured, written as every text the window
// shows, and drawn in both plot modes.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "analysis/Joining.h"
#include "analysis/Statistics.h"
#include "plot/ProfileDrawing.h"
#include "report/ListFormat.h"
#include "track/MemorySource.h"
#include "track/PltReader.h"

namespace {

/// Counts the drawing and checks that every position stays a plain int.
class CheckingCanvas : public PlotCanvas {
public:
    void SelectPen(PlotPen pen) override {
        if (static_cast<std::size_t>(pen) >= kPlotPenCount) {
            __builtin_trap();
        }
    }
    void MoveTo(int x, int y) override { m_position = {x, y}; }
    void LineTo(int x, int y) override {
        m_position = {x, y};
        ++lines;
    }
    PlotPoint GetCurrentPosition() const override { return m_position; }
    std::size_t lines = 0;

private:
    PlotPoint m_position;
};

double Threshold(const uint8_t* bytes) {
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return std::isnan(value) ? 0.0 : value;  // the threshold edits never hold NaN
}

void Show(TrackSection& track, const PlotRect& item) {
    std::vector<TrackPoint> profile(track.points.GetData(),
                                    track.points.GetData() + track.points.GetSize());
    const TrackStatistics statistics = ComputeStatistics(track);
    for (const StatisticsRow& row : FormatStatisticsRows(statistics)) {
        if (row.value.empty()) {
            __builtin_trap();
        }
    }
    for (bool overDistance : {true, false}) {
        CheckingCanvas canvas;
        DrawProfile(canvas, profile.data(), profile.size(), overDistance, item);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    constexpr std::size_t kSettings = 17;
    if (size < kSettings) {
        return 0;
    }
    const double vertical = Threshold(data);
    const double speed = Threshold(data + 8);
    const PlotRect item{0, 0, 1 + data[16] * 7, 1 + data[16] * 2};
    const std::string_view bytes(reinterpret_cast<const char*>(data + kSettings), size - kSettings);

    TrackSectionList sections;
    MemorySource source(bytes);
    ReadTrackText(sections, source);

    // Everything the window shows of the loaded sections.
    FormatTitle(sections);
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(sections);
    const double firstDay = FirstDay(sections);
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        FormatSectionRow(sections, i, firstDay, owners[i]);
    }

    // Terrain heights at two of three points of every other section, so that each elevation
    // source has heights to choose.
    for (std::size_t s = 0; s < sections.GetSize(); s += 2) {
        GrowArray<double>& terrain = sections[s].elevations.terrain;
        terrain.SetSize(sections[s].points.GetSize());
        for (std::size_t i = 0; i < terrain.GetSize(); ++i) {
            terrain[i] = i % 3 == 0 ? std::numeric_limits<double>::quiet_NaN()
                                    : sections[s].points[i].latitude * 100.0;
        }
    }

    std::vector<std::size_t> all;
    std::vector<std::size_t> someBackwards;
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        all.push_back(i);
        if (i % 2 == 0) {
            someBackwards.insert(someBackwards.begin(), i);
        }
    }
    for (int mode : {0, 1, 2, -1}) {  // the three modes and no choice
        for (const std::vector<std::size_t>* rows : {&all, &someBackwards}) {
            TrackSection track;
            AnalysisSettings settings =
                AnalysisSettings::FromKmh(static_cast<ConnectionMode>(mode), vertical, speed);
            settings.elevation = static_cast<ElevationSource>((mode + 3) % 3);
            JoinSections(sections, *rows, settings, track);
            Show(track, item);
        }
    }
    return 0;
}
