// The elevation source: terrain heights looked up once after reading, chosen on the joined
// track and again on a range; the figures follow the chosen heights.

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/ElevationChoice.h"
#include "analysis/Joining.h"
#include "analysis/RangeCut.h"
#include "analysis/Statistics.h"
#include "dem/TerrainHeights.h"
#include "support/TerrainFiles.h"
#include "support/TestFiles.h"

namespace {

std::vector<double> Altitudes(const TrackSection& track) {
    std::vector<double> altitudes;
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        altitudes.push_back(track.points[i].altitude);
    }
    return altitudes;
}

/// Joins the sections with the elevation source.
TrackSection Joined(const TrackSectionList& list, ElevationSource source) {
    AnalysisSettings settings;
    settings.elevation = source;
    TrackSection track;
    JoinSections(list, std::vector<std::size_t>{0}, settings, track);
    return track;
}

}  // namespace

TEST(ElevationChoice, ThreeChoicesOnAPlane) {
    const TempFile gpx(PlaneTrackGpx(), "plane.gpx");
    std::ofstream(PathFromUtf8(gpx.Dir() + "/N46E013.hgt"), std::ios::binary) << PlaneTile();
    TrackSectionList list;
    list.LoadTrackFile(gpx.Path());
    TerrainModel model(gpx.Dir());
    std::vector<std::string> messages;
    AddTerrainHeights(model, list, 0, messages);
    EXPECT_TRUE(messages.empty());
    const std::vector<double> recorded = {500, 500, 510, 505, 505, 520};
    const struct {
        ElevationSource source;
        std::vector<double> heights;
        std::size_t withoutTerrain;
    } cases[] = {
        {ElevationSource::Recorded, recorded, 0},
        {ElevationSource::Terrain, {2400, 2440, 2480, 505, 505, 2600}, 2},
        {ElevationSource::TerrainWhereMissing, {500, 2440, 510, 505, 505, 520}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.source));
        TrackSection track = Joined(list, c.source);
        ASSERT_EQ(track.points.GetSize(), 6u);
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_DOUBLE_EQ(track.points[i].altitude, c.heights[i]) << i;
            EXPECT_EQ(RecordedAltitude(track, i), recorded[i]) << i;
        }
        EXPECT_EQ(CountWithoutTerrain(list[0], c.source), c.withoutTerrain);
        // Every figure is that of the same points recorded at the chosen heights.
        TrackSectionList plain;
        CopyPoints(track, plain.Add());
        plain[0].elevations.RemoveAll();
        TrackSection same = Joined(plain, ElevationSource::Recorded);
        const TrackStatistics chosen = ComputeStatistics(track);
        const TrackStatistics expected = ComputeStatistics(same);
        for (std::size_t row = 0; row < kStatisticsRowCount; ++row) {
            EXPECT_TRUE(chosen.Get(row) == expected.Get(row)
                        || (std::isnan(chosen.Get(row)) && std::isnan(expected.Get(row))))
                << kStatisticsRows[row].label;
        }
        // A range is chosen again from the recorded and the terrain heights.
        TrackSection range;
        AnalysisSettings settings;
        settings.elevation = c.source;
        CutRange(track, 1, 4, settings, range);
        EXPECT_EQ(Altitudes(range),
                  std::vector<double>(c.heights.begin() + 1, c.heights.end() - 1));
        EXPECT_EQ(RecordedAltitude(range, 0), recorded[1]);
        // A new choice on the same track starts from the recorded heights.
        ChooseElevations(track, ElevationSource::Recorded);
        EXPECT_EQ(Altitudes(track), recorded);
        EXPECT_TRUE(track.elevations.recorded.IsEmpty());
    }
}

TEST(ElevationChoice, MarksOnlyWhereAFileHasNoElevation) {
    // The point without elevation has no time either, and is dropped with its mark.
    const TempFile gpx(
        "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><ele>7</ele><time>2024-05-01T10:00:00Z"
        "</time></trkpt><trkpt lat=\"1\" lon=\"3\"></trkpt><trkpt lat=\"1\" lon=\"4\"><ele>9"
        "</ele><time>2024-05-01T10:01:00Z</time></trkpt></trkseg></trk></gpx>",
        "full.gpx");
    const TempFile plt(Header() + "1,2,0,100,40000\r\n1,3,0,-777,40000.1\r\n", "t.plt");
    TrackSectionList list;
    list.LoadTrackFile(gpx.Path());
    list.ReadTrackFile(plt.Path());
    EXPECT_TRUE(list[0].elevations.unrecorded.IsEmpty());
    EXPECT_TRUE(!list[1].elevations.IsUnrecorded(0) && list[1].elevations.IsUnrecorded(1));
    // Without terrain heights every source keeps the recorded ones and holds nothing more.
    const TrackSection track = Joined(list, ElevationSource::Terrain);
    EXPECT_EQ(Altitudes(track), (std::vector<double>{7, 9}));
    EXPECT_TRUE(track.elevations.recorded.IsEmpty() && track.elevations.terrain.IsEmpty()
                && track.elevations.unrecorded.IsEmpty());
}
