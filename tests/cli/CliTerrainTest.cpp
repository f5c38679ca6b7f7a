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

constexpr std::size_t kMaxElevation = 11;

/// Sets PELORIN_DEM for the runs of the tool; empty removes it.
void SetDemEnvironment(const std::string& folder) {
#ifdef _WIN32
    _putenv_s("PELORIN_DEM", folder.c_str());
#else
    if (folder.empty()) {
        unsetenv("PELORIN_DEM");
    } else {
        setenv("PELORIN_DEM", folder.c_str(), 1);
    }
#endif
}

/// The tile as .hgt.gz in the folder gz and as .hgt.zip in zip, beside the track.
void WriteTiles(const TempFile& track) {
    const std::string tile = PlaneTile();
    for (const char* packing : {"gz", "zip"}) {
        std::filesystem::create_directory(PathFromUtf8(track.Dir() + "/" + packing));
        std::ofstream(PathFromUtf8(track.Dir() + "/" + packing + "/N46E013.hgt." + packing),
                      std::ios::binary)
            << (packing[0] == 'g' ? Gzip(tile) : Zip({{"N46E013.hgt", tile, 2884802}}));
    }
}

JsonValue Json(const std::string& text) {
    return JsonReader::Parse(text).value_or(JsonValue{});
}

double Figure(const JsonValue& statistics, const std::string& label) {
    for (const JsonValue& row : statistics.items) {
        if (row["label"].text == label) {
            return row["value"].number;
        }
    }
    ADD_FAILURE() << "no " << label;
    return 0.0;
}

}  // namespace

TEST(CliTerrain, ChoicesFolderAndEnvironment) {
    SKIP_WITHOUT_XML();
#ifndef PELORIN_HAVE_ZLIB
    GTEST_SKIP() << "this build reads no gzipped tiles";
#endif
    const TempFile track(PlaneTrackGpx(), "plane.gpx");
    WriteTiles(track);
    const std::string gz = track.Dir() + "/gz";
    const auto countMessage = [&](int count) {
        return track.Path() + ": " + std::to_string(count)
               + " points have no terrain height and keep the recorded one.\n";
    };
    SetDemEnvironment("");
    const ToolRun recorded = RunTool({"--format", "json", track.Path()});
    EXPECT_EQ(Json(recorded.out).keys,
              (std::vector<std::string>{"title", "sections", "statistics"}));
    EXPECT_EQ(Json(recorded.out)["statistics"][kMaxElevation]["value"].number, 520);
    EXPECT_EQ(RunTool({"--elevation", "terrain", track.Path()}).status, 2);

#ifdef PELORIN_HAVE_LIBZIP
    const char* packings[] = {"gz", "zip"};
#else
    const char* packings[] = {"gz"};
#endif
    for (const std::string packing : packings) {
        const ToolRun run = RunTool({"--dem", track.Dir() + "/" + packing, "--elevation=terrain",
                                     "--format", "json", track.Path()});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, countMessage(2)) << packing;
        const JsonValue report = Json(run.out);
        EXPECT_EQ(Figure(report["statistics"], "Max Elevation"), 2600) << packing;
        EXPECT_EQ(report["terrain"]["points_without_height"].number, 2);
        EXPECT_EQ(Figure(report["terrain"]["statistics"], "Min Elevation"), 505);
        EXPECT_EQ(Figure(report["terrain"]["statistics"], "Total Ascent"),
                  Figure(report["statistics"], "Total Ascent"));
    }

    // The environment names the folder, and --dem wins over it.
    SetDemEnvironment(gz);
    const ToolRun fill = RunTool({"--elevation", "fill", "--format", "json", track.Path()});
    SetDemEnvironment(track.Dir() + "/missing");
    const ToolRun overridden =
        RunTool({"--dem", gz, "--elevation", "fill", "--format", "json", track.Path()});
    SetDemEnvironment("");
    EXPECT_EQ(fill.err, countMessage(1));
    EXPECT_EQ(overridden.out, fill.out);
    EXPECT_EQ(overridden.err, fill.err);
    const JsonValue report = Json(fill.out);
    EXPECT_EQ(Figure(report["statistics"], "Max Elevation"), 2440);
    EXPECT_EQ(Figure(report["terrain"]["statistics"], "Max Elevation"), 2600);

    // --each: the same figures in each row, and in the total.
    const ToolRun each = RunTool({"--each", "--total", "--dem", gz, "--elevation", "fill",
                                  "--format", "json", track.Path()});
    std::istringstream lines(each.out);
    for (std::string line; std::getline(lines, line);) {
        const JsonValue row = Json(line);
        EXPECT_EQ(Figure(row["statistics"], "Max Elevation"), 2440);
        EXPECT_EQ(Figure(row["terrain"]["statistics"], "Total Ascent"),
                  Figure(report["terrain"]["statistics"], "Total Ascent"));
    }
    EXPECT_EQ(each.err, countMessage(1));
}
