#pragma once

#include <functional>
#include <string>

#include "cli/CliOptions.h"
#include "cli/CliRun.h"

/// Takes text as soon as it is ready: the rows, or the messages for the user.
using EachSink = std::function<void(const std::string& text)>;

/// Analyses every file of the arguments on its own, on several workers, and writes one row
/// per file in the order of the arguments as soon as the rows before it are written. The
/// reader's messages of each file go to err just before its row. Returns the exit status:
/// 1 when any file failed.
int RunEach(const CliOptions& options, const CliHooks& hooks, const EachSink& out,
            const EachSink& err);
