#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "report/ReportFile.h"
#include "track/TrackSection.h"
#include "support/TestFiles.h"

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::size_t FilesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

}  // namespace

TEST(ReportFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    TempFile old("old contents", "report.csv");
    // Half of the text is written, then the writer fails, as on a full disk.
    EXPECT_FALSE(WriteFileAtomically(
        old.Path(), [](const TextSink& sink) { return sink("half of the new") && false; }));
    EXPECT_EQ(Contents(old.Path()), "old contents");
    EXPECT_EQ(FilesIn(old.Dir()), 1u);
    EXPECT_FALSE(WriteFile(old.Dir() + "/missing/report.csv", "text"));
    EXPECT_TRUE(WriteFile(old.Path(), "new"));
    EXPECT_EQ(Contents(old.Path()), "new");
    EXPECT_EQ(FilesIn(old.Dir()), 1u);
}

TEST(ReportFile, PointsFileLargerThanOneChunkKeepsEveryLine) {
    TrackSection track;
    constexpr std::size_t kCount = 30000;  // 1.5 MiB of text: more than one piece of 1 MiB
    for (std::size_t i = 0; i < kCount; ++i) {
        TrackPoint& p = track.points.Add();
        p.state = static_cast<int32_t>(i % 8);
        p.latitude = 46.0 + static_cast<double>(i) * 1e-5;
        p.longitude = 8.0;
        p.time = 45000.0 + static_cast<double>(i) / 86400.0;
    }
    TempFile file("", "points.csv");
    ASSERT_TRUE(WritePointsCsv(file.Path(), track));
    std::ifstream in(file.Path(), std::ios::binary);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, "index,state,distance,flags,longitude,latitude,altitude,time");
    std::size_t index = 0;
    while (std::getline(in, line)) {
        // Every line whole and in order, across the pieces handed to the file.
        ASSERT_EQ(line.rfind(std::to_string(index) + ',' + std::to_string(index % 8) + ",0,0,8,", 0),
                  0u)
            << line;
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 7) << line;
        ++index;
    }
    EXPECT_EQ(index, kCount);
    EXPECT_GT(std::filesystem::file_size(file.Path()), std::uintmax_t{1} << 20);
}
