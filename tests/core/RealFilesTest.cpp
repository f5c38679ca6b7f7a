#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "track/TrackSectionList.h"

namespace {

struct Expected {
    std::size_t sections;
    std::size_t points;
};

// Point lines and break flags as listed with the recordings.
const std::map<std::string, Expected> kCounts = {
    {"fromgpx_gcheetah_ride_2010.plt", {1, 5935}},
    {"fromgpx_gcheetah_urbanbiker_2019.plt", {1, 2870}},
    {"fromgpx_gpsbabel_dg100.plt", {1, 12027}},
    {"fromgpx_gpxplotter_example1.plt", {1, 3181}},
    {"fromgpx_gpxplotter_example3.plt", {1, 4281}},
    {"fromgpx_gpxpy_korita_zbevnica_t0.plt", {1, 0}},
    {"fromgpx_gpxpy_korita_zbevnica_t1.plt", {1, 358}},
    {"fromgpx_gpxpy_korita_zbevnica_t2.plt", {1, 176}},
    {"fromgpx_gpxpy_korita_zbevnica_t3.plt", {1, 337}},
    {"fromgpx_gpxpy_mojstrovka.plt", {1, 184}},
    {"fromgpx_leafletelev_atemp.plt", {1, 2429}},
    {"fromgpx_srtm_setnjica_karojba.plt", {1, 1852}},
    {"geolife_000_20081023025304.plt", {1, 908}},
    {"geolife_000_20081103101336.plt", {1, 7}},
    {"geolife_001_20081024234405.plt", {1, 7075}},
    {"geolife_007_20081026021624.plt", {1, 5496}},
    {"geolife_010_20070805070503.plt", {1, 5570}},
    {"geolife_010_20080330004134.plt", {1, 681}},
    {"geolife_010_20080402060926.plt", {1, 1004}},
    {"geolife_020_20111130151807.plt", {1, 327}},
    {"gpsbabel_vezelay_2007.plt", {1, 44}},
    {"mapsoft_20040222_full.plt", {11, 630}},
    {"mapsoft_brd_n49.plt", {1, 6}},
    {"mapsoft_ozi1.plt", {3, 11}},
    {"mapsoft_tajik_2019.plt", {3, 56}},
};

std::string RealFile(const std::string& name) {
    return std::string(PELORIN_REAL_DATA) + "/plt/" + name;
}

std::size_t PointCount(const TrackSectionList& list) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        count += list[i].points.GetSize();
    }
    return count;
}

}  // namespace

TEST(RealFiles, EveryRecordingReadsWithItsSectionsAndPoints) {
    if (!std::filesystem::is_directory(std::string(PELORIN_REAL_DATA) + "/plt")) {
        GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
    }
    std::size_t files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(PELORIN_REAL_DATA) + "/plt")) {
        const std::string name = entry.path().filename().string();
        const auto expected = kCounts.find(name);
        ASSERT_NE(expected, kCounts.end()) << "unlisted recording " << name;
        TrackSectionList list;
        const ReadResult read = list.LoadTrackFile(entry.path().string());
        EXPECT_EQ(read.status, ReadStatus::Ok) << name;
        EXPECT_TRUE(read.messages.empty()) << name;
        EXPECT_EQ(list.GetSize(), expected->second.sections) << name;
        EXPECT_EQ(PointCount(list), expected->second.points) << name;
        ++files;
    }
    EXPECT_EQ(files, kCounts.size());
}

TEST(RealFiles, NamesAndValuesOfNativeFiles) {
    if (!std::filesystem::exists(RealFile("mapsoft_20040222_full.plt"))) {
        GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
    }
    TrackSectionList list;
    list.LoadTrackFile(RealFile("mapsoft_20040222_full.plt"));
    EXPECT_EQ(list[0].name, "");  // the header's name field is empty
    for (std::size_t i = 1; i < list.GetSize(); ++i) {
        EXPECT_EQ(list[i].name, "+^+");
    }
    EXPECT_DOUBLE_EQ(list[3].points[0].altitude, -236.83007366013237);

    list.LoadTrackFile(RealFile("gpsbabel_vezelay_2007.plt"));
    const TrackPoint& first = list[0].points[0];
    EXPECT_EQ(first.latitude, 47.466222);  // blank-padded fields
    EXPECT_EQ(first.longitude, 3.747318);
    EXPECT_DOUBLE_EQ(first.altitude, 1258.8 * 0.3048006096012);

    list.LoadTrackFile(RealFile("geolife_010_20080402060926.plt"));  // LF line ends
    EXPECT_EQ(list[0].points.GetSize(), 1004u);
}

TEST(RealFiles, ExampleTrackHasClimbsStopsAndABreak) {
    TrackSectionList list;
    ASSERT_EQ(list.LoadTrackFile(std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt").status,
              ReadStatus::Ok);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list[0].name, "Alpine hike");
    EXPECT_EQ(list[1].name, "+^+");
    EXPECT_GT(PointCount(list), 2000u);
}

TEST(RealFiles, GpxTcxAndIgcRecordingsReadWithTheirSectionsAndPoints) {
    // Sections, points and warnings as listed with the recordings.
    const std::map<std::string, std::tuple<std::size_t, std::size_t, std::size_t>> counts = {
        {"gpx/gcheetah_ride_2010.gpx", {16, 5935, 0}},
        {"gpx/gcheetah_urbanbiker_2019.gpx", {2, 2870, 0}},
        {"gpx/gpsbabel_24173415.gpx", {1, 689, 0}},
        {"gpx/gpsbabel_dg100.gpx", {1, 12027, 0}},
        {"gpx/gpsbabel_garmin-forerunner-10-output.gpx", {7, 514, 1}},  // no elevations
        {"gpx/gpsbabel_garmin-oregon-700-output.gpx", {1, 997, 0}},
        {"gpx/gpsbabel_garmin_xt_strk.gpx", {2, 958, 0}},
        {"gpx/gpsbabel_mtk_logger_m241_multiple_tracks.gpx", {6, 14263, 0}},
        {"gpx/gpsbabel_vitovtt-sample.gpx", {1, 1866, 0}},
        {"gpx/gpxplotter_example1.gpx", {1, 3181, 0}},
        {"gpx/gpxplotter_example3.gpx", {1, 4281, 0}},
        {"gpx/gpxpy_korita_zbevnica.gpx", {3, 871, 1}},  // a track without times
        {"gpx/gpxpy_mojstrovka.gpx", {1, 184, 1}},       // only the stand-in for no time
        {"gpx/leafletelev_atemp.gpx", {1, 2429, 0}},
        {"gpx/srtm_setnjica_karojba.gpx", {1, 1852, 0}},
        {"tcx/gpsbabel_bike.tcx", {2, 1812, 0}},
        {"tcx/gpsbabel_course.tcx", {2, 1202, 0}},
        {"tcx/gpsbabel_gtrnctr_power.tcx", {1, 5109, 0}},
        {"tcx/gpsbabel_history.tcx", {2, 1202, 0}},
        {"igc/gpsbabel_27GLQKF3.igc", {1, 1070, 0}},
        {"igc/gpsbabel_92GV66G1.igc", {1, 724, 0}},
    };
    if (!std::filesystem::is_directory(std::string(PELORIN_REAL_DATA) + "/gpx")) {
        GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
    }
    std::size_t files = 0;
    for (const char* folder : {"gpx", "tcx", "igc"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(PELORIN_REAL_DATA) + "/" + folder)) {
            const std::string name = folder + ("/" + entry.path().filename().string());
            const auto expected = counts.find(name);
            ASSERT_NE(expected, counts.end()) << "unlisted recording " << name;
            const auto [sections, points, warningCount] = expected->second;
            TrackSectionList list;
            const ReadResult read = list.LoadTrackFile(entry.path().string());
            EXPECT_EQ(read.status, ReadStatus::Ok) << name;
            EXPECT_EQ(list.GetSize(), sections) << name;
            EXPECT_EQ(PointCount(list), points) << name;
            EXPECT_EQ(read.messages.size(), warningCount) << name;
            ++files;
        }
    }
    EXPECT_EQ(files, counts.size());
}
