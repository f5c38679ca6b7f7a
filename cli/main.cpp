// pelorin-cli: the window's analysis from the command line, for batch work and comparison.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "cli/EachRun.h"
#include "cli/TerminalLine.h"
#include "track/FilePaths.h"

#ifdef PELORIN_CLI_PNG
#include <QSize>

#include "qt/PngFile.h"
#endif
#ifdef PELORIN_CLI_MAP
#include "tiles/MapPng.h"
#endif

namespace {

/// The arguments as UTF-8. Windows passes main() the arguments in the ANSI code page, which
/// cannot hold every file name, so they are taken from the UTF-16 command line instead.
std::vector<std::string> Utf8Arguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        args.push_back(Utf8FromPath(std::filesystem::path(wide[i])));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

/// The folder of terrain tiles that the environment variable PELORIN_DEM names, as UTF-8;
/// empty when it is not set.
std::string DemFromEnvironment() {
#ifdef _WIN32
    const wchar_t* value = _wgetenv(L"PELORIN_DEM");
    return value != nullptr ? Utf8FromPath(std::filesystem::path(value)) : std::string();
#else
    const char* value = std::getenv("PELORIN_DEM");
    return value != nullptr ? std::string(value) : std::string();
#endif
}

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

#ifdef PELORIN_CLI_PNG
bool WritePng(const std::string& path, const TrackPoint* points, std::size_t count,
              bool overDistance, int width, int height) {
    return SaveProfilePng(path, points, count, overDistance, QSize(width, height));
}
#endif

#ifdef PELORIN_CLI_MAP
bool WriteMap(const CliOptions& options, const TrackPoint* points, std::size_t count,
              std::string& error) {
    return WriteMapPng(
        {options.mapPath, options.tiles, options.online, options.plotWidth, options.plotHeight},
        points, count, error);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Reports and messages are the same bytes everywhere: no LF becomes CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> args = Utf8Arguments(argc, argv);
    TerminalLine line(StderrIsTerminal());
    std::string error;
    const std::optional<CliOptions> options = ParseCliOptions(args, error, DemFromEnvironment());
    if (!options) {
        line.Print("pelorin-cli: " + error + "\nTry 'pelorin-cli --help' for more information.\n");
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(kCliUsage, stdout);
        return kExitOk;
    }
    CliHooks hooks;
    if (line.IsTerminal()) {
        hooks.progress = [&line](const std::string& stage) {
            line.Show(stage);
        };
    }
#ifdef PELORIN_CLI_PNG
    hooks.writePng = WritePng;
#endif
#ifdef PELORIN_CLI_MAP
    hooks.writeMap = WriteMap;
#endif
    if (options->each) {
        const auto writeOut = [](const std::string& text) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
        };
        const auto writeErr = [&line](const std::string& text) {
            line.Print(text);
        };
        const int status = RunEach(*options, hooks, writeOut, writeErr);
        line.Clear();
        return std::ferror(stdout) == 0 && std::fflush(stdout) == 0 ? status : kExitFileError;
    }
    std::string out;
    std::string messages;
    const int status = RunCli(*options, hooks, out, messages);
    line.Print(messages);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? status : kExitFileError;
}
