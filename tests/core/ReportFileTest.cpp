#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "report/ReportFile.h"
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
