#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plot/ProfileAxis.h"
#include "plot/ProfilePicture.h"
#include "plot/ProfileReadout.h"

namespace {

/// Two runs of 11 points, 100 m and 60 s apart; the second starts 50 km and three days after
/// the first ended, as in a logger's file of several days.
std::vector<TrackPoint> TwoRuns() {
    std::vector<TrackPoint> points(22);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool second = i >= 11;
        const double step = static_cast<double>(second ? i - 11 : i);
        points[i].state = i == 0 || i == 11 ? StateRunStart : StateLevel;
        points[i].distance = (second ? 51000.0 : 0.0) + 100.0 * step;
        points[i].time = (second ? 45003.5 : 45000.5) + step * 60.0 / 86400.0;
        points[i].altitude = 500.0 + step;
    }
    return points;
}

}  // namespace

TEST(ProfileAxis, JumpsBetweenRunsTakeANarrowGapAndTheReadoutLeavesThemOut) {
    const std::vector<TrackPoint> points = TwoRuns();
    const TrackBreaks breaks(points.data(), points.size());
    ASSERT_EQ(breaks.Breaks().size(), 1u);
    EXPECT_EQ(breaks.RunOf(10), 0u);
    EXPECT_EQ(breaks.RunOf(11), 1u);

    // 2000 m without the jump: a gap of 1% of it, 20 m.
    const ProfileAxis distance(points.data(), points.size(), breaks, true);
    EXPECT_DOUBLE_EQ(distance.Gap(), 20.0);
    EXPECT_EQ(distance.Values()[10], 1000.0);
    EXPECT_DOUBLE_EQ(distance.Values()[11], 1020.0);
    EXPECT_DOUBLE_EQ(distance.Last(), 2020.0);
    const ProfileAxis time(points.data(), points.size(), breaks, false);
    EXPECT_NEAR((time.Values()[11] - time.Values()[10]) * 86400.0, 12.0, 1e-6);

    const ReadoutFrame frame{45000.0, &breaks};
    const std::vector<std::string> lines =
        ReadoutLines(ReadoutOf(points.data(), points.size(), 21, frame));
    EXPECT_EQ(lines[0], "Distance: 2 km");
    EXPECT_EQ(lines[1], "Time of day: (+3) 12:10:00");
    EXPECT_EQ(lines[2], "Elapsed: 00:20:00");

    // Ticks at round km without the jump, 1 km once although both runs reach it, and a mark.
    const ProfileZoom zoom = WholeZoom(distance);
    const ProfilePoints packed(points.data(), points.size());
    const ProfilePictureParts parts =
        ProfilePictureOf({points.data(), points.size(), &distance, &packed, zoom, {}}, 560, 200);
    std::vector<std::string> labels;
    for (const AxisTick& tick : parts.horizontal) {
        labels.push_back(tick.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "0.5", "1", "1.5", "2"}));
    ASSERT_EQ(parts.breaks.size(), 1u);
    EXPECT_GT(parts.breaks[0], parts.mapping.X(1000.0));
    EXPECT_LT(parts.breaks[0], parts.mapping.X(1020.0));
}

TEST(ProfileAxis, ATrackWithoutBreaksKeepsItsOwnValues) {
    std::vector<TrackPoint> points = TwoRuns();
    points[11].state = StateLevel;
    const ProfileAxis axis(points.data(), points.size(), TrackBreaks(points.data(), points.size()),
                           true);
    EXPECT_EQ(axis.Gap(), 0.0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(axis.Values()[i], points[i].distance);
    }
}

// The SVG holds what the PNG shows: the background, the range and the cursor in both views;
// each path of the profile is clipped to the plot area and never moves twice in a row.
TEST(ProfileAxis, PictureAsSvgShowsTheMarksOnItsBackground) {
    std::vector<TrackPoint> points = TwoRuns();
    for (std::size_t i = 4; i <= 7; ++i) {
        points[i].state = StateStopped;  // the line moves on from stop to stop
    }
    const TrackBreaks breaks(points.data(), points.size());
    const ProfileAxis axis(points.data(), points.size(), breaks, true);
    ProfileZoom zoom = WholeZoom(axis);
    zoom.ZoomTo(500.0, 1500.0);
    const ProfilePoints packed(points.data(), points.size());
    const std::string svg =
        RenderProfilePictureSvg({points.data(), points.size(), &axis, &packed, zoom, {}},
                                {std::pair(2u, 15u), 12u}, 400, 200, 150);
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"550\" height=\"200\" fill=\"#f0f0f0\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("<g clip-path=\"url(#clip1)\">"), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#0000ff\" fill-opacity=\"0.110\""), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#0000ff\" stroke-opacity=\"0.353\" stroke-width=\"10\""),
              std::string::npos);
    EXPECT_NE(svg.find("<circle "), std::string::npos);
    EXPECT_FALSE(std::regex_search(svg, std::regex("M -?[0-9]+ -?[0-9]+ M")));
}
