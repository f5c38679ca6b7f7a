#pragma once

#include <cstddef>
#include <functional>
#include <string>

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
};

/// Reads, joins, analyses and reports as the window does. The report goes to out, messages
/// of the tool to err; the reader's own messages go through the warning handler. Returns the
/// exit status.
int RunCli(const CliOptions& options, const CliHooks& hooks, std::string& out, std::string& err);
