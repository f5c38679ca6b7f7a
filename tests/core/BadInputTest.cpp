// Files and settings that no recording would produce: each reads and analyses to a defined
// result, and nothing read before a failure is lost.

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "analysis/Joining.h"
#include "analysis/Statistics.h"
#include "report/ListFormat.h"
#include "support/TestFiles.h"
#include "track/FileSource.h"
#include "track/PltReader.h"

namespace {

std::vector<std::size_t> AllRows(const TrackSectionList& list) {
    std::vector<std::size_t> rows(list.GetSize());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = i;
    }
    return rows;
}

/// Joins everything under each mode and computes the statistics; the states stay codes.
void AnalyseEveryWay(const TrackSectionList& list, double vertical = 15, double speed = 1.8) {
    for (ConnectionMode mode : {ConnectNone, ConnectAuto, ConnectAll}) {
        TrackSection track;
        JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(mode, vertical, speed), track);
        ComputeStatistics(track);
        for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
            ASSERT_GE(track.points[i].state, StateRunStart);
            ASSERT_LE(track.points[i].state, StateFalling);
        }
    }
}

std::string PointLines(std::size_t count, const std::string& line) {
    std::string text;
    text.reserve(count * (line.size() + 1));
    for (std::size_t i = 0; i < count; ++i) {
        text += line;
        text += '\n';
    }
    return text;
}

/// Wraps a file and truncates it to nothing after the first block has been read.
class TruncatingSource : public ByteSource {
public:
    TruncatingSource(ByteSource& file, std::string path) : m_file(file), m_path(std::move(path)) {}
    std::ptrdiff_t Read(char* buffer, std::size_t size) override {
        const std::ptrdiff_t count = m_file.Read(buffer, size);
        std::filesystem::resize_file(m_path, 0);
        return count;
    }

private:
    ByteSource& m_file;
    std::string m_path;
};

}  // namespace

TEST(BadInput, EmptyFileGivesOneNamelessEmptySection) {
    TempFile file("");
    TrackSectionList list;
    EXPECT_EQ(list.LoadTrackFile(file.Path()).status, ReadStatus::Ok);
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list[0].name, "");
    EXPECT_TRUE(list[0].points.IsEmpty());
    AnalyseEveryWay(list);
}

TEST(BadInput, BinaryAndNulBytesReadAsText) {
    std::mt19937 random(3);
    std::string bytes(1 << 16, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    TempFile binary(bytes);
    TrackSectionList list;
    EXPECT_EQ(list.LoadTrackFile(binary.Path()).status, ReadStatus::Ok);
    EXPECT_GE(list.GetSize(), 1u);
    AnalyseEveryWay(list);

    const std::string nul("\0", 1);
    TempFile withNul(Header("A" + nul + "B") + "1" + nul + "9,2,0,0,3\n4,5," + nul + "1,0,6\n");
    list.LoadTrackFile(withNul.Path());
    EXPECT_EQ(list[0].name, "A" + nul + "B");
    ASSERT_EQ(list[0].points.GetSize(), 2u);
    EXPECT_EQ(list[0].points[0].latitude, 1.0);  // the number stops at the NUL
    EXPECT_EQ(list.GetSize(), 1u);               // nor is "\0" "1" a break flag
}

TEST(BadInput, HundredMegabyteLine) {
    const std::string digits(100 << 20, '7');
    TempFile file(Header() + digits + ",8,0,0,1\n2,3,0,0,4\n");
    TrackSectionList list;
    EXPECT_EQ(list.LoadTrackFile(file.Path()).status, ReadStatus::Ok);
    ASSERT_EQ(list[0].points.GetSize(), 2u);
    EXPECT_EQ(list[0].points[0].latitude, std::numeric_limits<double>::infinity());
    EXPECT_EQ(list[0].points[0].longitude, 8.0);
    AnalyseEveryWay(list);
}

TEST(BadInput, PathsThatAreNotFilesToRead) {
    TempFile file(Header() + "1,2,0,0,3\n");
    TrackSectionList list;
    list.LoadTrackFile(file.Path());
    const auto refused = [&list](const std::string& path) {
        const ReadResult read = list.ReadTrackFile(path);
        EXPECT_EQ(read.status, ReadStatus::OpenFailed) << path;
        EXPECT_EQ(read.messages, std::vector<std::string>{"Error opening file: " + path});
    };
    refused(file.Dir());
    refused(file.Dir() + "/missing.plt");
#ifdef _WIN32
    refused("NUL");  // a device, not a file
#else
    refused("/dev/zero");  // would never end
    const std::string pipe = file.Dir() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    refused(pipe);  // and must not hang
#endif
    refused(file.Path() + std::string(1, '\0') + "x");
    EXPECT_EQ(list.GetSize(), 1u);
}

#ifdef _WIN32
// Windows: the read is exclusive. A file that another program holds open for writing is not
// read, and a file being read can be neither written nor deleted meanwhile.
TEST(BadInput, FileOpenElsewhereIsNotReadAndAFileBeingReadIsLocked) {
    TempFile file(Header() + "1,2,0,0,3\n");
    TrackSectionList list;
    {
        std::ofstream writer(PathFromUtf8(file.Path()), std::ios::app);
        ASSERT_TRUE(writer.is_open());
        const ReadResult read = list.LoadTrackFile(file.Path());
        EXPECT_EQ(read.status, ReadStatus::OpenFailed);
        EXPECT_EQ(read.messages, std::vector<std::string>{"Error opening file: " + file.Path()});
    }

    const std::unique_ptr<FileSource> source = FileSource::Open(file.Path());
    ASSERT_NE(source, nullptr);
    EXPECT_FALSE(std::ofstream(PathFromUtf8(file.Path()), std::ios::app).is_open());
    std::error_code error;
    EXPECT_FALSE(std::filesystem::remove(PathFromUtf8(file.Path()), error));
    EXPECT_EQ(ReadTrackText(list, *source), ReadStatus::Ok);
    EXPECT_EQ(list[0].points.GetSize(), 1u);
}
#else
TEST(BadInput, UnreadableFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempFile file(Header() + "1,2,0,0,3\n");
    chmod(file.Path().c_str(), 0);
    TrackSectionList list;
    const ReadResult read = list.LoadTrackFile(file.Path());
    EXPECT_EQ(read.status, ReadStatus::OpenFailed);
    EXPECT_EQ(read.messages, std::vector<std::string>{"Error opening file: " + file.Path()});
}

#endif

TEST(BadInput, PathWithSpacesAndLettersBeyondAscii) {
    TempFile file(Header("Höhenweg") + "1,2,0,0,3\n", "Höhenweg über den Grat ẞ.plt");
    TrackSectionList list;
    EXPECT_EQ(list.LoadTrackFile(file.Path()).status, ReadStatus::Ok);
    EXPECT_EQ(list[0].name, "Höhenweg");
    EXPECT_EQ(list[0].points.GetSize(), 1u);
}

#ifndef _WIN32  // Windows: the exclusive read forbids both (the test above)
TEST(BadInput, FileDeletedOrTruncatedWhileRead) {
    const std::string text = Header() + PointLines(100000, "46.5,8.2,0,1000,45000.5");
    {
        TempFile file(text);
        std::unique_ptr<FileSource> source = FileSource::Open(file.Path());
        std::filesystem::remove(file.Path());  // the open file reads on
        TrackSectionList list;
        EXPECT_EQ(ReadTrackText(list, *source), ReadStatus::Ok);
        EXPECT_EQ(list[0].points.GetSize(), 100000u);
    }
    {
        TempFile file(text);
        std::unique_ptr<FileSource> source = FileSource::Open(file.Path());
        TruncatingSource truncating(*source, file.Path());
        TrackSectionList list;
        EXPECT_EQ(ReadTrackText(list, truncating), ReadStatus::Ok);  // it just ends early
        EXPECT_GT(list[0].points.GetSize(), 1000u);
        EXPECT_LT(list[0].points.GetSize(), 100000u);
        AnalyseEveryWay(list);
    }
}

#endif

TEST(BadInput, ReadErrorReportsTheFullPathAndKeepsTheSections) {
    TempFile file(Header("Walk") + "1,1,0,0,1\n2,2,1,0,2\n");
    TrackSectionList list;
    list.LoadTrackFile(file.Path());
#ifndef _WIN32  // no file that opens and then fails to read is at hand there
    // The process's own memory opens as a regular file, but reading it from offset 0 fails.
    const ReadResult read = list.ReadTrackFile("/proc/self/../self/mem");
    EXPECT_EQ(read.status, ReadStatus::ReadFailed);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(read.messages, std::vector<std::string>{
                                 "An unknown error occurred while accessing /proc/self/mem."});
#endif

    // Failing part-way through a file keeps what came before the failure.
    const std::string text = Header("Walk") + "1,1,0,0,1\n2,2,1,0,2\n3,3,0,0,3\n";
    MemorySource failing(text, text.size() - 3);
    EXPECT_EQ(ReadTrackText(list, failing), ReadStatus::ReadFailed);
    ASSERT_EQ(list.GetSize(), 4u);
    EXPECT_EQ(list[3].points.GetSize(), 1u);
}

TEST(BadInput, NumbersOutsideTheGrammarOrRange) {
    TempFile file(Header() + "1e999,-1e999,0,1e-999,nan\ninf,0x10,0,-1e999,1e999\n");
    TrackSectionList list;
    list.LoadTrackFile(file.Path());
    ASSERT_EQ(list[0].points.GetSize(), 2u);
    const TrackPoint& a = list[0].points[0];
    EXPECT_EQ(a.latitude, std::numeric_limits<double>::infinity());
    EXPECT_EQ(a.longitude, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(a.altitude, 0.0);
    EXPECT_EQ(a.time, 0.0);
    const TrackPoint& b = list[0].points[1];
    EXPECT_EQ(b.latitude, 0.0);
    EXPECT_EQ(b.longitude, 0.0);
    EXPECT_EQ(b.altitude, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(b.time, std::numeric_limits<double>::infinity());
    AnalyseEveryWay(list);
}

TEST(BadInput, CoordinatesBeyondTheGlobe) {
    TempFile file(Header() + "95,8,0,0,45000\n-200,400,0,100,45000.01\n1e300,-1e300,0,200,45000.02\n"
                  "46,8,0,300,45000.03\n");
    TrackSectionList list;
    list.LoadTrackFile(file.Path());
    EXPECT_EQ(list[0].points[0].latitude, 95.0);  // taken as written
    AnalyseEveryWay(list);
}

TEST(BadInput, EveryPointLineABreak) {
    TempFile file(Header("Walk") + PointLines(1000000, "46.5,8.2,1,1000,45000.5"));
    TrackSectionList list;
    EXPECT_EQ(list.LoadTrackFile(file.Path()).status, ReadStatus::Ok);
    ASSERT_EQ(list.GetSize(), 1000000u);  // the first line's flag starts nothing
    EXPECT_EQ(list[999999].name, "+^+");
    EXPECT_EQ(list[999999].points.GetSize(), 1u);
    // Every row's name is found in one pass, not by walking back from each row.
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(list);
    EXPECT_EQ(FormatDisplayName(list, 999999, owners[999999]), "Walk (1000000)");
    TrackSection track;
    JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectAuto, 15, 1.8), track);
    EXPECT_EQ(track.points.GetSize(), 1000000u);
    EXPECT_EQ(track.points[999999].flags & FlagSectionStart, FlagSectionStart);
}

TEST(BadInput, MillionIdenticalPoints) {
    TempFile file(Header() + PointLines(1000000, "46.5,8.2,0,1000,45000.5"));
    TrackSectionList list;
    list.LoadTrackFile(file.Path());
    TrackSection track;
    JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectAuto, 15, 1.8), track);
    EXPECT_EQ(track.points[500000].state, StateStopped);  // no time, no movement
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.totalTime, 0.0);
    EXPECT_EQ(t.distance3D, 0.0);
    EXPECT_TRUE(std::isnan(t.totalAverageSpeed));
    EXPECT_EQ(t.maximumSpeed, 0.0);
}

TEST(BadInput, TimesRunningBackwards) {
    std::string text = Header();
    for (int i = 0; i < 200; ++i) {
        text += "46." + std::to_string(1000 + i) + ",8.2,0," + std::to_string(1000 + 10 * (i % 37))
                + "," + std::to_string(45001 - i * 0.0001) + "\n";
    }
    TempFile file(text);
    TrackSectionList list;
    list.LoadTrackFile(file.Path());
    TrackSection track;
    JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectAll, 15, 1.8), track);
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_LT(t.totalTime, 0.0);     // summed as they are
    EXPECT_EQ(t.maximumSpeed, 0.0);  // no stretch lasts more than 20 s forwards
}

TEST(BadInput, ExtremeThresholds) {
    TrackSectionList list;
    list.LoadTrackFile(std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt");
    for (double threshold : {0.0, -5.0, 1e308, -1e308, std::numeric_limits<double>::infinity()}) {
        AnalyseEveryWay(list, threshold, threshold);
    }
    TrackSection track;
    JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectNone, 15, 1e308), track);
    EXPECT_EQ(ComputeStatistics(track).movingTime, 0.0);  // everything is a stop
    JoinSections(list, AllRows(list), AnalysisSettings::FromKmh(ConnectNone, 1e308, -5), track);
    const TrackStatistics t = ComputeStatistics(track);
    EXPECT_EQ(t.stoppedTime, 0.0);  // nothing is
    EXPECT_EQ(t.totalAscent, 0.0);  // no climb passes the threshold
}
