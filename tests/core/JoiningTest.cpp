#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/Geometry.h"
#include "analysis/Joining.h"
#include "support/TrackBuilder.h"

namespace {

constexpr double kMinute = 60 * kSecond;

/// A section of three points walking north from the given latitude, starting at the given
/// time, one minute and 100 m apart.
void AddSection(TrackSectionList& list, double latitude, double startTime) {
    TrackSection& section = list.Add();
    section.name = "S";
    for (int i = 0; i < 3; ++i) {
        AddPoint(section, latitude + i * 100 / kMetresPerDegree, 8, 500, startTime + i * kMinute);
    }
}

/// Two sections: the second starts gapMinutes after the first ends, jumpMetres north of it.
TrackSectionList TwoSections(double gapMinutes, double jumpMetres) {
    TrackSectionList list;
    AddSection(list, 46.0, 40000.0);
    const TrackPoint& end = list[0].points[2];
    AddSection(list, end.latitude + jumpMetres / kMetresPerDegree, end.time + gapMinutes * kMinute);
    return list;
}

std::size_t RunStarts(const TrackSection& track) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        count += track.points[i].state == StateRunStart;
    }
    return count;
}

std::size_t Join(const TrackSectionList& list, int mode, TrackSection& track,
                 std::vector<std::size_t> rows = {0, 1}) {
    JoinSections(list, rows,
                 AnalysisSettings::FromKmh(static_cast<ConnectionMode>(mode), 15.0, 1.8), track);
    return RunStarts(track);
}

}  // namespace

TEST(Joining, NoneKeepsEverySectionApart) {
    const TrackSectionList list = TwoSections(30, 2000);
    TrackSection track;
    EXPECT_EQ(Join(list, ConnectNone, track), 2u);
    EXPECT_EQ(track.points[3].state, StateRunStart);
    EXPECT_NEAR(track.GetLength2D(), 400, 1e-6);  // the jump is a gap
    EXPECT_NEAR(track.GetTotalTime() / kMinute, 4, 1e-6);
    EXPECT_NEAR(track.points[3].distance, 2200, 1e-6);  // but the distance runs on
}

TEST(Joining, AllMakesOneTrack) {
    const TrackSectionList list = TwoSections(300, 20000);
    TrackSection track;
    EXPECT_EQ(Join(list, ConnectAll, track), 1u);
    EXPECT_NEAR(track.GetLength2D(), 20400, 1e-6);
    EXPECT_NEAR(track.GetTotalTime() / kMinute, 304, 1e-6);
    EXPECT_EQ(track.points[0].flags & FlagSectionStart, FlagSectionStart);
    EXPECT_EQ(track.points[3].flags & FlagSectionStart, FlagSectionStart);
    EXPECT_EQ(track.points[4].flags & FlagSectionStart, 0);
}

TEST(Joining, AutoJoinsWithin45MinutesAnd5000MetresInclusive) {
    TrackSection track;
    EXPECT_EQ(Join(TwoSections(44, 4999), ConnectAuto, track), 1u);
    EXPECT_EQ(Join(TwoSections(46, 4999), ConnectAuto, track), 2u);
    EXPECT_EQ(Join(TwoSections(44, 5001), ConnectAuto, track), 2u);
    EXPECT_EQ(Join(TwoSections(-60, 100), ConnectAuto, track), 1u);  // starts before the end
}

TEST(Joining, AutoJumpOfExactly5000MetresJoins) {
    TrackSectionList list;
    AddPoint(list.Add(), 0.0, 8.0, 500, 40000.0);
    double latitude = 5000.0 / kMetresPerDegree;  // nudged until the jump is 5000.0 to the bit
    while (latitude * kMetresPerDegree < 5000.0) {
        latitude = std::nextafter(latitude, 1.0);
    }
    while (latitude * kMetresPerDegree > 5000.0) {
        latitude = std::nextafter(latitude, 0.0);
    }
    AddPoint(list.Add(), latitude, 8.0, 500, 40000.0 + kMinute);
    ASSERT_EQ(Distance2D(list[0].points[0], list[1].points[0]), 5000.0);
    TrackSection track;
    EXPECT_EQ(Join(list, ConnectAuto, track), 1u);
}

TEST(Joining, AutoTimeBoundIsInclusive) {
    TrackSectionList list;
    AddSection(list, 46.0, 40000.0);
    AddSection(list, 46.01, 0.0);
    list[1].points[0].time = list[0].points[2].time + 0.03125;  // exactly 45 minutes later
    TrackSection track;
    EXPECT_EQ(Join(list, ConnectAuto, track), 1u);
}

TEST(Joining, RowOrderNotChoiceOrderAndEachRowOnce) {
    TrackSectionList list;
    for (int i = 0; i < 3; ++i) {
        AddSection(list, 40.0 + i, 40000.0 + i);
    }
    TrackSection track;
    JoinSections(list, std::vector<std::size_t>{2, 0, 2, 7},
                 AnalysisSettings::FromKmh(ConnectNone, 15, 1.8), track);
    ASSERT_EQ(track.points.GetSize(), 6u);
    EXPECT_EQ(track.points[0].latitude, 40.0);
    EXPECT_EQ(track.points[3].latitude, 42.0);
}

TEST(Joining, EmptySectionsAddNothing) {
    TrackSectionList list;
    AddSection(list, 46.0, 40000.0);
    list.Add();
    AddSection(list, 46.0 + 400 / kMetresPerDegree, 40000.0 + 3 * kMinute);
    TrackSection track;
    // The empty middle section does not stand between the two others.
    EXPECT_EQ(Join(list, ConnectAuto, track, {0, 1, 2}), 1u);
    EXPECT_EQ(track.points.GetSize(), 6u);
    EXPECT_EQ(track.points[3].flags & FlagSectionStart, FlagSectionStart);

    TrackSection none;
    EXPECT_EQ(Join(list, ConnectAuto, none, {1}), 0u);
    EXPECT_EQ(none.points.GetSize(), 0u);
    EXPECT_EQ(Join(list, ConnectAuto, none, {}), 0u);
}

TEST(Joining, UnknownModesKeepSectionsApart) {
    const TrackSectionList list = TwoSections(1, 10);
    TrackSection track;
    EXPECT_EQ(Join(list, -1, track), 2u);
    EXPECT_EQ(Join(list, 7, track), 2u);
}

TEST(Joining, ThresholdsAreMetresAndKilometresPerHour) {
    // 100 m a minute is 6 km/h: stopped under a 7 km/h threshold, moving under 5.
    const TrackSectionList list = TwoSections(1, 100);
    TrackSection track;
    const std::vector<std::size_t> rows{0};
    JoinSections(list, rows, AnalysisSettings::FromKmh(ConnectNone, 15, 7), track);
    EXPECT_EQ(track.points[1].state, StateStopped);
    JoinSections(list, rows, AnalysisSettings::FromKmh(ConnectNone, 15, 5), track);
    EXPECT_EQ(track.points[1].state, StateLevel);
}

TEST(Joining, SectionStartsInsideJoinedTracksStillEndFastestStretches) {
    const TrackSectionList list = TwoSections(1, 100);
    TrackSection track;
    Join(list, ConnectAll, track);
    // Both sections are too short for a stretch of their own: no fastest stretch at all.
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        EXPECT_EQ(track.points[i].flags & FlagFastest, 0) << i;
    }
}

TEST(Joining, SectionsNotNeededAfterwardsGiveTheSameTrack) {
    TrackSectionList list = TwoSections(10, 300);
    list.Add();
    AddSection(list, 47.0, 40000.5);
    const std::vector<std::size_t> rows{3, 2, 0, 1};
    for (ConnectionMode mode : {ConnectNone, ConnectAuto, ConnectAll}) {
        TrackSection copied;
        JoinSections(list, rows, AnalysisSettings::FromKmh(mode, 15, 1.8), copied);
        TrackSectionList spare = TwoSections(10, 300);
        spare.Add();
        AddSection(spare, 47.0, 40000.5);
        TrackSection taken;
        JoinSections(std::move(spare), rows, AnalysisSettings::FromKmh(mode, 15, 1.8), taken);
        ASSERT_EQ(taken.points.GetSize(), 9u);
        for (std::size_t i = 0; i < 9; ++i) {
            EXPECT_EQ(std::memcmp(&taken.points[i], &copied.points[i], sizeof(TrackPoint)), 0);
        }
        EXPECT_EQ(spare.GetSize(), 4u);  // still a valid list
    }
    EXPECT_EQ(list[0].points.GetSize(), 3u);  // the copying join leaves the sections alone
}
