#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "track/TrackPoint.h"

/// What the tool needs from around it, so that it runs the same in a test or a benchmark.
struct CliHooks {
    /// Reports a stage of long work; empty: no progress is shown.
    std::function<void(const std::string& stage)> progress;
    /// Draws the profile into a PNG file; empty when the build has no image support.
    std::function<bool(const std::string& path, const TrackPoint* points, std::size_t count,
                       bool overDistance, int width, int height)>
        writePng;
    /// Draws the track on its map into the PNG file of --map; false with a message in error.
    /// Empty when the build has no maps.
    std::function<bool(const CliOptions& options, const TrackPoint* points, std::size_t count,
                       std::string& error)>
        writeMap;
};

/// The chosen rows: the listed ones, or every section. A message when one names no section.
std::optional<std::string> ChooseRows(const CliOptions& options, std::size_t sectionCount,
                                      std::vector<std::size_t>& rows);

/// Reads, joins, analyses and reports as the window does. The report goes to out; what the
/// readers and the tool tell the user goes to err, a line each. Returns the exit status.
int RunCli(const CliOptions& options, const CliHooks& hooks, std::string& out, std::string& err);
