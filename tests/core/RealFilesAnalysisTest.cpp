#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/Classify.h"
#include "analysis/Geometry.h"
#include "analysis/Joining.h"
#include "analysis/Statistics.h"
#include "support/TestFiles.h"

namespace {

std::vector<std::string> RealFiles() {
    std::vector<std::string> files;
    const std::string dir = std::string(PELORIN_REAL_DATA) + "/plt";
    if (std::filesystem::is_directory(dir)) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            files.push_back(entry.path().string());
        }
    }
    files.push_back(std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt");
    return files;
}

std::vector<std::size_t> AllRows(const TrackSectionList& list) {
    std::vector<std::size_t> rows(list.GetSize());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = i;
    }
    return rows;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

/// The automatic join as a full analysis of the unjoined track, its stretch flags cleared,
/// the boundary test and a second analysis.
void JoinAutoLiterally(const TrackSectionList& list, TrackSection& track) {
    JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectNone, 15, 1.8),
                 track);  // copy and first analysis
    TrackPoint* p = track.points.GetData();
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        p[i].flags &= FlagSectionStart;
    }
    for (std::size_t i = 1; i < track.points.GetSize(); ++i) {
        if (p[i].state == StateRunStart && p[i].time - p[i - 1].time <= 0.03125
            && p[i].distance - p[i - 1].distance <= 5000) {
            p[i].state = StateConnected;
        }
    }
    track.Analyze({ConnectNone, 15, 1.8 * 0.2777777777777778});
}

}  // namespace

TEST(RealFilesAnalysis, EveryPointClassifiedAndDistancesCumulative) {
    for (const std::string& file : RealFiles()) {
        TrackSectionList list;
        ASSERT_EQ(list.LoadTrackFile(file).status, ReadStatus::Ok) << file;
        for (ConnectionMode mode : {ConnectNone, ConnectAuto, ConnectAll}) {
            TrackSection track;
            JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(mode, 15, 1.8), track);
            const TrackPoint* p = track.points.GetData();
            double planar = 0.0;
            for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
                ASSERT_GE(p[i].state, StateRunStart) << file << " mode " << mode << " point " << i;
                ASSERT_LE(p[i].state, StateFalling) << file << " mode " << mode << " point " << i;
                if (i > 0) {
                    ASSERT_EQ(p[i].distance, p[i - 1].distance + Distance2D(p[i - 1], p[i]));
                    planar += p[i].state == StateRunStart ? 0.0 : Distance2D(p[i - 1], p[i]);
                }
            }
            EXPECT_EQ(track.GetLength2D(), planar) << file;
        }
    }
}

TEST(RealFilesAnalysis, AutomaticJoinEqualsAnalysingTwice) {
    for (const std::string& file : RealFiles()) {
        TrackSectionList list;
        list.LoadTrackFile(file);
        TrackSection fast;
        TrackSection literal;
        JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectAuto, 15, 1.8), fast);
        JoinAutoLiterally(list, literal);
        ASSERT_EQ(fast.points.GetSize(), literal.points.GetSize());
        for (std::size_t i = 0; i < fast.points.GetSize(); ++i) {
            const TrackPoint& a = fast.points[i];
            const TrackPoint& b = literal.points[i];
            ASSERT_TRUE(a.state == b.state && a.flags == b.flags
                        && SameBits(a.distance, b.distance))
                << file << " point " << i;
        }
    }
}

TEST(RealFilesAnalysis, StatisticsAgreeWithSingleMeasurements) {
    for (const std::string& file : RealFiles()) {
        TrackSectionList list;
        list.LoadTrackFile(file);
        TrackSection track;
        JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectAuto, 15, 1.8), track);
        const TrackStatistics t = ComputeStatistics(track);
        const TrackStatistics again = ComputeStatistics(track);
        EXPECT_EQ(std::memcmp(&t, &again, sizeof t), 0) << file;
        EXPECT_TRUE(SameBits(t.distance2D, track.GetLength2D() * 0.001)) << file;
        EXPECT_TRUE(SameBits(t.distance3D, track.GetLength3D() * 0.001)) << file;
        EXPECT_TRUE(SameBits(t.totalTime, track.GetTotalTime())) << file;
        EXPECT_TRUE(SameBits(t.movingTime, track.GetMovingTime())) << file;
        EXPECT_TRUE(SameBits(t.stoppedTime, track.GetStoppedTime())) << file;
        EXPECT_TRUE(SameBits(t.levelTime, track.GetLevelTime())) << file;
        EXPECT_TRUE(SameBits(t.totalAscentTime, track.GetTotalAscentTime())) << file;
        EXPECT_TRUE(SameBits(t.totalDescentTime, track.GetTotalDescentTime())) << file;
        EXPECT_TRUE(SameBits(t.totalAscent, track.GetAltitudeGain())) << file;
        EXPECT_TRUE(SameBits(t.totalDescent, track.GetAltitudeLoss() * -1.0)) << file;
        EXPECT_TRUE(SameBits(t.ascentDistance, track.GetAscentLength() * 0.001)) << file;
        EXPECT_TRUE(SameBits(t.minElevation, track.GetMinAltitude())) << file;
        EXPECT_TRUE(SameBits(t.maxElevation, track.GetMaxAltitude())) << file;
        EXPECT_TRUE(SameBits(t.maximumSpeed, track.FindFastest() * 4.1666666666666665e-05)) << file;
        // Moving time is what is left of the total once the stops are taken out.
        EXPECT_NEAR(t.movingTime + t.stoppedTime, t.totalTime, 1e-9) << file;
        EXPECT_NEAR(t.ascentTime + t.descentTime + t.levelTime, t.movingTime, 1e-9) << file;
    }
}

TEST(RealFilesAnalysis, StatisticsMarkTheStretchesAsTheSearchesInTurnWould) {
    for (const std::string& file : RealFiles()) {
        TrackSectionList list;
        list.LoadTrackFile(file);
        for (ConnectionMode mode : {ConnectNone, ConnectAll}) {
            TrackSection track;
            JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(mode, 10, 3), track);
            TrackSection searched;
            searched.points.Append(track.points.GetData(), track.points.GetSize());
            const double fastest = searched.FindFastest();
            const double ascent = searched.FindSteepestAscent();
            const double descent = searched.FindSteepestDescent();
            const TrackStatistics t = ComputeStatistics(track);
            EXPECT_TRUE(SameBits(t.maximumSpeed, fastest * 4.1666666666666665e-05)) << file;
            EXPECT_TRUE(SameBits(t.maximumAscentSlope, ascent * 100)) << file;
            EXPECT_TRUE(SameBits(t.maximumDescentSlope, descent * 100)) << file;
            for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
                ASSERT_EQ(track.points[i].flags, searched.points[i].flags) << file << " " << i;
            }
        }
    }
}
