#include <gtest/gtest.h>

#include "support/TrackBuilder.h"

namespace {

/// A run along the meridian, 0.001 degree per point, with the given states and durations (s).
void BuildTimed(TrackSection& section, std::initializer_list<int32_t> states,
                std::initializer_list<double> durations) {
    double time = 40000.0;
    AddPoint(section, 0, 0, 0, time, StateRunStart);
    auto duration = durations.begin();
    double latitude = 0;
    for (int32_t state : states) {
        time += *duration++ * kSecond;
        latitude += 0.001;
        AddPoint(section, latitude, 0, 0, time, state);
    }
}

}  // namespace

TEST(TrackMetrics, EmptyTrackMeasuresZero) {
    TrackSection track;
    EXPECT_EQ(track.GetBeginTime(), 0.0);
    EXPECT_EQ(track.GetEndTime(), 0.0);
    EXPECT_EQ(track.GetLength2D(), 0.0);
    EXPECT_EQ(track.GetLength3D(), 0.0);
    EXPECT_EQ(track.GetTotalTime(), 0.0);
    EXPECT_EQ(track.GetTotalAscentTime(), 0.0);
}

TEST(TrackMetrics, SinglePointHasItsTimeAndNoLength) {
    TrackSection track;
    AddPoint(track, 45, 7, 500, 41000.25, StateRunStart);
    EXPECT_EQ(track.GetBeginTime(), 41000.25);
    EXPECT_EQ(track.GetEndTime(), 41000.25);
    EXPECT_EQ(track.GetLength3D(), 0.0);
    EXPECT_EQ(track.GetMovingTime(), 0.0);
}

TEST(TrackMetrics, GapsBetweenRunsCountInNoSum) {
    TrackSection track;
    AddPoint(track, 0, 0, 0, 40000.0, StateRunStart);
    AddPoint(track, 0.001, 0, 0, 40000.0 + 10 * kSecond, StateLevel);
    AddPoint(track, 5.0, 0, 900, 40001.0, StateRunStart);  // far away, a day later
    AddPoint(track, 5.001, 0, 900, 40001.0 + 20 * kSecond, StateStopped);
    EXPECT_NEAR(track.GetLength2D(), 2 * 111.31709968901669, 1e-9);
    EXPECT_NEAR(track.GetLength3D(), 2 * 111.31709968901669, 1e-9);
    EXPECT_NEAR(track.GetTotalTime() / kSecond, 30, 1e-6);
    EXPECT_NEAR(track.GetMovingTime() / kSecond, 10, 1e-6);
    EXPECT_NEAR(track.GetStoppedTime() / kSecond, 20, 1e-6);
}

TEST(TrackMetrics, ConnectedSegmentsCountOnlyInTotalsAndLengths) {
    TrackSection track;
    AddPoint(track, 0, 0, 0, 40000.0, StateRunStart);
    AddPoint(track, 0.001, 0, 0, 40000.0 + 10 * kSecond, StateConnected);
    EXPECT_GT(track.GetLength2D(), 111.0);
    EXPECT_GT(track.GetTotalTime(), 0.0);
    EXPECT_GT(track.GetMovingTime(), 0.0);
    EXPECT_EQ(track.GetLevelTime() + track.GetStoppedTime() + track.GetAscentTime(), 0.0);
}

TEST(TrackMetrics, BackwardTimesGiveNegativeDurations) {
    TrackSection track;
    BuildTimed(track, {StateLevel, StateLevel}, {-30, 10});
    EXPECT_NEAR(track.GetTotalTime() / kSecond, -20, 1e-6);
    EXPECT_NEAR(track.GetLevelTime() / kSecond, -20, 1e-6);
}

TEST(TrackMetrics, DurationsByState) {
    TrackSection track;
    BuildTimed(track, {StateLevel, StateInAscent, StateRising, StateInDescent, StateFalling},
               {1, 2, 4, 8, 16});
    EXPECT_NEAR(track.GetLevelTime() / kSecond, 1, 1e-6);
    EXPECT_NEAR(track.GetAscentTime() / kSecond, 6, 1e-6);
    EXPECT_NEAR(track.GetDescentTime() / kSecond, 24, 1e-6);
    EXPECT_NEAR(track.GetMovingTime() / kSecond, 31, 1e-6);
}

TEST(TrackMetrics, StopsAreCreditedToTheNextAscentAndDescent) {
    TrackSection track;
    BuildTimed(track, {StateStopped, StateStopped, StateFalling, StateRising}, {10, 20, 30, 40});
    EXPECT_NEAR(track.GetTotalAscentTime() / kSecond, 70, 1e-6);
    EXPECT_NEAR(track.GetTotalDescentTime() / kSecond, 60, 1e-6);
    EXPECT_NEAR(track.GetStoppedTime() / kSecond, 30, 1e-6);
}

TEST(TrackMetrics, RunStartDropsAPendingStop) {
    TrackSection track;
    BuildTimed(track, {StateStopped, StateRunStart, StateRising}, {10, 20, 30});
    EXPECT_NEAR(track.GetTotalAscentTime() / kSecond, 30, 1e-6);
}

TEST(TrackMetrics, StopAfterTheLastAscentIsInNeitherTotal) {
    TrackSection track;
    BuildTimed(track, {StateInAscent, StateStopped}, {10, 20});
    EXPECT_NEAR(track.GetTotalAscentTime() / kSecond, 10, 1e-6);
    EXPECT_EQ(track.GetTotalDescentTime(), 0.0);
    EXPECT_NEAR(track.GetStoppedTime() / kSecond, 20, 1e-6);
}
