// Heart rate, cadence, power and temperature: read from every format, carried along and summed.

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/ChannelStatistics.h"
#include "analysis/Joining.h"
#include "analysis/RangeCut.h"
#include "analysis/StatisticsTotal.h"
#include "report/ListFormat.h"
#include "support/FitWriter.h"
#include "support/TestFiles.h"
#include "support/TrackBuilder.h"
#include "track/MemorySource.h"
#include "track/TrackReader.h"

namespace {

/// The samples of each channel of the read sections, "-" for a missing one, channels apart by
/// " | " and "none" for a channel no section has.
std::string SamplesOf(const std::string& bytes, const std::string& path) {
    TrackSectionList list;
    MemorySource source(bytes);
    Messages messages;
    ReadTrackSource(list, source, ReadContext{path, "t"}, messages);
    std::string text;
    for (const Channel channel : kChannels) {
        std::string samples;
        for (std::size_t s = 0; s < list.GetSize(); ++s) {
            const TrackChannels& channels = list[s].channels;
            for (std::size_t i = 0; channels.Has(channel) && i < list[s].points.GetSize(); ++i) {
                const double value = channels.Of(channel)[i];
                samples += (samples.empty() ? "" : " ")
                           + (std::isnan(value) ? std::string("-") : FormatNumber(value));
            }
        }
        text += (text.empty() ? "" : " | ") + (samples.empty() ? std::string("none") : samples);
    }
    return text;
}

std::string Gpx(const std::string& points) {
    return "<gpx xmlns:a=\"x\"><trk><trkseg>" + points + "</trkseg></trk></gpx>";
}

std::string GpxPoint(int second, const std::string& extensions) {
    return "<trkpt lat=\"46\" lon=\"8\"><time>2020-01-01T00:00:" + std::to_string(10 + second)
           + "Z</time><extensions>" + extensions + "</extensions></trkpt>";
}

std::string TcxPoint(int second, const std::string& inside) {
    return "<Trackpoint><Time>2020-01-01T00:00:" + std::to_string(10 + second)
           + "Z</Time><Position><LatitudeDegrees>46</LatitudeDegrees><LongitudeDegrees>8"
             "</LongitudeDegrees></Position>"
           + inside + "</Trackpoint>";
}

}  // namespace

TEST(Channels, ReadFromEveryFormatWithinTheirRanges) {
    const std::string v2 =
        GpxPoint(0,
                 "<a:TrackPointExtension><a:hr>120</a:hr><a:cad>0</a:cad><a:atemp>-4.5</a:atemp>"
                 "</a:TrackPointExtension><a:PowerExtension><a:PowerInWatts>250"
                 "</a:PowerInWatts></a:PowerExtension>");
    const std::string v1 = GpxPoint(1,
                                    "<b:TrackPointExtension><b:hr>301</b:hr><b:cad>300</b:cad>"
                                    "</b:TrackPointExtension><power>4000</power>");
    const std::string bad =
        GpxPoint(2,
                 "<TrackPointExtension><hr>nan</hr><cad>-1</cad>"
                 "<atemp>70.5</atemp></TrackPointExtension><power>1e999</power>");
    EXPECT_EQ(SamplesOf(Gpx(v2 + v1 + bad), "t.gpx"), "120 - - | 0 300 - | 250 4000 - | -4.5 - -");
    EXPECT_EQ(SamplesOf(Gpx(GpxPoint(0, "") + GpxPoint(1, "")), "t.gpx"),
              "none | none | none | none");

    const std::string tcx =
        "<TrainingCenterDatabase><Activities><Activity Sport=\"Biking\"><Lap><Track>"
        + TcxPoint(0,
                   "<HeartRateBpm><Value>88</Value></HeartRateBpm><Cadence>80</Cadence>"
                   "<Extensions><ns3:TPX><ns3:Watts>180</ns3:Watts></ns3:TPX></Extensions>")
        + TcxPoint(1,
                   "<HeartRateBpm><Value>0</Value></HeartRateBpm><Extensions><TPX><Watts>-3"
                   "</Watts></TPX></Extensions>")
        + "</Track></Lap></Activity></Activities></TrainingCenterDatabase>";
    EXPECT_EQ(SamplesOf(tcx, "t.tcx"), "88 0 | 80 - | 180 - | none");

    // FIT: heart rate, cadence, power and temperature, each once at its invalid value.
    std::vector<FitWriter::Field> fields = FitWriter::RecordFields();
    fields.insert(fields.end(), {{3, 1, 0x02}, {4, 1, 0x02}, {7, 2, 0x84}, {13, 1, 0x01}});
    FitWriter fit;
    fit.Define(0, 20, fields)
        .Data(0, {0, 0, 2500, 1000, 150, 90, 320, 21})
        .Data(0, {0, 0, 2500, 1001, 0xFF, 0xFF, 0xFFFF, 0x7F})
        .Data(0, {0, 0, 2500, 1002, 0, 0, 0, static_cast<uint64_t>(0xF6)});  // -10 degrees
    EXPECT_EQ(SamplesOf(fit.File(), "t.fit"), "150 - 0 | 90 - 0 | 320 - 0 | 21 - -10");
}

TEST(Channels, RealFilesCarryTheirSamples) {
    // GPX and TCX: samples counted in the files by pattern (every point has a position and a
    // time there). FIT: as read, the Edge 500's three channels being those of its records CSV.
    const std::map<std::string, std::array<std::size_t, kChannelCount>> counts = {
        {"gpx/gcheetah_urbanbiker_2019.gpx", {2736, 2869, 2847, 2869}},
        {"gpx/gpxplotter_example1.gpx", {3181, 0, 0, 3181}},
        {"gpx/gpxplotter_example3.gpx", {4281, 4281, 0, 4281}},
        {"gpx/leafletelev_atemp.gpx", {2429, 0, 0, 2428}},
        {"tcx/gpsbabel_gtrnctr_power.tcx", {5108, 4606, 4606, 0}},
        {"fit/fitparse_Edge810-Vector-2013-08-16-15-35-10.fit", {4671, 4634, 4700, 4700}},
        {"fit/fitparse_garmin-edge-500-activity.fit", {10677, 10556, 0, 10677}},
        {"plt/gpsbabel_vezelay_2007.plt", {0, 0, 0, 0}},
    };
    for (const auto& [name, expected] : counts) {
        const std::string path = std::string(PELORIN_REAL_DATA) + "/" + name;
        if (!std::filesystem::exists(path)) {
            GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
        }
        TrackSectionList list;
        list.LoadTrackFile(path);
        for (const Channel channel : kChannels) {
            std::size_t samples = 0;
            for (std::size_t s = 0; s < list.GetSize(); ++s) {
                const GrowArray<double>& values = list[s].channels.Of(channel);
                for (std::size_t i = 0; i < values.GetSize(); ++i) {
                    samples += std::isnan(values[i]) ? 0 : 1;
                }
            }
            EXPECT_EQ(samples, expected[static_cast<std::size_t>(channel)])
                << name << " " << ChannelName(channel);
        }
    }
}

TEST(Channels, AveragesWeighSamplesByMovingTime) {
    // Times in 1/1024 of a day, so that every sum is exact.
    const double t[] = {0, 10, 40, 50, 100, 130};
    const int32_t states[] = {StateRunStart, StateLevel,    StateStopped,
                              StateInAscent, StateRunStart, StateFalling};
    const double nan = kMissingSample;
    const double samples[kChannelCount][6] = {{100, 110, 200, nan, 150, 120},
                                              {50, 60, 0, 0, 90, 80},
                                              {nan, 100, 300, 0, 50, 200},
                                              {20, 21, nan, 23, 30, 25}};
    TrackSection track;
    for (std::size_t i = 0; i < 6; ++i) {
        AddPoint(track, 46, 8, 500, 45000 + t[i] / 1024, states[i]);
    }
    for (const Channel channel : kChannels) {
        const std::size_t c = static_cast<std::size_t>(channel);
        track.channels.Add(channel, 6);
        for (std::size_t i = 0; i < 6; ++i) {
            track.channels.Of(channel)[i] = samples[c][i];
        }
    }
    // Counted: points 1, 3 and 5 (10, 10 and 30 units); stopped and run starts are not.
    const ChannelStatistics figures = ComputeChannelStatistics(track);
    const double expected[kChannelCount][3] = {
        {(110 * 10 + 120 * 30) / 40.0, 200, 100},  // point 3 has no heart rate
        {(60 * 10 + 80 * 30) / 40.0, 90, 0},       // zero cadence is coasting
        {(100 * 10 + 0 * 10 + 200 * 30) / 50.0, 300, 0},
        {(21 * 10 + 23 * 10 + 25 * 30) / 50.0, 30, 20}};
    for (const Channel channel : kChannels) {
        const ChannelFigures& f = figures.Of(channel);
        const std::size_t c = static_cast<std::size_t>(channel);
        EXPECT_TRUE(f.present);
        EXPECT_EQ(f.average, expected[c][0]) << ChannelName(channel);
        EXPECT_EQ(f.maximum, expected[c][1]) << ChannelName(channel);
        EXPECT_EQ(f.minimum, expected[c][2]) << ChannelName(channel);
    }

    // Two tracks together: the averages weighted by the time each gave its channel.
    StatisticsTotal total;
    TrackSection other;
    AddPoint(other, 46, 8, 500, 45000, StateRunStart);
    AddPoint(other, 46, 8, 500, 45000 + 20 / 1024.0, StateLevel);
    other.channels.Add(Channel::HeartRate, 2)[1] = 95;
    total.Add(TrackStatistics{}, 6, figures);
    total.Add(TrackStatistics{}, 2, ComputeChannelStatistics(other));
    const ChannelStatistics both = total.ChannelResult();
    EXPECT_EQ(both.Of(Channel::HeartRate).average, (110 * 10 + 120 * 30 + 95 * 20) / 60.0);
    EXPECT_EQ(both.Of(Channel::HeartRate).maximum, 200);
    EXPECT_EQ(both.Of(Channel::HeartRate).minimum, 95);
    EXPECT_EQ(both.Of(Channel::Cadence).average, 75);
}

TEST(Channels, JoiningAndRangesCarryThemAlong) {
    TrackSectionList list;
    for (int s = 0; s < 3; ++s) {
        TrackSection& section = list.Add();
        BuildLine(section, {500, 510, 520}, 120, 30, 40000 + s * 0.01);
    }
    list[1].channels.Add(Channel::Power, 3)[2] = 250;
    const std::size_t rows[] = {0, 1, 2};
    TrackSection track;
    JoinSections(list, rows, AnalysisSettings{}, track);
    ASSERT_TRUE(track.channels.Has(Channel::Power));
    EXPECT_FALSE(track.channels.Has(Channel::HeartRate));
    ASSERT_EQ(track.channels.Of(Channel::Power).GetSize(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(std::isnan(track.channels.Of(Channel::Power)[i]), i != 5) << i;
    }
    TrackSection range;
    CutRange(track, 5, 8, AnalysisSettings{}, range);
    ASSERT_EQ(range.channels.Of(Channel::Power).GetSize(), 4u);
    EXPECT_EQ(range.channels.Of(Channel::Power)[0], 250);
    CutRange(track, 6, 8, AnalysisSettings{}, range);  // no sample left: no channel
    EXPECT_FALSE(range.channels.Any());
}
