#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plot/ChannelPicture.h"
#include "plot/ChannelSeries.h"

namespace {

/// Records each move and line as "M x y" or "L x y".
class RecordingCanvas : public PlotCanvas {
public:
    void SelectPen(PlotPen) override {}
    void MoveTo(int x, int y) override { Add('M', x, y); }
    void LineTo(int x, int y) override { Add('L', x, y); }
    PlotPoint GetCurrentPosition() const override { return m_position; }

    std::vector<std::string> calls;

private:
    void Add(char kind, int x, int y) {
        calls.push_back(std::string(1, kind) + " " + std::to_string(x) + " " + std::to_string(y));
        m_position = {x, y};
    }
    PlotPoint m_position;
};

/// Points at the distances, one run from each run start on, and the calls of their second plot
/// of the values at 464 by 120 pixels.
std::vector<TrackPoint> Points(const std::vector<double>& distances,
                               const std::vector<std::size_t>& runStarts) {
    std::vector<TrackPoint> points(distances.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].distance = distances[i];
        points[i].time = 45000.0 + static_cast<double>(i) / 86400.0;
        points[i].state = StateLevel;
    }
    for (const std::size_t i : runStarts) {
        points[i].state = StateRunStart;
    }
    return points;
}

struct Plot {
    Plot(const std::vector<double>& distances, const std::vector<std::size_t>& runStarts,
         const std::vector<double>& values)
        : points(Points(distances, runStarts)),
          breaks(points.data(), points.size()),
          axis(points.data(), points.size(), breaks, true),
          packed(points.data(), points.size()),
          view{points.data(), points.size(), &axis, &packed, WholeZoom(axis), {}},
          parts(ChannelPictureOf(ProfilePictureOf(view, 464, 200),
                                 {values.data(), "Heart Rate (bpm)", 120})) {
        RecordingCanvas canvas;
        DrawChannelLine(canvas, view, values.data(), parts);
        calls = canvas.calls;
    }
    /// The call expected to point i with the value.
    std::string At(char kind, std::size_t i, double value) const {
        return std::string(1, kind) + " " + std::to_string(parts.mapping.X(axis.Values()[i])) + " "
               + std::to_string(parts.mapping.Y(value));
    }

    std::vector<TrackPoint> points;
    TrackBreaks breaks;
    ProfileAxis axis;
    ProfilePoints packed;
    ProfileView view;
    ProfilePictureParts parts;
    std::vector<std::string> calls;
};

}  // namespace

// A missing sample and the start of a run break the line; the values span the vertical axis.
TEST(ChannelPicture, MissingSamplesAndRunStartsBreakTheLine) {
    const Plot plot({0, 100, 200, 300, 400, 500}, {0, 4}, {10, 20, NAN, 30, 40, 50});
    EXPECT_EQ(plot.parts.mapping.AltMin(), 10.0);
    EXPECT_EQ(plot.parts.mapping.AltMax(), 50.0);
    EXPECT_EQ(plot.parts.verticalCaption, "Heart Rate (bpm)");
    const Plot constant({0, 100}, {0}, {7, 7});  // in the middle of an axis with ticks
    EXPECT_EQ(constant.parts.mapping.AltMin(), 6.0);
    EXPECT_EQ(constant.parts.mapping.AltMax(), 8.0);
    EXPECT_EQ(plot.calls, (std::vector<std::string>{plot.At('M', 0, 10), plot.At('L', 1, 20),
                                                    plot.At('M', 3, 30), plot.At('M', 4, 40),
                                                    plot.At('L', 5, 50)}));
}

// The points of one column make one stroke through their lowest and highest pixel.
TEST(ChannelPicture, PointsOfAColumnMakeOneStroke) {
    const Plot plot({0, 0, 0, 0, 0, 1000}, {0}, {3, 1, 4, 1, 5, 2});
    EXPECT_EQ(plot.calls,
              (std::vector<std::string>{plot.At('M', 0, 3), plot.At('L', 0, 5), plot.At('L', 0, 1),
                                        plot.At('L', 0, 5), plot.At('L', 5, 2)}));
}

TEST(ChannelPicture, SeriesOfferedAreTheSpeedAndTheTracksChannels) {
    TrackChannels channels;
    EXPECT_EQ(OfferedSeries(channels), std::vector<PlotSeries>{PlotSeries::Speed});
    channels.Add(Channel::Temperature, 3);
    channels.Add(Channel::HeartRate, 3);
    EXPECT_EQ(OfferedSeries(channels),
              (std::vector<PlotSeries>{PlotSeries::Speed, PlotSeries::HeartRate,
                                       PlotSeries::Temperature}));
    EXPECT_EQ(SeriesOfKey(SeriesKey(PlotSeries::Temperature)), PlotSeries::Temperature);
    EXPECT_EQ(SeriesCaption(PlotSeries::Speed, UnitSystem::Imperial), "Speed (mph)");
}
