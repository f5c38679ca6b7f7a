// pelorin-cli: the window's analysis from the command line, for batch work and comparison.

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "cli/EachRun.h"
#include "track/Platform.h"

#ifdef PELORIN_CLI_PNG
#include <QImage>
#include <QSize>

#include "ui/QtPlotCanvas.h"
#endif

namespace {

void PrintError(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

/// One line of progress on the terminal, overwritten by the next.
void ShowProgress(const std::string& stage) {
    PrintError("\r\033[Kpelorin-cli: " + stage + "...");
}

#ifdef PELORIN_CLI_PNG
bool WritePng(const std::string& path, const TrackPoint* points, std::size_t count,
              bool overDistance, int width, int height) {
    const QImage image = RenderProfileImage(points, count, overDistance, QSize(width, height));
    return image.save(QString::fromLocal8Bit(path.c_str()), "PNG");
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<CliOptions> options = ParseCliOptions(args, error);
    if (!options) {
        PrintError("pelorin-cli: " + error + "\nTry 'pelorin-cli --help' for more information.\n");
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(kCliUsage, stdout);
        return kExitOk;
    }
    const bool terminal = isatty(STDERR_FILENO) != 0;
    SetWarningHandler([terminal](const std::string& text) {
        PrintError((terminal ? "\r\033[K" : "") + text + "\n");
    });
    CliHooks hooks;
    if (terminal) {
        hooks.progress = ShowProgress;
    }
#ifdef PELORIN_CLI_PNG
    hooks.writePng = WritePng;
#endif
    if (options->each) {
        const auto writeOut = [](const std::string& text) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
        };
        const auto writeErr = [terminal](const std::string& text) {
            PrintError((terminal ? "\r\033[K" : "") + text);
        };
        const int status = RunEach(*options, hooks, writeOut, writeErr);
        if (terminal) {
            PrintError("\r\033[K");
        }
        return std::ferror(stdout) == 0 && std::fflush(stdout) == 0 ? status : kExitFileError;
    }
    std::string out;
    std::string messages;
    const int status = RunCli(*options, hooks, out, messages);
    if (terminal) {
        PrintError("\r\033[K");
    }
    PrintError(messages);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? status : kExitFileError;
}
