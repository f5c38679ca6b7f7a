// pelorin-cli --each: rows that equal the files alone, in order whatever the workers do.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include "ToolProcess.h"
#include "analysis/Statistics.h"
#include "support/JsonReader.h"
#include "support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

const std::string kPlt = std::string(PELORIN_REAL_DATA) + "/plt";

std::vector<JsonValue> JsonLines(const std::string& text) {
    std::vector<JsonValue> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        rows.push_back(JsonReader::Parse(line).value_or(JsonValue{}));
        EXPECT_EQ(rows.back().type, JsonValue::Object) << line;
    }
    return rows;
}

double Figure(const JsonValue& row, std::size_t i) {
    return row["statistics"][i]["value"].number;
}

}  // namespace

TEST(CliEach, EveryRowEqualsTheFileAloneAndTheOrderIsFixed) {
    if (!fs::is_directory(kPlt)) {
        GTEST_SKIP() << "no real recordings in " << kPlt;
    }
    const ToolRun batch = RunTool({"--each", "--format", "json", "--jobs", "4", kPlt});
    ASSERT_EQ(batch.status, 0) << batch.err;
    const std::vector<JsonValue> rows = JsonLines(batch.out);
    ASSERT_GE(rows.size(), 20u);
    for (const JsonValue& row : rows) {
        const std::string& file = row["file"].text;
        SCOPED_TRACE(file);
        const JsonValue alone =
            JsonReader::Parse(RunTool({"--format", "json", file}).out).value_or(JsonValue{});
        ASSERT_EQ(alone.type, JsonValue::Object);
        EXPECT_EQ(row["sections"].number, static_cast<double>(alone["sections"].items.size()));
        ASSERT_EQ(row["statistics"].items.size(), kStatisticsRowCount);
        for (std::size_t i = 0; i < kStatisticsRowCount; ++i) {
            const JsonValue& mine = row["statistics"][i];
            const JsonValue& theirs = alone["statistics"][i];
            EXPECT_EQ(mine.keys, theirs.keys);
            EXPECT_EQ(mine["text"].text, theirs["text"].text);
            EXPECT_EQ(mine["value"].text, theirs["value"].text);  // nan, inf
            EXPECT_EQ(mine["value"].number, theirs["value"].number) << mine["label"].text;
        }
    }
    std::vector<std::string> files;
    for (const JsonValue& row : rows) {
        files.push_back(row["file"].text);
    }
    EXPECT_TRUE(std::is_sorted(files.begin(), files.end()));
    for (const char* format : {"json", "csv", "text"}) {
        const std::vector<std::string> args = {"--each", "--total", "--format", format,
                                               kPlt,     files[3],  kPlt};
        std::vector<std::string> one = args;
        one.insert(one.end(), {"--jobs", "1"});
        std::vector<std::string> four = args;
        four.insert(four.end(), {"--jobs", "4"});
        EXPECT_EQ(RunTool(one).out, RunTool(four).out) << format;
    }
}

TEST(CliEach, TotalSumsAndRecomputesFromTheSums) {
    const std::string a = kPlt + "/fromgpx_gcheetah_ride_2010.plt";
    const std::string b = kPlt + "/fromgpx_gpxplotter_example1.plt";
    const std::string empty = kPlt + "/fromgpx_gpxpy_korita_zbevnica_t0.plt";
    if (!fs::exists(a) || !fs::exists(b) || !fs::exists(empty)) {
        GTEST_SKIP() << "no real recordings in " << kPlt;
    }
    const ToolRun run = RunTool({"--each", "--total", "--format", "json", a, empty, b});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<JsonValue> rows = JsonLines(run.out);
    ASSERT_EQ(rows.size(), 4u);
    const JsonValue& x = rows[0];
    const JsonValue& y = rows[2];
    const JsonValue& total = rows[3];
    ASSERT_EQ(rows[1]["points"].number, 0.0);  // adds nothing, not even its begin of 0
    EXPECT_EQ(total["file"].text, "TOTAL");
    EXPECT_EQ(total["points"].number, x["points"].number + y["points"].number);
    for (std::size_t i : {2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18, 19, 20}) {
        EXPECT_EQ(Figure(total, i), Figure(x, i) + Figure(y, i)) << i;
    }
    for (std::size_t i : {0, 10}) {
        EXPECT_EQ(Figure(total, i), std::min(Figure(x, i), Figure(y, i))) << i;
    }
    for (std::size_t i : {1, 9, 11, 29, 30}) {
        EXPECT_EQ(Figure(total, i), std::max(Figure(x, i), Figure(y, i))) << i;
    }
    // Averages of the sums: (distance, duration in days, factor) of each.
    const auto sum = [&](std::size_t i) {
        return Figure(x, i) + Figure(y, i);
    };
    struct Average {
        std::size_t row, numerator, divisor;
        double perDay;
    };
    for (const Average& avg :
         {Average{7, 6, 2, 24}, Average{8, 6, 3, 24}, Average{21, 12, 14, 1440},
          Average{22, 13, 15, 1440}, Average{23, 17, 14, 24}, Average{24, 18, 15, 24},
          Average{25, 17, 19, 24}, Average{26, 18, 20, 24}}) {
        EXPECT_DOUBLE_EQ(Figure(total, avg.row),
                         sum(avg.numerator) / (sum(avg.divisor) * avg.perDay))
            << avg.row;
    }
    EXPECT_DOUBLE_EQ(Figure(total, 27), sum(12) / (sum(17) * 1000) * 100);
    EXPECT_DOUBLE_EQ(Figure(total, 28), sum(13) / (sum(18) * 1000) * 100);
}

TEST(CliEach, AnUnreadableFileFailsItsRowOnly) {
    // Two copies: on Windows a file is opened for exclusive access, so two workers cannot read
    // one file at once.
    const TempFile good(ReadAll(std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt"));
    const TempFile copy(ReadAll(good.Path()));
    const ToolRun run = RunTool(
        {"--each", "--total", "--format", "csv", good.Path(), "/nonexistent/x.plt", copy.Path()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error opening file: /nonexistent/x.plt\n");
    std::vector<std::string> lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 27), "file,sections,points,Begin,");
    EXPECT_EQ(lines[0].substr(lines[0].size() - 6), ",error");
    EXPECT_EQ(lines[1].back(), ',');
    EXPECT_EQ(lines[2], "/nonexistent/x.plt,0,0" + std::string(31, ',')
                            + ",Error opening file: /nonexistent/x.plt");
    EXPECT_EQ(lines[3].substr(copy.Path().size()), lines[1].substr(good.Path().size()));
    // The total counts the two good files: sections and points twice those of one.
    std::istringstream fields(lines[1].substr(good.Path().size() + 1));
    std::size_t sections = 0;
    std::size_t points = 0;
    char comma = 0;
    fields >> sections >> comma >> points;
    const std::string start =
        "TOTAL," + std::to_string(2 * sections) + "," + std::to_string(2 * points) + ",";
    EXPECT_EQ(lines[4].substr(0, start.size()), start);
}

TEST(CliEach, FoldersAreWalkedInPathOrderAndLinkLoopsEnd) {
    const TempFile track(ReadAll(std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt"));
    const std::string root = track.Dir() + "/tracks";
    fs::create_directories(root + "/b/deep");
    fs::copy_file(track.Path(), root + "/b/deep/Z.PLT");
    fs::copy_file(track.Path(), root + "/a.plt");
    fs::copy_file(track.Path(), root + "/b/notes.txt");
#ifdef _WIN32
    GTEST_SKIP() << "links and named pipes are made differently on Windows";
#else
    fs::create_directory_symlink("..", root + "/b/deep/up");     // a loop
    fs::create_directory_symlink("b", root + "/c");              // the same folder again
    ASSERT_EQ(mkfifo((root + "/b/pipe.plt").c_str(), 0600), 0);  // would block a reader
    fs::create_symlink("gone.plt", root + "/b/lost.plt");
    const ToolRun run = RunTool({"--each", "--format", "json", root});
    EXPECT_EQ(run.status, 1) << run.err;  // the lost link
    const std::vector<JsonValue> rows = JsonLines(run.out);
    std::vector<std::string> files;
    for (const JsonValue& row : rows) {
        files.push_back(row["file"].text);
    }
    EXPECT_EQ(files, (std::vector<std::string>{root + "/a.plt", root + "/b/deep/Z.PLT",
                                               root + "/b/lost.plt"}));
#endif
}

TEST(CliEach, TextTableShowsTheListsTextsAndMisusedOptionsAreMistakes) {
    const std::string file = kPlt + "/mapsoft_tajik_2019.plt";
    if (!fs::exists(file)) {
        GTEST_SKIP() << "no real recordings in " << kPlt;
    }
    const ToolRun run = RunTool({"--each", file});
    EXPECT_NE(run.out.find("  55:11:18  "), std::string::npos) << run.out;
    EXPECT_EQ(RunTool({"--total", file}).status, 2);
    EXPECT_EQ(RunTool({"--each", "--plot", "x.svg", file}).status, 2);
    EXPECT_EQ(RunTool({"--each", "--jobs", "0", file}).status, 2);
    // A file read well despite a warning fails no row, as it fails no single run.
    const std::string noElevations =
        std::string(PELORIN_REAL_DATA) + "/gpx/gpsbabel_garmin-forerunner-10-output.gpx";
    const ToolRun warned = RunTool({"--each", "--format", "csv", noElevations});
    EXPECT_EQ(warned.status, RunTool({noElevations}).status) << warned.err;
    EXPECT_NE(warned.err, "");
    EXPECT_EQ(warned.out.back(), '\n');
    EXPECT_EQ(warned.out[warned.out.size() - 2], ',') << warned.out;  // no error in the row
}
