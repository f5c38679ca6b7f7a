#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/FitWriter.h"
#include "support/ReadBytes.h"
#include "support/TestFiles.h"
#include "track/FitDecoder.h"
#include "track/FitInput.h"
#include "track/FitReader.h"
#include "track/MemorySource.h"
#include "track/NumberText.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"

namespace {

using Values = std::vector<uint64_t>;
using Fields = std::vector<FitWriter::Field>;
constexpr uint64_t kT0 = 1000000000;  // seconds since 1989-12-31: 2021-09-08T01:46:40Z
const std::string kDir = std::string(PELORIN_REAL_DATA) + "/fit/fitparse_";

Read ReadFit(const std::string& bytes, const std::string& path = "dir/ride.fit",
             std::size_t failAfter = std::string::npos) {
    return ReadBytes(bytes, path, failAfter, ReadFitTrack);
}

struct Decoded : FitHandler {
    void OnFile() override {}
    void OnRecord(const FitRecord& record) override { records.push_back(record); }
    void OnLap(uint32_t start) override { laps.push_back(start); }
    std::vector<FitRecord> records;
    std::vector<uint32_t> laps;
    FitOutcome outcome;
};

Decoded Decode(const std::string& bytes) {
    Decoded decoded;
    MemorySource source(bytes);
    decoded.outcome = DecodeFit(source, decoded);
    return decoded;
}

/// Records at kT0 + each time, latitude and longitude of record i being i + 1 degrees, then
/// laps starting at kT0 + each lap time.
FitWriter Ride(const std::vector<int>& times, const std::vector<int>& laps = {}) {
    FitWriter writer;
    writer.Define(0, 20, FitWriter::RecordFields()).Define(1, 19, {{2, 4, 0x86}});
    for (std::size_t i = 0; i < times.size(); ++i) {
        const uint64_t semicircles = (i + 1) * 11930465;  // about i + 1 degrees
        writer.Data(0, {semicircles, semicircles, 3000, kT0 + times[i]});
    }
    for (int lap : laps) {
        writer.Data(1, {kT0 + lap});
    }
    return writer;
}

double Degrees(int64_t semicircles) {
    return static_cast<double>(semicircles) * 180.0 / 2147483648.0;
}

/// Seconds since 1970 of a time as "Sun Sep 25 06:00:22 PDT 2011" (US Pacific time).
int64_t PacificSeconds(std::string_view text) {
    const int month = static_cast<int>(
        std::string_view("JanFebMarAprMayJunJulAugSepOctNovDec").find(text.substr(4, 3)) / 3 + 1);
    const int64_t day =
        DaysFromCivil(TextToInt(text.substr(text.size() - 4)), month, TextToInt(text.substr(8, 2)));
    const int64_t zone = text.substr(20, 3) == "PDT" ? 7 : 8;
    return day * 86400 + (TextToInt(text.substr(11, 2)) + zone) * 3600
           + TextToInt(text.substr(14, 2)) * 60 + TextToInt(text.substr(17, 2));
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename T>
std::string Text(const std::optional<T>& value, const std::string& missing = "") {
    return value ? std::to_string(*value) : missing;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        rows.emplace_back();
        SplitFields(rows.back(), line, ',', true);  // and the CR of CRLF lines
    }
    return rows;
}

}  // namespace

TEST(FitReader, RealFilesReadToTheirCounts) {
    if (!std::filesystem::is_directory(std::string(PELORIN_REAL_DATA) + "/fit")) {
        GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
    }
    const std::string noPosition = " points without position were skipped.";
    const struct {
        std::string name;
        std::string outline;
        std::vector<std::string> messages;
    } cases[] = {
        {"2013-02-06-12-11-14", "T:156 +^+:120 +^+:143 +^+:73 +^+:91", {"7" + noPosition}},
        {"2015-10-13-08-43-15", "T:221", {}},
        {"2019-02-17-062644-ELEMNT-297E-195-0", "T:13348", {"123" + noPosition}},
        {"Edge810-Vector-2013-08-16-15-35-10",
         "T:1207 +^+:304 +^+:266 +^+:130 +^+:1202 +^+:132 +^+:1203 +^+:256",
         {}},
        {"activity-small-fenix2-run", "T:266 +^+:830 +^+:753 +^+:960", {}},
        {"coros-pace-2-cycling-misaligned-fields", "T:569 +^+:9239 +^+:497", {"967" + noPosition}},
        {"elemnt-bolt-no-application-id-inside-developer-data-id", "T:131", {"1" + noPosition}},
        {"garmin-edge-500-activity",
         "T:2489 +^+:1656 +^+:1337 +^+:325 +^+:310 +^+:719 +^+:1979 +^+:1281 +^+:581",
         {"9" + noPosition}},
        {"garmin-edge-820-bike", "T:15", {}},
        {"garmin-fenix-5-bike", "T:19", {}},
        {"garmin-fenix-5-run", "T:21", {}},
        {"garmin-fenix-5-walk", "T:17", {}},
        {"null_compressed_speed_dist", "T:1808", {}},
        {"sample-activity", "T:315 +^+:1244 +^+:160 +^+:1246", {"133" + noPosition}},
        {"sample_mulitple_header",
         "T:38 +^+:38 +^+:854 +^+:14 +^+:518",
         {"311" + noPosition, " the track has no elevations."}},
        {"strava-android-app-201.10-b1218918",
         "T:237",
         {" the file is damaged after byte 7471; the points before it were read.",
          "236" + noPosition}},
        {"20170518-191602-1740899583",
         "",
         {" the file holds no positions (an indoor recording?)."}},
        {"sample-activity-indoor-trainer",
         "",
         {" the file holds no positions (an indoor recording?)."}},
        {"compressed-speed-distance", "", {" the file holds no positions (an indoor recording?)."}},
    };
    for (const auto& c : cases) {
        const Read read = ReadFit(FileBytes(kDir + c.name + ".fit"), "T.fit");
        EXPECT_EQ(read.status, c.outline.empty() ? ReadStatus::BadContent : ReadStatus::Ok);
        EXPECT_EQ(Outline(read.list), c.outline) << c.name;
        std::vector<std::string> messages;
        for (const std::string& message : c.messages) {
            messages.push_back((message[0] == ' ' ? "T.fit:" : "T.fit: ") + message);
        }
        EXPECT_EQ(read.messages, messages) << c.name;
    }
}

TEST(FitReader, RealFilesMatchTheirRecordsCsv) {
    if (!std::filesystem::is_directory(std::string(PELORIN_REAL_DATA) + "/fit")) {
        GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
    }
    for (const std::string name :
         {"garmin-edge-500-activity", "garmin-edge-820-bike", "garmin-fenix-5-bike",
          "garmin-fenix-5-run", "garmin-fenix-5-walk"}) {
        // timestamp,heart_rate,cadence,speed,distance,position_lat,position_long,altitude,
        // temperature
        const auto rows = CsvRows(kDir + name + "-records.csv");
        const std::string bytes = FileBytes(kDir + name + ".fit");
        const Decoded decoded = Decode(bytes);
        const Read read = ReadFit(bytes);
        ASSERT_EQ(decoded.records.size(), rows.size()) << name;
        std::vector<const TrackPoint*> points;
        for (std::size_t s = 0; s < read.list.GetSize(); ++s) {
            for (std::size_t k = 0; k < read.list[s].points.GetSize(); ++k) {
                points.push_back(&read.list[s].points[k]);
            }
        }
        std::size_t next = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::vector<std::string>& row = rows[i];
            const FitRecord& record = decoded.records[i];
            // The CSV repeats the row before where a value is missing.
            const std::vector<std::string>& before = rows[i > 0 ? i - 1 : i];
            EXPECT_EQ(Text(record.heartRate, before[1]) + "," + Text(record.cadence, before[2])
                          + "," + Text(record.temperature, before[8]),
                      row[1] + "," + row[2] + "," + row[8])
                << name << " row " << i;
            if (!record.latitude) {
                continue;  // the CSV repeats the position before
            }
            ASSERT_LT(next, points.size()) << name;
            const TrackPoint& point = *points[next++];
            EXPECT_EQ(point.latitude, Degrees(TextToInt(row[5]))) << name << " row " << i;
            EXPECT_EQ(point.longitude, Degrees(TextToInt(row[6]))) << name << " row " << i;
            EXPECT_NEAR(point.altitude, ParseDecimal(row[7]).value_or(-1e9), 1e-9) << name;
            EXPECT_EQ(point.time, 25569.0 + static_cast<double>(PacificSeconds(row[0])) / 86400.0)
                << name << " row " << i;
        }
        EXPECT_EQ(next, points.size()) << name;
    }
}

TEST(FitReader, CompressedTimestampsMatchTheirCsv) {
    const std::string path = kDir + "compressed-speed-distance";
    if (!std::filesystem::exists(path + ".fit")) {
        GTEST_SKIP() << "no real recordings at " << PELORIN_REAL_DATA;
    }
    // Timestamp,heart rate,speed,distance,cadence; the CSV leaves out the first record, which
    // holds only a time, and runs of 130 compressed timestamps follow one another.
    const auto rows = CsvRows(path + "-records.csv");
    const Decoded decoded = Decode(FileBytes(path + ".fit"));
    ASSERT_EQ(decoded.records.size(), rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const FitRecord& record = decoded.records[i + 1];
        EXPECT_EQ(Text(record.time) + "," + Text(record.heartRate) + "," + Text(record.cadence),
                  rows[i][0] + "," + rows[i][1] + "," + (rows[i][4] == "null" ? "" : rows[i][4]))
            << "row " << i;
    }
}

TEST(FitDecoder, ChecksumIsTheProtocolsCrc16) {
    const std::string check = "123456789";
    EXPECT_EQ(FitCrc(0, reinterpret_cast<const unsigned char*>(check.data()), check.size()),
              0xBB3D);
}

TEST(FitDecoder, InvalidValuesOfEveryBaseTypeReadAsMissing) {
    const struct {
        int baseType;
        int size;
        uint64_t invalid;
        bool readable;
    } cases[] = {
        {0x00, 1, 0xFF, true},
        {0x01, 1, 0x7F, true},
        {0x02, 1, 0xFF, true},
        {0x83, 2, 0x7FFF, true},
        {0x84, 2, 0xFFFF, true},
        {0x85, 4, 0x7FFFFFFF, true},
        {0x86, 4, 0xFFFFFFFF, true},
        {0x0A, 1, 0, true},
        {0x8B, 2, 0, true},
        {0x8C, 4, 0, true},
        {0x0D, 1, 0xFF, true},
        {0x8E, 8, 0x7FFFFFFFFFFFFFFF, true},
        {0x8F, 8, ~uint64_t{0}, true},
        {0x90, 8, 0, true},
        {0x07, 1, 0, false},
        {0x88, 4, 0xFFFFFFFF, false},
        {0x89, 8, ~uint64_t{0}, false},
        {0x1F, 1, 0xFF, false},
    };
    for (const auto& c : cases) {
        const Decoded decoded = Decode(FitWriter()
                                           .Define(0, 20, {{3, c.size, c.baseType}})
                                           .Data(0, {c.invalid})
                                           .Data(0, {100})
                                           .File());
        ASSERT_EQ(decoded.records.size(), 2u) << c.baseType;
        EXPECT_FALSE(decoded.records[0].heartRate) << c.baseType;
        EXPECT_EQ(decoded.records[1].heartRate,
                  c.readable ? std::optional<uint8_t>(100) : std::nullopt)
            << c.baseType;
    }
}

TEST(FitDecoder, ByteOrdersFieldSizesAndDeveloperFields) {
    const Fields standard = {{0, 4, 0x85}, {1, 4, 0x85},  {2, 2, 0x84}, {253, 4, 0x86},
                             {3, 1, 0x02}, {13, 1, 0x01}, {7, 2, 0x84}, {4, 1, 0x02}};
    const Values values = {0x10000000, 0xE0000000, 3000, kT0, 150, 0xFB, 250, 90};
    const auto with = [&](int index, FitWriter::Field field) {
        Fields fields = standard;
        fields[static_cast<std::size_t>(index)] = field;
        return fields;
    };
    Fields unused = standard;
    unused.insert(unused.end(), {{9, 0, 0x02}, {200, 255, 0x0D}});
    const struct {
        std::string name;
        Fields fields;
        bool bigEndian;
        Fields developer;
        bool position;
        bool altitude;
    } cases[] = {
        {"little-endian", standard, false, {}, true, true},
        {"big-endian", standard, true, {}, true, true},
        {"developer fields", standard, false, {{0, 3, 0}, {1, 200, 1}}, true, true},
        {"fields of 0 and 255 bytes", unused, true, {}, true, true},
        {"an altitude of 3 bytes", with(2, {2, 3, 0x84}), false, {}, true, false},
        {"a latitude of 5 bytes", with(0, {0, 5, 0x85}), false, {}, false, true},
        {"a latitude of two elements", with(0, {0, 8, 0x85}), false, {}, true, true},
    };
    for (const auto& c : cases) {
        const Decoded decoded = Decode(FitWriter()
                                           .Define(0, 20, c.fields, c.bigEndian, c.developer)
                                           .Data(0, values)
                                           .Data(0, values)
                                           .File());
        ASSERT_EQ(decoded.records.size(), 2u) << c.name;
        EXPECT_FALSE(decoded.outcome.damagedAt || decoded.outcome.checksumMismatch) << c.name;
        for (const FitRecord& record : decoded.records) {
            EXPECT_EQ(record.latitude, c.position ? std::optional(0x10000000) : std::nullopt)
                << c.name;
            EXPECT_EQ(record.longitude, -0x20000000) << c.name;
            EXPECT_EQ(record.altitude, c.altitude ? std::optional(3000u) : std::nullopt) << c.name;
            EXPECT_EQ(record.time, kT0) << c.name;
            EXPECT_EQ(record.heartRate, 150) << c.name;
            EXPECT_EQ(record.temperature, -5) << c.name;
            EXPECT_EQ(record.power, 250) << c.name;
            EXPECT_EQ(record.cadence, 90) << c.name;
        }
    }
}

TEST(FitDecoder, CompressedTimestampsRollOverFromTheLastTime) {
    FitWriter writer;
    writer.Define(0, 20, {{3, 1, 0x02}}).Define(1, 20, {{253, 4, 0x86}});
    const auto compressed = [&](int offset) {
        writer.Data(0, {1}, 0x80 | offset);
    };
    compressed(5);  // no time before it: none
    writer.Data(1, {kT0 + 30});
    for (int offset : {2, 2, 1, 31}) {
        compressed(offset);
    }
    const Decoded decoded = Decode(writer.File());
    std::vector<std::optional<uint32_t>> times;
    for (const FitRecord& record : decoded.records) {
        times.push_back(record.time);
    }
    const std::vector<std::optional<uint32_t>> expected = {std::nullopt, kT0 + 30, kT0 + 34,
                                                           kT0 + 34,     kT0 + 65, kT0 + 95};
    EXPECT_EQ(times, expected);
}

TEST(FitDecoder, LocalTypesRedefinedMidFile) {
    const Decoded decoded =
        Decode(FitWriter()
                   .Define(0, 20, FitWriter::RecordFields())
                   .Data(0, {1, 2, 3000, kT0})
                   .Define(0, 20, {{253, 4, 0x86}, {1, 4, 0x85}, {0, 4, 0x85}}, true)
                   .Data(0, {kT0 + 1, 4, 3})
                   .Define(0, 19, {{2, 4, 0x86}})
                   .Data(0, {kT0 + 5})
                   .File());
    ASSERT_EQ(decoded.records.size(), 2u);
    EXPECT_EQ(decoded.records[1].latitude, 3);
    EXPECT_EQ(decoded.records[1].longitude, 4);
    EXPECT_EQ(decoded.records[1].time, kT0 + 1);
    EXPECT_EQ(decoded.laps, std::vector<uint32_t>{kT0 + 5});
}

TEST(FitReader, LapsSplitTheRecordsIntoSections) {
    const struct {
        std::string name;
        std::string bytes;
        std::string outline;
    } cases[] = {
        {"no laps", Ride({0, 1, 2}).File(), "ride:3"},
        {"laps after their records, unordered", Ride({0, 1, 2, 3, 4, 5}, {4, 0, 2}).File(),
         "ride:2 +^+:2 +^+:2"},
        {"records before the first lap", Ride({0, 1, 2, 3}, {2, 3}).File(), "ride:3 +^+:1"},
        {"a lap without positions", Ride({0, 1, 5, 6}, {0, 2, 4}).File(), "ride:2 +^+:2"},
        {"laps starting together", Ride({0, 1, 2}, {1, 1}).File(), "ride:1 +^+:2"},
        {"time going backwards", Ride({0, 1, 5, 2, 6}, {0, 4}).File(), "ride:2 +^+:3"},
        {"chained files", Ride({0, 1}, {0}).File() + Ride({2, 3}, {0, 3}).File(),
         "ride:2 +^+:1 +^+:1"},
        {"laps of another chained file", Ride({0, 1, 2}).File() + Ride({}, {1}).File(), "ride:3"},
        {"a 12-byte header", Ride({0, 1}, {0, 1}).File(true), "ride:1 +^+:1"},
    };
    for (const auto& c : cases) {
        const Read read = ReadFit(c.bytes);
        EXPECT_EQ(Outline(read.list), c.outline) << c.name;
        EXPECT_EQ(read.messages, std::vector<std::string>{}) << c.name;
    }
    // 2021-09-08T01:46:40Z at 22.5 degrees north, 45 west.
    const Read read = ReadFit(FitWriter()
                                  .Define(0, 20, FitWriter::RecordFields())
                                  .Data(0, {0x10000000, 0xE0000000, 3000, kT0})
                                  .File());
    ASSERT_EQ(Outline(read.list), "ride:1");
    EXPECT_EQ(read.list[0].points[0].latitude, 22.5);
    EXPECT_EQ(read.list[0].points[0].longitude, -45.0);
    EXPECT_EQ(read.list[0].points[0].time, ParseIsoTime("2021-09-08T01:46:40Z"));
}

TEST(FitReader, EnhancedAltitudeBeforeAltitudeAndNoPositionBeyondAPole) {
    const Fields fields = {{0, 4, 0x85}, {1, 4, 0x85}, {78, 4, 0x86}, {2, 2, 0x84}};
    const Read read = ReadFit(FitWriter()
                                  .Define(0, 20, fields)
                                  .Data(0, {1, 1, 0xFFFFFFFF, 0xFFFF})   // takes the next one
                                  .Data(0, {0x40000000, 1, 3500, 3000})  // 90 degrees north
                                  .Data(0, {0x40000001, 1, 3500, 3000})
                                  .Data(0, {0xC0000000, 1, 0xFFFFFFFF, 3000})
                                  .Data(0, {1, 1, 0xFFFFFFFF, 0xFFFF})  // keeps the last one
                                  .File());
    ASSERT_EQ(Outline(read.list), "ride:4");
    EXPECT_EQ(read.messages,
              std::vector<std::string>({"dir/ride.fit: 1 points without position were skipped.",
                                        "dir/ride.fit: the track has no times."}));
    const auto& points = read.list[0].points;
    EXPECT_EQ(std::vector(
                  {points[0].altitude, points[1].altitude, points[2].altitude, points[3].altitude}),
              std::vector({200.0, 200.0, 100.0, 100.0}));
}

TEST(FitReader, DamagedAndHostileFilesKeepWhatTheyHold) {
    // Header 14 bytes, definitions to byte 41, records of 15 bytes at 41, 56 and 71, the
    // checksum at 86.
    const std::string good = Ride({0, 1, 2}).File();
    const auto changed = [&](std::size_t at, const std::string& value, bool recheck = false) {
        std::string bytes = good;
        bytes.replace(at, value.size(), value);
        if (recheck) {
            bytes.resize(bytes.size() - 2);
            FitWriter::AppendCrc(bytes);
        }
        return bytes;
    };
    const auto damaged = [](const std::string& at) {
        return "dir/ride.fit: the file is damaged after byte " + at
               + "; the points before it were read.";
    };
    const std::string checksum =
        "dir/ride.fit: the file's checksum does not match; its records were read anyway.";
    const std::string noPositions =
        "dir/ride.fit: the file holds no positions (an indoor recording?).";
    const Fields widest(255, {200, 255, 0x0D});
    std::string chain;
    for (int i = 0; i < 20000; ++i) {
        chain += FitWriter().File();
    }
    const struct {
        std::string name;
        std::string bytes;
        std::string outline;
        std::vector<std::string> messages;
    } cases[] = {
        {"cut inside a record", good.substr(0, 80), "ride:2", {damaged("71")}},
        {"cut before the checksum", good.substr(0, 86), "ride:3", {damaged("86")}},
        {"a data size beyond the end",
         Ride({0, 1, 2}).File(false, 1000).substr(0, 86),
         "ride:3",
         {damaged("86")}},
        {"an undefined local type", Ride({0, 1}).Raw("\x05").File(), "ride:2", {damaged("71")}},
        {"bytes after the checksum", good + "junk", "ride:3", {damaged("88")}},
        {"a damaged chained file", good + good.substr(0, 60), "ride:3 +^+:1", {damaged("144")}},
        {"a changed altitude", changed(50, "\x01"), "ride:3", {checksum}},
        {"a changed header", changed(3, "\x09"), "ride:3", {checksum}},
        {"a header checksum 0", changed(12, std::string(2, '\0'), true), "ride:3", {}},
        {"a wrong header checksum, a file cut short",
         changed(12, "\x01").substr(0, 75),
         "ride:2",
         {checksum, damaged("71")}},
        {"cut before any record", good.substr(0, 20), "", {damaged("14")}},
        {"no positions",
         FitWriter().Define(0, 20, {{253, 4, 0x86}}).Data(0, {kT0}).File(),
         "",
         {noPositions}},
        {"255 fields of 255 bytes and as many developer fields",
         FitWriter().Define(0, 20, widest, false, widest).Data(0, {}).File(),
         "",
         {noPositions}},
        {"a header size of 255", "\xFF" + FitWriter().File().substr(1), "", {damaged("0")}},
        {"developer fields beyond the end",
         FitWriter().Raw("\x60\0\0\x14\0\0\xFF\1\1\1").File(),
         "",
         {damaged("14")}},
        {"a data size of 4 GB",
         FitWriter().Define(0, 20, widest).File(false, 0xFFFFFFFF),
         "",
         {damaged("785")}},
        {"a header every 16 bytes", chain, "", {noPositions}},
    };
    for (const auto& c : cases) {
        const Read read = ReadFit(c.bytes);
        EXPECT_EQ(Outline(read.list), c.outline) << c.name;
        EXPECT_EQ(read.messages, c.messages) << c.name;
        EXPECT_EQ(read.status, read.list.IsEmpty() ? ReadStatus::BadContent : ReadStatus::Ok)
            << c.name;
    }
}

TEST(FitReader, ReadErrorKeepsThePointsBeforeIt) {
    const Read read = ReadFit(Ride({0, 1, 2}).File(), "dir/ride.fit", 70);
    EXPECT_EQ(read.status, ReadStatus::ReadFailed);
    EXPECT_EQ(Outline(read.list), "ride:1");
    EXPECT_EQ(read.messages, std::vector<std::string>{});
}

TEST(FitReader, KnownByItsHeaderNotItsName) {
    const std::string fit = Ride({0, 1}, {0, 1}).File();
    EXPECT_TRUE(IsFitHeader(fit));
    EXPECT_TRUE(IsFitHeader(Ride({0}).File(true)));
    for (const char size : {'\x0D', '\x0F', '\xFF'}) {
        EXPECT_FALSE(IsFitHeader(size + fit.substr(1))) << int{size};
    }
    EXPECT_FALSE(IsFitHeader(fit.substr(0, 11)));
    // A FIT file named .plt, and a .plt whose bytes 8-11 read ".FIT".
    const std::string plt = "OziExplo.FIT" + Header().substr(12) + "1,2,0,3,40000\r\n";
    for (const auto& [bytes, outline] : {std::pair(fit, "walk:1 +^+:1"), {plt, "Walk:1"}}) {
        TrackSectionList list;
        MemorySource source(bytes);
        Messages messages;
        EXPECT_EQ(ReadTrackSource(list, source, ReadContext{"dir/walk.plt", "walk"}, messages),
                  ReadStatus::Ok);
        EXPECT_EQ(Outline(list), outline);
    }
}
