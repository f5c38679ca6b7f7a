#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/Classify.h"
#include "support/TrackBuilder.h"

namespace {

using States = std::vector<int32_t>;

const AnalysisSettings kDefault{ConnectNone, 15.0, 0.5};

States StatesOf(const TrackSection& track) {
    States states;
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        states.push_back(track.points[i].state);
    }
    return states;
}

/// The states a walk over the reversed track gives, read back in track order: the copy has
/// its states moved down by one before it is reversed, so the gaps stay where they were.
States BackwardStates(const TrackSection& track, const AnalysisSettings& params) {
    const std::size_t n = track.points.GetSize();
    TrackSection reversed;
    reversed.points.SetSize(n);
    for (std::size_t k = 0; k < n; ++k) {
        reversed.points[k] = track.points[k];
    }
    for (std::size_t k = 0; k + 1 < n; ++k) {
        reversed.points[k].state = reversed.points[k + 1].state;
    }
    reversed.points[n - 1].state = StateRunStart;
    std::reverse(reversed.points.GetData(), reversed.points.GetData() + n);
    reversed.ClassifyPoints(params);
    States states = StatesOf(reversed);
    std::reverse(states.begin(), states.end());
    return states;
}

/// A 120 m, 30 s per step track (4 m/s, so nothing stops) at the given altitudes.
struct Example {
    std::initializer_list<double> altitudes;
    States forward;
    States backward;
    States final;
};

void CheckExample(const Example& example, const AnalysisSettings& params = kDefault) {
    TrackSection track;
    BuildLine(track, example.altitudes);
    track.points[0].state = StateRunStart;
    EXPECT_EQ(BackwardStates(track, params), example.backward);
    track.ClassifyPoints(params);
    EXPECT_EQ(StatesOf(track), example.forward);
    track.Analyze(params);
    EXPECT_EQ(StatesOf(track), example.final);
}

}  // namespace

TEST(Classify, SummitPlateau) {
    CheckExample({{100, 120, 140, 140, 140, 120, 100, 80},
                  {1, 6, 6, 5, 5, 7, 7, 7},
                  {7, 7, 5, 5, 6, 6, 6, 1},
                  {1, 6, 6, 3, 5, 7, 7, 7}});
}

TEST(Classify, LeadInBeforeAClimb) {
    CheckExample(
        {{100, 99, 98, 97, 130, 160}, {1, 4, 4, 4, 6, 6}, {3, 3, 3, 7, 7, 1}, {1, 3, 3, 4, 6, 6}});
}

TEST(Classify, DipInsideAClimbContinuesIt) {
    TrackSection track;
    BuildLine(track, {100, 110, 120, 130, 125, 120, 118, 130, 140, 150});
    track.ClassifyPoints(kDefault);
    EXPECT_EQ(StatesOf(track), (States{1, 4, 6, 6, 4, 4, 4, 4, 6, 6}));
    track.Analyze(kDefault);
    EXPECT_EQ(StatesOf(track), (States{1, 4, 6, 4, 4, 4, 4, 4, 6, 6}));
}

TEST(Classify, ValleyFloorContinuesTheDescent) {
    TrackSection track;
    BuildLine(track, {200, 180, 160, 160, 160, 180, 200});
    track.Analyze(kDefault);
    EXPECT_EQ(StatesOf(track), (States{1, 7, 7, 7, 7, 6, 6}));
}

TEST(Classify, SteadyClimbMustPassTheThreshold) {
    TrackSection track;
    BuildLine(track, {100, 102, 104, 106, 108, 110, 112, 114});
    track.ClassifyPoints({ConnectNone, 15.0, 0.5});
    EXPECT_EQ(StatesOf(track), (States{1, 3, 3, 3, 3, 3, 3, 3}));
    track.Analyze({ConnectNone, 15.0, 0.5});
    EXPECT_EQ(StatesOf(track), (States{1, 3, 3, 3, 3, 3, 3, 3}));
    track.ClassifyPoints({ConnectNone, 13.0, 0.5});
    EXPECT_EQ(StatesOf(track), (States{1, 4, 4, 4, 4, 4, 4, 6}));
    track.Analyze({ConnectNone, 13.0, 0.5});
    EXPECT_EQ(StatesOf(track), (States{1, 4, 4, 4, 4, 4, 4, 6}));
    // Exactly the threshold is not past it, up or down.
    track.ClassifyPoints({ConnectNone, 14.0, 0.5});
    EXPECT_EQ(StatesOf(track), (States{1, 3, 3, 3, 3, 3, 3, 3}));
    TrackSection down;
    BuildLine(down, {114, 100});
    down.ClassifyPoints({ConnectNone, 14.0, 0.5});
    EXPECT_EQ(StatesOf(down), (States{1, 3}));
}

TEST(Classify, SpeedThresholdTellsStoppedFromMoving) {
    TrackSection slow;
    BuildLine(slow, {100, 100}, 10.0, 30.0);  // 0.33 m/s
    slow.Analyze(kDefault);
    EXPECT_EQ(slow.points[1].state, StateStopped);
    TrackSection walking;
    BuildLine(walking, {100, 100}, 20.0, 30.0);  // 0.67 m/s
    walking.Analyze(kDefault);
    EXPECT_NE(walking.points[1].state, StateStopped);
}

TEST(Classify, ZeroDurationIsStoppedOnlyWithoutMovement) {
    TrackSection still;
    BuildLine(still, {100, 100}, 0.0, 0.0);
    still.ClassifyPoints(kDefault);
    EXPECT_EQ(still.points[1].state, StateStopped);
    TrackSection jump;
    BuildLine(jump, {100, 100}, 5.0, 0.0);
    jump.ClassifyPoints(kDefault);
    EXPECT_EQ(jump.points[1].state, StateLevel);
}

TEST(Classify, StoppedPointsNeverServeAsReference) {
    // The stop at 130 would make 140 only 10 m higher; against the run start it is 40 m.
    TrackSection track;
    BuildLine(track, {100, 130, 140});
    track.points[1].time = track.points[0].time + 300 * kSecond;  // 120 m in 5 minutes
    track.points[2].time = track.points[1].time + 30 * kSecond;
    track.ClassifyPoints(kDefault);
    EXPECT_EQ(StatesOf(track), (States{1, 2, 6}));
}

TEST(Classify, RunStartsStayAndDistanceIncludesTheGap) {
    TrackSection track;
    BuildLine(track, {100, 100, 100, 100});
    track.points[0].state = StateRunStart;
    track.points[2].state = StateRunStart;
    track.points[2].latitude += 0.01;  // about 1113 m further
    track.points[3].latitude += 0.01;
    track.Analyze(kDefault);
    EXPECT_EQ(track.points[0].state, StateRunStart);
    EXPECT_EQ(track.points[2].state, StateRunStart);
    EXPECT_EQ(track.points[0].distance, 0.0);
    EXPECT_NEAR(track.points[2].distance, 240 + 1113.17, 0.01);
}

TEST(Classify, EmptyAndSinglePointTracks) {
    TrackSection empty;
    empty.Analyze(kDefault);
    EXPECT_EQ(empty.points.GetSize(), 0u);
    TrackSection one;
    AddPoint(one, 45, 7, 300, 40000);
    one.points[0].distance = 99;
    one.Analyze(kDefault);
    EXPECT_EQ(one.points[0].state, StateRunStart);
    EXPECT_EQ(one.points[0].distance, 0.0);
    EXPECT_EQ(one.points[0].flags, 0);
}

TEST(Classify, AnalyzeMatchesAClassificationOfAReversedCopy) {
    // Random walks with stops, breaks, equal times and flat stretches, against the merge of
    // a forward classification and one of an explicit reversed copy.
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        TrackSection track;
        double latitude = 46;
        double altitude = 500;
        double time = 40000;
        const int n = 2 + static_cast<int>(random() % 120);
        for (int i = 0; i < n; ++i) {
            latitude += (random() % 4) * 0.0015;
            altitude += static_cast<double>(static_cast<int>(random() % 21) - 10) * (random() % 3);
            time += (random() % 4) * 10 * kSecond;
            AddPoint(track, latitude, 8, altitude, time, random() % 9 == 0 ? StateRunStart : 0);
        }
        track.points[0].state = StateRunStart;
        const AnalysisSettings params{ConnectNone, static_cast<double>(random() % 20), 0.5};

        const States backward = BackwardStates(track, params);
        TrackSection expected;
        expected.points.Append(track.points.GetData(), track.points.GetSize());
        expected.ClassifyPoints(params);
        TrackPoint* f = expected.points.GetData();
        for (int i = 0; i + 1 < n; ++i) {
            if (f[i].state == StateRising && f[i + 1].state == StateInAscent) {
                f[i].state = StateInAscent;
            }
            if (f[i].state == StateFalling && f[i + 1].state == StateInDescent) {
                f[i].state = StateInDescent;
            }
        }
        for (int i = 0; i < n; ++i) {
            if (f[i].state == StateInAscent && backward[i] == StateInAscent) {
                f[i].state = StateLevel;
            }
            if (f[i].state == StateInDescent && backward[i] == StateInDescent) {
                f[i].state = StateLevel;
            }
            if (f[i].state != StateRunStart && backward[i] == StateLevel) {
                f[i].state = StateLevel;
            }
        }
        expected.FindFastest();
        expected.FindSteepestDescent();
        expected.FindSteepestAscent();
        track.Analyze(params);
        ASSERT_EQ(StatesOf(track), StatesOf(expected)) << "round " << round;
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(track.points[i].distance, expected.points[i].distance);
            ASSERT_EQ(track.points[i].flags, expected.points[i].flags) << "round " << round;
        }
    }
}
