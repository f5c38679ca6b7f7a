// The figures of a range of the joined track equal those of pelorin-cli run on a file that
// holds just the range's point lines.

#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolProcess.h"
#include "analysis/Joining.h"
#include "analysis/RangeCut.h"
#include "analysis/Statistics.h"
#include "report/ListFormat.h"
#include "support/JsonReader.h"
#include "support/TestFiles.h"

namespace {

std::string RunCliJson(const std::string& path) {
    const TempFile out("", "out.json");
    EXPECT_EQ(RunToolInto({"--format", "json", path}, out.Path(), out.Dir() + "/err.txt"), 0)
        << path;
    std::ifstream in(PathFromUtf8(out.Path()), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Lines of a track file, the line ends kept.
std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line + "\n");
    }
    return lines;
}

}  // namespace

TEST(RangeCut, FiguresEqualTheToolOnTheRangeAlone) {
    std::vector<std::string> files{std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt"};
    const std::filesystem::path real = std::filesystem::path(PELORIN_REAL_DATA) / "plt";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(real, error)) {
        files.push_back(entry.path().string());
    }
    int compared = 0;
    for (const std::string& path : files) {
        TrackSectionList sections;
        sections.LoadTrackFile(path);
        TrackSection joined;
        std::vector<std::size_t> rows(sections.GetSize());
        std::iota(rows.begin(), rows.end(), std::size_t{0});
        JoinSections(sections, rows, AnalysisSettings::FromKmh(ConnectAuto, 15.0, 1.8), joined);
        const std::vector<std::string> lines = FileLines(path);
        const std::size_t n = joined.points.GetSize();
        if (n < 10 || lines.size() != n + 6) {
            continue;  // only files whose every line past the header is a point
        }
        const std::size_t first = n / 3;
        const std::size_t last = 2 * n / 3;
        std::string cut;
        for (std::size_t i = 0; i < 6; ++i) {
            cut += lines[i];
        }
        for (std::size_t i = first; i <= last; ++i) {
            cut += lines[6 + i];
        }
        const TempFile file(cut);
        const std::optional<JsonValue> report = JsonReader::Parse(RunCliJson(file.Path()));
        ASSERT_TRUE(report.has_value()) << path;
        TrackSection range;
        CutRange(joined, last, first, AnalysisSettings::FromKmh(ConnectAuto, 15.0, 1.8), range);
        ++compared;
        const std::vector<StatisticsRow> figures = FormatStatisticsRows(ComputeStatistics(range));
        const JsonValue& statistics = (*report)["statistics"];
        ASSERT_EQ(statistics.items.size(), figures.size());
        for (std::size_t i = 0; i < figures.size(); ++i) {
            EXPECT_EQ(statistics[i]["text"].text, figures[i].value)
                << path << ": " << figures[i].label;
        }
    }
    EXPECT_GE(compared, 10);
}
