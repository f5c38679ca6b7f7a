#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisSettings.h"
#include "report/Report.h"

/// Everything the command line asks for.
struct CliOptions {
    std::vector<std::string> files;                  // the first is loaded, the rest appended
    std::optional<std::vector<std::size_t>> select;  // none: every section
    AnalysisSettings analysis;                       // --connect, --vertical, --speed, --elevation
    std::string dem;                                 // terrain tiles (UTF-8); empty: none
    DisplayOptions display;                          // --units, --time
    ReportFormat format = ReportFormat::Text;
    std::string pointsPath;    // empty: no points file
    std::string plotPath;      // empty: no plot
    bool overDistance = true;  // false: plot over time
    int plotWidth = 856;       // pixels
    int plotHeight = 169;      // pixels
    std::string mapPath;       // empty: no map
    std::string tiles;         // the map's tiles: a file, a folder or a source's name
    bool online = false;       // the map's missing tiles fetched from the network
    bool each = false;         // every file (and every track file under a folder) on its own
    bool total = false;        // with each: one more row of the files taken together
    int jobs = 0;              // with each: workers; 0: one per hardware thread
    bool help = false;
};

/// Largest width or height of a plot, in pixels.
inline constexpr int kMaxPlotSide = 16384;

/// Largest number of workers --jobs takes.
inline constexpr int kMaxJobs = 256;

/// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

/// Reads the arguments (without the program name); demFromEnvironment is the terrain folder
/// that PELORIN_DEM names, which --dem overrides. On a mistake returns nothing and puts a
/// message for the user in error.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error,
                                          const std::string& demFromEnvironment = {});

/// The kind of image a plot path asks for, by its extension (.svg or .png, any case).
enum class PlotFormat { Svg, Png };
std::optional<PlotFormat> PlotFormatOf(const std::string& path);

/// The text of --help.
extern const char kCliUsage[];
