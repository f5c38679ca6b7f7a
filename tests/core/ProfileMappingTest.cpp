#include <vector>

#include <gtest/gtest.h>

#include "plot/ProfileAxes.h"
#include "plot/ProfileReadout.h"
#include "plot/ProfileZoom.h"

namespace {

/// n points 1 m apart and 1 s apart, climbing 0.1 m a point; starting at 10:00.
std::vector<TrackPoint> Line(std::size_t n) {
    std::vector<TrackPoint> points(n);
    for (std::size_t i = 0; i < n; ++i) {
        points[i].state = i == 0 ? StateRunStart : StateRising;
        points[i].distance = static_cast<double>(i);
        points[i].time = 45000.0 + (36000.0 + static_cast<double>(i)) / 86400.0;
        points[i].altitude = 500.0 + 0.1 * static_cast<double>(i);
    }
    return points;
}

constexpr PlotRect kItem{0, 0, 204, 54};  // R: 2 to 202 across, 2 to 52 down

}  // namespace

TEST(ProfileView, PixelToPointToPixelAtTheEdgesAndWithin) {
    const std::vector<TrackPoint> points = Line(1001);  // 5 points a pixel
    for (const bool overDistance : {true, false}) {
        const ProfileMapping mapping(points.data(), points.size(), overDistance, kItem);
        for (const int x : {2, 3, 101, 201, 202}) {
            const std::size_t i = PointAtPixel(points.data(), points.size(), mapping, x);
            EXPECT_EQ(mapping.Map(points[i]).x, x) << overDistance;
        }
        EXPECT_EQ(PointAtPixel(points.data(), points.size(), mapping, -50), 0u);
        EXPECT_EQ(PointAtPixel(points.data(), points.size(), mapping, 900), 1000u);
        EXPECT_EQ(mapping.Map(points[0]), (PlotPoint{2, 52}));
        EXPECT_EQ(mapping.Map(points[1000]), (PlotPoint{202, 2}));
    }
}

TEST(ProfileView, ZeroRangesPutEveryPointInTheMiddle) {
    std::vector<TrackPoint> points = Line(3);
    for (TrackPoint& p : points) {
        p.distance = 0.0;
        p.altitude = 700.0;
    }
    const ProfileMapping mapping(points.data(), points.size(), true, kItem);
    for (const int x : {2, 102, 202}) {
        const std::size_t i = PointAtPixel(points.data(), points.size(), mapping, x);
        ASSERT_LT(i, points.size());
        EXPECT_EQ(mapping.Map(points[i]), (PlotPoint{102, 27}));
    }
    EXPECT_EQ(mapping.ValueAt(0), 0.0);
    EXPECT_TRUE(HorizontalTicks(mapping, 45000.0, 5).empty());
    EXPECT_TRUE(VerticalTicks(mapping, 5).empty());
    const ProfileMapping one(points.data(), 1, false, kItem);
    EXPECT_EQ(one.Map(points[0]), (PlotPoint{102, 27}));
    EXPECT_EQ(PointAtPixel(points.data(), 1, one, 7), 0u);
}

TEST(ProfileView, TicksAtRoundValuesInTheListsNumberStyle) {
    const std::vector<TrackPoint> points = Line(12301);
    const ProfileMapping distance(points.data(), points.size(), true, kItem);
    std::vector<std::string> labels;
    for (const AxisTick& tick : HorizontalTicks(distance, 45000.0, 5)) {
        labels.push_back(tick.label);
        EXPECT_EQ(tick.pixel, distance.X(std::stod(tick.label) * 1000.0));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "5", "10"}));
    const ProfileMapping time(points.data(), points.size(), false, kItem);
    const std::vector<AxisTick> hours = HorizontalTicks(time, 45000.0, 4);
    ASSERT_EQ(hours.size(), 4u);  // 10:00 to 13:25 every hour
    EXPECT_EQ(hours[1].label, "11:00:00");
    const std::vector<AxisTick> metres = VerticalTicks(distance, 5);
    EXPECT_EQ(metres.front().label, "500");
    EXPECT_EQ(metres.back().label, "1500");
    EXPECT_EQ(metres.front().pixel, 52);
}

TEST(ProfileView, ZoomStaysWithinTheTrackAndAboveItsLimit) {
    ProfileZoom zoom;
    zoom.Reset(0.0, 10000.0, true);
    zoom.ZoomTo(5000.0, 5000.001);
    EXPECT_DOUBLE_EQ(zoom.To() - zoom.From(), 1.0);  // one metre at least
    zoom.ZoomAround(5000.0, 1e-9);
    EXPECT_DOUBLE_EQ(zoom.To() - zoom.From(), 1.0);
    zoom.ZoomTo(-500.0, 200.0);
    EXPECT_EQ(zoom.From(), 0.0);
    EXPECT_EQ(zoom.To(), 700.0);
    zoom.ZoomAround(100.0, 1000.0);
    EXPECT_FALSE(zoom.IsZoomed());
    zoom.ZoomTo(9000.0, 12000.0);
    EXPECT_EQ(zoom.To(), 10000.0);
    EXPECT_EQ(zoom.From(), 7000.0);
    zoom.ZoomOut();
    EXPECT_FALSE(zoom.IsZoomed());

    zoom.Reset(45000.0, 45001.0, false);
    zoom.ZoomTo(45000.5, 45000.5);
    EXPECT_NEAR((zoom.To() - zoom.From()) * 86400.0, 1.0, 1e-6);  // one second
    zoom.Reset(0.0, 0.5, true);  // shorter than the limit: never zoomed
    zoom.ZoomTo(0.1, 0.2);
    EXPECT_FALSE(zoom.IsZoomed());
}

TEST(ProfileView, ReadoutInWords) {
    std::vector<TrackPoint> points = Line(3);
    points[2].flags = FlagFastest | FlagSteepestAscent;
    const std::vector<std::string> lines =
        ReadoutLines(ReadoutOf(points.data(), points.size(), 2, 45000.0));
    EXPECT_EQ(lines, (std::vector<std::string>{"Distance: 0.002 km", "Time of day: 10:00:02",
                                               "Elapsed: 00:00:02", "Elevation: 500.2 m",
                                               "Speed: 3.6 km/h", "State: climbing",
                                               "Stretch: fastest, steepest ascent"}));
    EXPECT_EQ(ReadoutOf(points.data(), points.size(), 0, 45000.0).speed, "-");
    EXPECT_EQ(ReadoutOf(points.data(), points.size(), 0, 45000.0).state, "start of a run");
}

TEST(ProfileView, PointUnderAPixelIsTheNearestWherePointsLieWideApart) {
    // R is 100 pixels across for 100 m or 100 s: a pixel a metre or a second.
    const double at[] = {0, 10, 13, 40, 41, 100};
    std::vector<TrackPoint> points(std::size(at));
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].distance = at[i];
        points[i].time = 45000.0 + at[i] / 86400.0;
    }
    // Value under the pixel, and the point nearest to it.
    const std::pair<int, std::size_t> expected[] = {{-3, 0}, {4, 0},  {6, 1},  {11, 1},
                                                     {12, 2}, {26, 2}, {27, 3}, {40, 3},
                                                     {41, 4}, {70, 4}, {71, 5}, {130, 5}};
    for (const bool overDistance : {true, false}) {
        const ProfileMapping mapping(points.data(), points.size(), overDistance, {0, 0, 104, 20});
        for (const auto& [value, nearest] : expected) {
            EXPECT_EQ(PointAtPixel(points.data(), points.size(), mapping, 2 + value), nearest)
                << "value " << value << (overDistance ? " m" : " s");
        }
    }
    // Halfway between two points (exact over distance) the earlier one is nearest.
    const ProfileMapping mapping(points.data(), points.size(), true, {0, 0, 104, 20});
    EXPECT_EQ(PointAtPixel(points.data(), points.size(), mapping, 2 + 5), 0u);
}
