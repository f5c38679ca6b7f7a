#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "map/MapTrack.h"
#include "plot/ProfilePasses.h"
#include "support/RecordingCanvas.h"

namespace {

TrackPoint Point(int32_t state, double longitude, double latitude, int32_t flags = 0) {
    TrackPoint p;
    p.state = state;
    p.flags = flags;
    p.longitude = longitude;
    p.latitude = latitude;
    return p;
}

/// A walk east in tiny steps: at zoom 10 the whole walk stays within half a pixel.
std::vector<TrackPoint> Walk(std::size_t count) {
    std::vector<TrackPoint> points;
    for (std::size_t i = 0; i < count; ++i) {
        points.push_back(
            Point(i == 0 ? StateRunStart : StateLevel, 8.0 + 1e-7 * static_cast<double>(i), 47.0));
    }
    return points;
}

/// Every point at its pixel, for drawing the whole track as the reference.
struct Mapper {
    MapTrack& track;
    const MapView& view;
    PlotPoint P(std::size_t i) const { return view.PixelOf(track.WorldOf(i)); }
    int X(std::size_t i) const { return P(i).x; }
    void MoveTo(PlotCanvas& canvas, std::size_t i) const { canvas.MoveTo(P(i).x, P(i).y); }
    void LineTo(PlotCanvas& canvas, std::size_t i) const { canvas.LineTo(P(i).x, P(i).y); }
};

}  // namespace

TEST(MapTrack, SimplificationKeepsEveryChangeOfStateAndFlags) {
    std::vector<TrackPoint> points = Walk(4000);
    points[1000].state = StateRising;    // one point of another state
    points[2000].flags = FlagFastest;    // one point in a stretch
    points[3000].state = StateRunStart;  // a break
    points[3500].flags = FlagSectionStart;
    MapTrack track(points.data(), points.size());
    const MapTrackLevel& level = track.Level(10);
    ASSERT_FALSE(level.whole);
    // The first point is a run start, so the second one changes state.
    const std::vector<std::uint32_t> expected{0,    1,    999,  1000, 1001, 1999, 2000, 2001,
                                              2999, 3000, 3001, 3499, 3500, 3501, 3999};
    EXPECT_EQ(level.source, expected);
    EXPECT_TRUE(track.Level(30).whole);  // every step is a pixel there
}

TEST(MapTrack, SimplificationKeepsPointsHalfAPixelApart) {
    const double halfPixel = 180.0 / (256.0 * 1024.0);  // degrees of longitude at zoom 10
    std::vector<TrackPoint> points = Walk(1000);
    for (TrackPoint& p : points) {
        p.longitude = 8.0;
    }
    points[400].longitude += 1.001 * halfPixel;
    points[401].longitude += 1.5 * halfPixel;  // within half a pixel of the last kept one
    MapTrack track(points.data(), points.size());
    EXPECT_EQ(track.Level(10).source, (std::vector<std::uint32_t>{0, 1, 400, 402, 999}));
}

TEST(MapTrack, CullingLeavesOutOnlyLinesBeyondTheView) {
    std::vector<TrackPoint> points = Walk(3000);
    for (std::size_t i = 500; i < 1500; ++i) {
        points[i].state = i < 900 ? StateStopped : StateFalling;
        points[i].latitude += 1e-4 * static_cast<double>(i % 7);
    }
    points[2000].state = StateRunStart;
    MapTrack track(points.data(), points.size());
    MapView view(400, 300);
    view.SetZoomRange(0.0, 30.0);
    view.SetZoom(24.0);  // every point kept
    ASSERT_TRUE(track.Level(MapTrack::LevelFor(view.Scale())).whole);
    const auto inView = [](const RecordingCanvas& canvas) {
        std::vector<RecordingCanvas::Line> lines;
        for (const RecordingCanvas::Line& line : canvas.lines) {
            if (std::max(line.from.x, line.to.x) >= 0 && std::min(line.from.x, line.to.x) < 400
                && std::max(line.from.y, line.to.y) >= 0
                && std::min(line.from.y, line.to.y) < 300) {
                lines.push_back(line);
            }
        }
        return lines;
    };
    for (std::size_t centre : {700, 1400, 2000}) {
        view.SetCentre(track.WorldOf(centre));
        RecordingCanvas culled;
        track.Draw(culled, view);
        RecordingCanvas all;
        const Mapper map{track, view};
        profile_passes::DrawBands(all, map, nullptr, points.data(), 0, points.size());
        profile_passes::DrawProfileLine(all, map, nullptr, points.data(), 0, points.size());
        EXPECT_LT(culled.lines.size(), all.lines.size() / 2);
        EXPECT_FALSE(inView(all).empty());
        EXPECT_EQ(inView(culled), inView(all)) << centre;
    }
}

TEST(MapTrack, NearestPointWithinTenPixels) {
    std::vector<TrackPoint> points = Walk(20000);
    MapTrack track(points.data(), points.size());
    MapView view(400, 300);
    view.SetZoomRange(0.0, 19.0);
    view.SetZoom(16.0);
    view.SetCentre(track.WorldOf(12345));
    EXPECT_EQ(track.NearestPoint(view, 200.0, 150.0), 12345u);
    EXPECT_EQ(track.NearestPoint(view, 200.0, 158.0).has_value(), true);
    EXPECT_FALSE(track.NearestPoint(view, 200.0, 161.0).has_value());
}

TEST(MapTrack, AcrossTheAntimeridianTheTrackStaysShort) {
    std::vector<TrackPoint> points{Point(StateRunStart, 179.9, -17.0),
                                   Point(StateLevel, -179.9, -17.0)};
    MapTrack track(points.data(), points.size());
    ASSERT_TRUE(track.Box().has_value());
    EXPECT_NEAR((track.Box()->right - track.Box()->left) * 360.0, 0.2, 1e-9);
}

TEST(MapTrack, DrawingInStepsMakesTheSameCalls) {
    std::vector<TrackPoint> points = Walk(5000);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].state = i == 0 ? StateRunStart : StateLevel + static_cast<int32_t>(i / 3 % 5);
        points[i].latitude += 1e-5 * static_cast<double>(i % 11);
        // Back and forth, so that the view sees several runs of the track.
        points[i].longitude = 8.0 + 2e-6 * std::abs(static_cast<double>(i % 2000) - 1000.0);
    }
    MapTrack track(points.data(), points.size());
    MapView view(300, 200);
    view.SetZoomRange(0.0, 19.0);
    view.SetZoom(19.0);
    view.SetCentre(track.WorldOf(2000));
    ASSERT_GE(track.RunsInView(view).size(), 3u);
    RecordingCanvas whole;
    track.Draw(whole, view);
    ASSERT_GT(whole.lines.size(), 100u);
    for (std::size_t stepPoints : {1, 7, 300}) {
        RecordingCanvas stepped;
        MapTrackSteps steps(track, view);
        while (!steps.Step(stepped, stepPoints)) {
        }
        EXPECT_EQ(stepped.calls, whole.calls) << stepPoints;
    }
}
