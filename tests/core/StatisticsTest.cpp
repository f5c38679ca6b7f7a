#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/Classify.h"
#include "analysis/Statistics.h"
#include "support/TrackBuilder.h"

namespace {

const AnalysisSettings kDefault{ConnectNone, 15.0, 0.5};

void SetAltitudesAndStates(TrackSection& track, std::vector<double> altitudes,
                           std::vector<int32_t> states) {
    for (std::size_t i = 0; i < altitudes.size(); ++i) {
        TrackPoint& p = track.points.Add();
        p.altitude = altitudes[i];
        p.state = states[i];
    }
}

bool IsNegativeZero(double value) {
    return value == 0.0 && std::signbit(value);
}

}  // namespace

TEST(Statistics, RowsInDisplayOrderWithUnits) {
    EXPECT_STREQ(kStatisticsRows[0].label, "Begin");
    EXPECT_STREQ(kStatisticsRows[0].unit, "GMT");
    EXPECT_STREQ(kStatisticsRows[9].label, "Maximum Speed");
    EXPECT_STREQ(kStatisticsRows[21].unit, "m/m");
    EXPECT_STREQ(kStatisticsRows[23].label, "Moving Average Speed in Ascent");
    EXPECT_STREQ(kStatisticsRows[30].label, "Maximum Descent Slope");
    EXPECT_STREQ(kStatisticsRows[30].unit, "%");
    EXPECT_EQ(kStatisticsRows[2].kind, StatisticsKind::Duration);
    TrackStatistics t{};
    t.averageDescentSlope = 7.0;
    EXPECT_EQ(t.Get(28), 7.0);
}

TEST(Statistics, GainIsMeasuredFromTheLastReferencePoint) {
    TrackSection track;
    SetAltitudesAndStates(track, {100, 200, 150, 170}, {1, 6, 3, 6});
    EXPECT_EQ(track.GetAltitudeGain(), 70.0);  // 100, then 170 against 200
    TrackSection rising;
    SetAltitudesAndStates(rising, {100, 140, 180}, {1, 6, 6});
    EXPECT_EQ(rising.GetAltitudeGain(), 80.0);
    TrackSection level;
    SetAltitudesAndStates(level, {100, 140, 180}, {1, 3, 6});
    EXPECT_EQ(level.GetAltitudeGain(), 80.0);
    TrackSection falling;
    SetAltitudesAndStates(falling, {300, 250, 260, 200}, {1, 7, 2, 7});
    EXPECT_EQ(falling.GetAltitudeLoss(), -100.0);
}

TEST(Statistics, EmptyTrack) {
    TrackSection track;
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.begin, 0.0);
    EXPECT_EQ(t.totalTime, 0.0);
    EXPECT_EQ(t.distance3D, 0.0);
    EXPECT_EQ(t.totalAscent, 0.0);
    EXPECT_EQ(t.maximumSpeed, 0.0);
    EXPECT_TRUE(IsNegativeZero(t.totalDescent));
    EXPECT_EQ(t.minElevation, 100000.0);
    EXPECT_EQ(t.maxElevation, -100000.0);
    for (std::size_t row : {7, 8, 21, 22, 23, 24, 25, 26, 27, 28}) {
        EXPECT_TRUE(std::isnan(t.Get(row))) << kStatisticsRows[row].label;
    }
    EXPECT_EQ(t.maximumAscentSlope, 0.0);
    EXPECT_EQ(t.maximumDescentSlope, 0.0);
}

TEST(Statistics, OnePoint) {
    TrackSection track;
    AddPoint(track, 45, 7, 321.5, 41000.5);
    track.Analyze(kDefault);
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.begin, 41000.5);
    EXPECT_EQ(t.end, 41000.5);
    EXPECT_EQ(t.minElevation, 321.5);
    EXPECT_EQ(t.maxElevation, 321.5);
    EXPECT_TRUE(std::isnan(t.totalAverageSpeed));
    EXPECT_TRUE(IsNegativeZero(t.totalDescent));
    EXPECT_EQ(track.points[0].flags, 0);
}

TEST(Statistics, TrackThatOnlyClimbs) {
    TrackSection track;
    BuildLine(track, {100, 120, 140, 160, 180, 200});
    track.Analyze(kDefault);
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.totalAscent, 100.0);
    EXPECT_TRUE(IsNegativeZero(t.totalDescent));
    EXPECT_EQ(t.descentTime, 0.0);
    EXPECT_TRUE(IsNegativeZero(t.averageDescentSpeed) || std::isnan(t.averageDescentSpeed));
    EXPECT_TRUE(std::isnan(t.averageDescentSpeed));  // -0 / 0
    EXPECT_TRUE(std::isnan(t.movingAverageSpeedInDescent));
    EXPECT_TRUE(std::isnan(t.totalAverageSpeedInDescent));
    EXPECT_TRUE(std::isnan(t.averageDescentSlope));
    EXPECT_EQ(t.maximumDescentSlope, 0.0);
    EXPECT_NEAR(t.averageAscentSlope, 100.0 / 600 * 100, 1e-9);
    EXPECT_NEAR(t.maximumAscentSlope, 100.0 / 6, 1e-9);
    EXPECT_NEAR(t.averageAscentSpeed, 100.0 / 2.5, 1e-6);  // metres per minute
}

TEST(Statistics, AllStoppedTrackHasNoMovingTime) {
    TrackSection track;
    BuildLine(track, {100, 100, 100}, 1.0, 30.0);
    track.Analyze(kDefault);
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.movingTime, 0.0);
    EXPECT_TRUE(std::isinf(t.movingAverageSpeed));
    TrackSection still;
    BuildLine(still, {100, 100, 100}, 0.0, 30.0);
    still.Analyze(kDefault);
    EXPECT_TRUE(std::isnan(ComputeStatistics(still).movingAverageSpeed));
}

TEST(Statistics, TwoRunsEachClimbing) {
    TrackSection track;
    BuildLine(track, {100, 130, 150, 1000, 1030, 1050});
    track.points[3].state = StateRunStart;
    track.Analyze(kDefault);
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.totalAscent, 100.0);
    EXPECT_NEAR(t.distance2D, 0.480, 1e-9);  // the gap's 120 m are not counted
}

TEST(Statistics, MaximumSpeedIsPlanarOverThreeSegments) {
    TrackSection track;
    BuildLine(track, {100, 900, 100, 900, 100}, 100.0, 10.0);
    track.Analyze(kDefault);
    EXPECT_NEAR(ComputeStatistics(track).maximumSpeed, 36.0, 1e-6);
}

TEST(Statistics, SecondComputationChangesNothing) {
    TrackSection track;
    BuildLine(track, {100, 120, 140, 140, 140, 120, 100, 80, 95, 140, 180, 200}, 120, 8);
    track.Analyze(kDefault);
    const TrackStatistics first = ComputeStatistics(track);
    std::vector<int32_t> flags;
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        flags.push_back(track.points[i].flags);
    }
    const TrackStatistics second = ComputeStatistics(track);
    EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        EXPECT_EQ(track.points[i].flags, flags[i]);
    }
}

TEST(Statistics, SectionStartInASteepStretchNoLongerEndsTheFastest) {
    // Two sections joined: the first point of the second lies inside the steepest ascent,
    // so after the statistics mark it, the fastest search runs across the boundary.
    TrackSection track;
    BuildLine(track, {100, 150, 200, 250, 260, 270}, 120, 10);
    track.points[4].time += 10 * kSecond;  // slower at the end: (0,3) is the fastest window
    track.points[5].time += 20 * kSecond;
    track.points[0].flags = FlagSectionStart;
    track.points[2].flags = FlagSectionStart;
    track.Analyze(kDefault);
    EXPECT_EQ(track.points[1].flags & FlagFastest, 0);  // (2,5) only: 3 segments
    EXPECT_NE(track.points[2].flags & FlagSteepestAscent, 0);
    ComputeStatistics(track);
    EXPECT_NE(track.points[1].flags & FlagFastest, 0);  // now (0,3) is found first
}

TEST(Statistics, EveryFigureOfASummitPlateau) {
    // 200 m and 30 s per step (24 km/h); states 1, 6, 6, 3, 5, 7, 7, 7 as the classification
    // gives them: 60 s and 400 m of ascent gaining 40 m, 30 s level, 120 s and 800 m of
    // descent losing 60 m. Every figure worked out by hand; times near day 40000 carry
    // about 1e-6 s of rounding, hence the relative tolerance.
    TrackSection track;
    BuildLine(track, {100, 120, 140, 140, 140, 120, 100, 80}, 200.0, 30.0);
    track.Analyze(kDefault);
    const TrackStatistics t = ComputeStatistics(track);
    const double length3D = 5 * std::sqrt(200.0 * 200 + 20 * 20) + 2 * 200.0;  // metres
    const double expected[kStatisticsRowCount] = {
        40000.0, 40000.0 + 210 * kSecond,                    // begin, end
        210 * kSecond, 210 * kSecond, 0.0,                   // total, moving, stopped time
        1.4, length3D / 1000,                                // km
        length3D / 1000 / (210 / 3600.0), length3D / 1000 / (210 / 3600.0), 24.0,  // km/h
        80.0, 140.0, 40.0, 60.0,                             // m
        60 * kSecond, 120 * kSecond, 30 * kSecond,           // ascent, descent, level time
        0.4, 0.8,                                            // km
        60 * kSecond, 120 * kSecond,                         // with credited stops
        40.0, 30.0,                                          // m per minute
        24.0, 24.0, 24.0, 24.0,                              // km/h
        10.0, 7.5, 10.0, 10.0,                               // percent
    };
    for (std::size_t row = 0; row < kStatisticsRowCount; ++row) {
        EXPECT_NEAR(t.Get(row), expected[row], 1e-6 * std::max(1.0, std::abs(expected[row])))
            << kStatisticsRows[row].label;
    }
}

// The help page's worked example: a 3 km walk, flat, up 100 m and down again, a fix every
// 50 m, the recorded heights off by a repeating wobble of up to 5 m.
TEST(Statistics, TheHelpPagesNoisyHill) {
    const double wobble[] = {0, 4, -3, 5, -4, 3, -5, 4};
    const auto ascent = [&](double vertical, bool noisy) {
        TrackSection track;
        for (int i = 0; i <= 60; ++i) {
            const double metres = i * 50.0;
            const double height = metres <= 1000.0   ? 500.0
                                  : metres <= 2000.0 ? 500.0 + (metres - 1000.0) / 10.0
                                                     : 600.0 - (metres - 2000.0) / 10.0;
            AddPoint(track, metres / 111317.09968901669, 8.0,
                     height + (noisy ? wobble[i % 8] : 0.0), 40000.0 + i * 30.0 * kSecond);
        }
        track.Analyze({ConnectNone, vertical, 0.5});
        return ComputeStatistics(track).totalAscent;
    };
    EXPECT_EQ(ascent(0.0, true), 214.0);
    EXPECT_EQ(ascent(3.0, true), 188.0);
    EXPECT_EQ(ascent(15.0, true), 100.0);
    EXPECT_EQ(ascent(0.0, false), 100.0);
}
