// pelorin-cli --dem, PELORIN_DEM and --elevation on a small track over a plane.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolProcess.h"
#include "support/JsonReader.h"
#include "support/TerrainFiles.h"
#include "support/TestFiles.h"

namespace {

/// Sets PELORIN_DEM for the runs of the tool; empty removes it.
void SetDemEnvironment(const std::string& folder) {
#ifdef _WIN32
    _putenv_s("PELORIN_DEM", folder.c_str());
#else
    folder.empty() ? unsetenv("PELORIN_DEM") : setenv("PELORIN_DEM", folder.c_str(), 1);
#endif
}

/// A figure of the "statistics" of a JSON report, or of its "terrain".
double Figure(const std::string& json, const std::string& label, bool terrain = false) {
    const JsonValue report = JsonReader::Parse(json).value_or(JsonValue{});
    for (const JsonValue& row : (terrain ? report["terrain"] : report)["statistics"].items) {
        if (row["label"].text == label) {
            return row["value"].number;
        }
    }
    return -1.0;
}

}  // namespace

TEST(CliTerrain, ChoicesFolderAndEnvironment) {
#ifndef PELORIN_HAVE_ZLIB
    GTEST_SKIP() << "this build reads no gzipped tiles";
#endif
    const TempFile track(PlaneTrackGpx(), "plane.gpx");
    std::vector<std::string> folders = {track.Dir() + "/gz"};
    std::filesystem::create_directory(PathFromUtf8(folders[0]));
    std::ofstream(PathFromUtf8(folders[0] + "/N46E013.hgt.gz"), std::ios::binary)
        << Gzip(PlaneTile());
#ifdef PELORIN_HAVE_LIBZIP
    folders.push_back(track.Dir() + "/zip");
    std::filesystem::create_directory(PathFromUtf8(folders[1]));
    std::ofstream(PathFromUtf8(folders[1] + "/N46E013.hgt.zip"), std::ios::binary)
        << Zip({{"N46E013.hgt", PlaneTile(), 2884802}});
#endif
    const auto countMessage = [&](int count) {
        return track.Path() + ": " + std::to_string(count)
               + " points have no terrain height and keep the recorded one.\n";
    };
    SetDemEnvironment("");
    const ToolRun recorded = RunTool({"--format", "json", track.Path()});
    EXPECT_EQ(recorded.out.find("terrain"), std::string::npos);
    EXPECT_EQ(Figure(recorded.out, "Max Elevation"), 520);
    EXPECT_EQ(RunTool({"--elevation", "terrain", track.Path()}).status, 2);
    for (const std::string& folder : folders) {
        const ToolRun run =
            RunTool({"--dem", folder, "--elevation=terrain", "--format", "json", track.Path()});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, countMessage(2)) << folder;
        EXPECT_EQ(Figure(run.out, "Max Elevation"), 2600) << folder;
        EXPECT_EQ(Figure(run.out, "Min Elevation", true), 505);
        EXPECT_EQ(Figure(run.out, "Total Ascent", true), Figure(run.out, "Total Ascent"));
    }
    // The environment names the folder, and --dem wins over it.
    SetDemEnvironment(folders[0]);
    const ToolRun fill = RunTool({"--elevation", "fill", "--format", "json", track.Path()});
    SetDemEnvironment(track.Dir() + "/missing");
    const ToolRun given =
        RunTool({"--dem", folders[0], "--elevation", "fill", "--format", "json", track.Path()});
    SetDemEnvironment("");
    EXPECT_EQ(fill.err, countMessage(1));
    EXPECT_EQ(given.out + given.err, fill.out + fill.err);
    EXPECT_EQ(Figure(fill.out, "Max Elevation"), 2440);
    EXPECT_EQ(Figure(fill.out, "Max Elevation", true), 2600);
    // --each: the same figures in the file's row and in the total.
    const ToolRun each = RunTool({"--each", "--total", "--dem", folders[0], "--elevation", "fill",
                                  "--format", "json", track.Path()});
    EXPECT_EQ(each.err, countMessage(1));
    std::istringstream lines(each.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(Figure(line, "Max Elevation"), 2440);
        EXPECT_EQ(Figure(line, "Total Ascent", true), Figure(fill.out, "Total Ascent", true));
    }
}
