// The elevation source: terrain heights looked up once after reading, chosen on the joined
// track, carried by range cuts; the figures follow the chosen heights.

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

const std::vector<double> kRecorded = {500, 500, 510, 505, 505, 520};

/// The plane track read, with its terrain heights looked up.
TrackSectionList PlaneTrack(const TempFile& gpx, std::vector<std::string>& messages) {
    std::ofstream(PathFromUtf8(gpx.Dir() + "/N46E013.hgt"), std::ios::binary) << PlaneTile();
    TrackSectionList list;
    list.LoadTrackFile(gpx.Path());
    TerrainModel model(gpx.Dir());
    AddTerrainHeights(model, list, 0, messages);
    return list;
}

std::vector<double> Altitudes(const TrackSection& track) {
    std::vector<double> altitudes;
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        altitudes.push_back(track.points[i].altitude);
    }
    return altitudes;
}

/// The 31 figures of the points with the given heights, read as recorded ones.
TrackStatistics FiguresOf(const TrackSection& points, const std::vector<double>& heights) {
    TrackSectionList list;
    CopyPoints(points, list.Add());
    list[0].elevations.RemoveAll();
    for (std::size_t i = 0; i < heights.size(); ++i) {
        list[0].points[i].altitude = heights[i];
    }
    TrackSection track;
    JoinSections(list, std::vector<std::size_t>{0}, AnalysisSettings{}, track);
    return ComputeStatistics(track);
}

}  // namespace

TEST(ElevationChoice, ThreeChoicesOnAPlane) {
    SKIP_WITHOUT_XML();
    const TempFile gpx(PlaneTrackGpx(), "plane.gpx");
    std::vector<std::string> messages;
    const TrackSectionList list = PlaneTrack(gpx, messages);
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_EQ(list.GetSize(), 1u);
    const TrackElevations& read = list[0].elevations;
    EXPECT_EQ(std::vector<unsigned char>(read.unrecorded.GetData(), read.unrecorded.GetData() + 6),
              (std::vector<unsigned char>{0, 1, 0, 0, 1, 0}));
    const struct {
        ElevationSource source;
        std::vector<double> heights;
        std::size_t withoutTerrain;
    } cases[] = {
        {ElevationSource::Recorded, kRecorded, 0},
        {ElevationSource::Terrain, {2400, 2440, 2480, 505, 505, 2600}, 2},
        {ElevationSource::TerrainWhereMissing, {500, 2440, 510, 505, 505, 520}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.source));
        AnalysisSettings settings;
        settings.elevation = c.source;
        TrackSection track;
        JoinSections(list, std::vector<std::size_t>{0}, settings, track);
        ASSERT_EQ(track.points.GetSize(), 6u);
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_DOUBLE_EQ(track.points[i].altitude, c.heights[i]) << i;
            EXPECT_EQ(RecordedAltitude(track, i), kRecorded[i]) << i;
        }
        EXPECT_EQ(CountWithoutTerrain(list[0], c.source), c.withoutTerrain);
        // Every figure is that of a track recorded with the chosen heights.
        const TrackStatistics chosen = ComputeStatistics(track);
        const TrackStatistics plain = FiguresOf(list[0], Altitudes(track));
        for (std::size_t row = 0; row < kStatisticsRowCount; ++row) {
            EXPECT_TRUE(chosen.Get(row) == plain.Get(row)
                        || (std::isnan(chosen.Get(row)) && std::isnan(plain.Get(row))))
                << kStatisticsRows[row].label;
        }
        // A range is chosen again from the recorded heights and the terrain's.
        TrackSection range;
        CutRange(track, 1, 4, settings, range);
        EXPECT_EQ(Altitudes(range),
                  std::vector<double>(c.heights.begin() + 1, c.heights.end() - 1));
        EXPECT_EQ(RecordedAltitude(range, 0), 500);
        // A new choice on the same track starts from the recorded heights.
        ChooseElevations(track, ElevationSource::Recorded);
        EXPECT_EQ(Altitudes(track), kRecorded);
        EXPECT_TRUE(track.elevations.recorded.IsEmpty());
    }
    EXPECT_EQ(NoTerrainMessage("plane.gpx", 2),
              "plane.gpx: 2 points have no terrain height and keep the recorded one.");
}

TEST(ElevationChoice, NothingHeldWithoutTerrainOrMissingElevations) {
    SKIP_WITHOUT_XML();
    // Every point with an elevation, one without time (dropped); a .plt point at -777 feet.
    const TempFile gpx(
        "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><ele>7</ele><time>2024-05-01T10:00:00Z"
        "</time></trkpt><trkpt lat=\"1\" lon=\"3\"></trkpt><trkpt lat=\"1\" lon=\"4\"><ele>9"
        "</ele><time>2024-05-01T10:01:00Z</time></trkpt></trkseg></trk></gpx>",
        "full.gpx");
    const TempFile plt(Header() + "1,2,0,100,40000\r\n1,3,0,-777,40000.1\r\n", "t.plt");
    TrackSectionList list;
    list.LoadTrackFile(gpx.Path());
    ASSERT_EQ(list[0].points.GetSize(), 2u);
    EXPECT_TRUE(list[0].elevations.unrecorded.IsEmpty());
    list.ReadTrackFile(plt.Path());
    EXPECT_EQ(list[1].elevations.unrecorded.GetSize(), 2u);
    EXPECT_TRUE(list[1].elevations.IsUnrecorded(1) && !list[1].elevations.IsUnrecorded(0));
    AnalysisSettings settings;
    settings.elevation = ElevationSource::Terrain;
    TrackSection track;
    JoinSections(list, std::vector<std::size_t>{0}, settings, track);
    EXPECT_EQ(Altitudes(track), (std::vector<double>{7, 9}));
    EXPECT_TRUE(track.elevations.recorded.IsEmpty() && track.elevations.terrain.IsEmpty()
                && track.elevations.unrecorded.IsEmpty());
    EXPECT_EQ(CountWithoutTerrain(list[0], ElevationSource::Terrain), 2u);
    EXPECT_EQ(CountWithoutTerrain(list[1], ElevationSource::TerrainWhereMissing), 1u);
}
