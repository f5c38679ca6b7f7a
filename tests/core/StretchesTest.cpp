#include <vector>

#include <gtest/gtest.h>

#include "analysis/Classify.h"
#include "support/TrackBuilder.h"

namespace {

/// Points with the given states, cumulative distances (m) and times (s); the searches read
/// nothing else but altitude and flags.
void Build(TrackSection& track, std::vector<int32_t> states, std::vector<double> distances,
           std::vector<double> seconds, std::vector<double> altitudes = {}) {
    for (std::size_t i = 0; i < states.size(); ++i) {
        TrackPoint& p = track.points.Add();
        p.state = states[i];
        p.distance = distances[i];
        p.time = seconds[i] * kSecond;
        p.altitude = altitudes.empty() ? 0.0 : altitudes[i];
    }
}

std::vector<int32_t> Flags(const TrackSection& track) {
    std::vector<int32_t> flags;
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        flags.push_back(track.points[i].flags);
    }
    return flags;
}

constexpr int F = FlagFastest;

}  // namespace

TEST(FindFastest, NeedsMoreThanTwentySeconds) {
    TrackSection track;
    Build(track, {1, 3, 3, 3}, {0, 100, 200, 300}, {0, 6, 12, 18});
    EXPECT_EQ(track.FindFastest(), 0.0);
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, 0, 0, 0}));

    TrackSection longer;
    Build(longer, {1, 3, 3, 3, 3}, {0, 100, 200, 300, 400}, {0, 6, 12, 18, 24});
    EXPECT_NEAR(longer.FindFastest(), 400 / (24 * kSecond), 1e-3);
    EXPECT_EQ(Flags(longer), (std::vector<int32_t>{0, F, F, F, F}));  // from point 0 to 4
}

TEST(FindFastest, NeedsThreeSegments) {
    TrackSection track;
    Build(track, {1, 3, 3, 3}, {0, 100, 200, 300}, {0, 10, 20, 30});
    EXPECT_NEAR(track.FindFastest() * 4.1666666666666665e-05, 36.0, 1e-9);
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, F, F, F}));
}

TEST(FindFastest, TiesKeepTheFirstAndFasterReplaces) {
    // Times of 1/4096 day (21 s) per step keep every speed exact: windows (0,3) and (1,4)
    // are equally fast, (2,5) is faster.
    TrackSection track;
    Build(track, {1, 3, 3, 3, 3, 3}, {0, 256, 512, 768, 1024, 1536}, {0, 0, 0, 0, 0, 0});
    TrackSection tie;
    Build(tie, {1, 3, 3, 3, 3}, {0, 256, 512, 768, 1024}, {0, 0, 0, 0, 0});
    for (std::size_t i = 0; i < 6; ++i) {
        track.points[i].time = static_cast<double>(i) / 4096;
        if (i < 5) {
            tie.points[i].time = static_cast<double>(i) / 4096;
        }
    }
    track.FindFastest();
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, 0, 0, F, F, F}));
    tie.FindFastest();
    EXPECT_EQ(Flags(tie), (std::vector<int32_t>{0, F, F, F, 0}));
}

TEST(FindFastest, NeverRunsAcrossARunOrSectionStart) {
    TrackSection track;
    Build(track, {1, 3, 3, 0, 3, 3}, {0, 100, 200, 300, 400, 500}, {0, 10, 20, 30, 40, 50});
    track.points[3].flags = FlagSectionStart;
    EXPECT_EQ(track.FindFastest(), 0.0);
    // Once the section start carries another flag it no longer stops the search.
    track.points[3].flags = FlagSectionStart | FlagSteepestAscent;
    EXPECT_GT(track.FindFastest(), 0.0);
}

TEST(FindSteepest, NeedsMoreThan300Metres) {
    TrackSection track;
    Build(track, {1, 6, 6, 6}, {0, 100, 200, 300}, {0, 10, 20, 30}, {100, 110, 120, 130});
    EXPECT_EQ(track.FindSteepestAscent(), 0.0);
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, 0, 0, 0}));
    track.points[3].distance = 301;
    EXPECT_NEAR(track.FindSteepestAscent(), 30.0 / 301.0, 1e-15);
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, 1, 1, 1}));
}

TEST(FindSteepest, SummitPlateauDescent) {
    TrackSection track;
    BuildLine(track, {100, 120, 140, 140, 140, 120, 100, 80});
    track.Analyze({ConnectNone, 15.0, 0.5});
    std::vector<int32_t> descent;
    for (int32_t flags : Flags(track)) {
        descent.push_back(flags & FlagSteepestDescent);
    }
    EXPECT_EQ(descent, (std::vector<int32_t>{0, 0, 0, 0, 0, 2, 2, 2}));
    EXPECT_NEAR(track.FindSteepestDescent(), 60.0 / 360.0, 1e-12);
}

TEST(FindSteepest, MayIncludeStopsAndTheLeadingPointButStopsAtOtherStates) {
    TrackSection track;
    // The stretch starts at the level point 1 and runs through a stop; the level point 5
    // ends the search there.
    Build(track, {1, 3, 6, 2, 4, 3, 6}, {0, 100, 300, 310, 500, 600, 1000}, {0, 1, 2, 3, 4, 5, 6},
          {0, 0, 40, 41, 60, 60, 100});
    EXPECT_NEAR(track.FindSteepestAscent(), 60.0 / 400.0, 1e-15);
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, 0, 1, 1, 1, 0, 0}));
    EXPECT_EQ(track.FindSteepestDescent(), 0.0);
}

TEST(FindSteepest, AFlaggedPointKeepsItsOtherFlags) {
    TrackSection track;
    Build(track, {1, 7, 7, 7}, {0, 200, 400, 600}, {0, 1, 2, 3}, {300, 250, 200, 150});
    track.points[2].flags = FlagSectionStart | FlagFastest;
    EXPECT_NEAR(track.FindSteepestDescent(), 0.25, 1e-15);
    EXPECT_EQ(Flags(track), (std::vector<int32_t>{0, 2, 2 | 8 | 4, 0}));  // (0,2) came first
}
