#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/FitWriter.h"
#include "support/TestFiles.h"
#include "track/FitDecoder.h"
#include "track/FitReader.h"
#include "track/NumberText.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"

namespace {

using Values = std::vector<uint64_t>;
using Fields = std::vector<FitWriter::Field>;
constexpr uint64_t kT0 = 1000000000;  // seconds since 1989-12-31: 2021-09-09T01:46:40Z
const std::string kDir = std::string(PELORIN_REAL_DATA) + "/fit/fitparse_";

struct Read {
    TrackSectionList list;
    ReadStatus status;
    std::vector<std::string> messages;
};

Read ReadFit(ByteSource& source, const std::string& path = "dir/ride.fit") {
    Read read;
    read.status = ReadFitTrack(read.list, source, ReadContext{path, FileTitle(path)}, read.messages);
    return read;
}

Read ReadFit(const std::string& bytes) {
    MemorySource source(bytes);
    return ReadFit(source);
}

/// Names and point counts of the sections, as "name:count" joined by blanks.
std::string Outline(const TrackSectionList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        text += (i > 0 ? " " : "") + list[i].name + ":" + std::to_string(list[i].points.GetSize());
    }
    return text;
}

struct Decoded : FitHandler {
    void OnFile() override { ++files; }
    void OnRecord(const FitRecord& record) override { records.push_back(record); }
    void OnLap(uint32_t start) override { laps.push_back(start); }
    int files = 0;
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
    const int64_t day = DaysFromCivil(TextToInt(text.substr(text.size() - 4)), month,
                                      TextToInt(text.substr(8, 2)));
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
         "T:1207 +^+:304 +^+:266 +^+:130 +^+:1202 +^+:132 +^+:1203 +^+:256", {}},
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
        {"sample_mulitple_header", "T:38 +^+:38 +^+:854 +^+:14 +^+:518",
         {"311" + noPosition, " the track has no elevations."}},
        {"strava-android-app-201.10-b1218918", "T:237",
         {" the file is damaged after byte 7471; the points before it were read.",
          "236" + noPosition}},
        {"20170518-191602-1740899583", "", {" the file holds no positions (an indoor recording?)."}},
        {"sample-activity-indoor-trainer", "", {" the file holds no positions (an indoor recording?)."}},
        {"compressed-speed-distance", "", {" the file holds no positions (an indoor recording?)."}},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<FileSource> file = FileSource::Open(kDir + c.name + ".fit");
        ASSERT_TRUE(file) << c.name;
        const Read read = ReadFit(*file, "T.fit");
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
    for (const std::string name : {"garmin-edge-500-activity", "garmin-edge-820-bike",
                                   "garmin-fenix-5-bike", "garmin-fenix-5-run",
                                   "garmin-fenix-5-walk"}) {
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
