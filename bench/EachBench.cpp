// pelorin-cli --each over a folder of 2,000 recordings (copies of the real ones and generated
// ones, about 20 million points): every core against one worker and against the single-file
// runs of the same files; and a thousand files of ten points each.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "cli/CliRun.h"
#include "cli/EachFiles.h"
#include "cli/EachRun.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kFolderFiles = 2000;
constexpr std::size_t kFilesPerSubfolder = 100;
constexpr std::size_t kGeneratedKinds = 60;
constexpr std::size_t kRealShare = 4;  // every fourth file is a copy of a real recording
constexpr std::size_t kTinyFiles = 1000;

std::string Numbered(std::size_t i) {
    char name[16];
    std::snprintf(name, sizeof name, "%04zu", i);
    return name;
}

/// A generated recording of 5,000 to 20,000 points (13,000 on average), made once.
std::string GeneratedKind(std::size_t kind) {
    const std::string folder = std::string(PELORIN_BENCH_DATA) + "/each-kinds";
    fs::create_directories(folder);
    const std::string path = folder + "/kind-" + Numbered(kind) + ".plt";
    if (!fs::exists(path)) {
        const std::size_t points = 5000 + (kind * 7919) % 16000;
        const std::string command = "python3 '" PELORIN_REALISTIC_GENERATOR "' --points "
                                    + std::to_string(points) + " --seed " + std::to_string(kind)
                                    + " -o '" + path + ".part' && mv '" + path + ".part' '" + path
                                    + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cannot generate %s\n", path.c_str());
            std::exit(1);
        }
    }
    return path;
}

/// The folder of 2,000 recordings in 20 subfolders, made on first use.
const std::string& RecordingsFolder() {
    static const std::string folder = [] {
        const std::string root = std::string(PELORIN_BENCH_DATA) + "/each-2000";
        if (fs::exists(root + "/complete")) {
            return root;
        }
        fs::remove_all(root);
        std::vector<EachFile> real = CollectTrackFiles({PELORIN_REAL_DATA "/plt"});
        for (std::size_t i = 0; i < kFolderFiles; ++i) {
            const std::string sub = root + "/" + Numbered(i / kFilesPerSubfolder);
            fs::create_directories(sub);
            const bool copyReal = !real.empty() && i % kRealShare == 0;
            const std::string source = copyReal ? real[(i / kRealShare) % real.size()].path
                                                : GeneratedKind(i % kGeneratedKinds);
            fs::copy_file(source,
                          sub + "/" + Numbered(i) + "-" + fs::path(source).filename().string());
        }
        std::fclose(std::fopen((root + "/complete").c_str(), "w"));
        return root;
    }();
    return folder;
}

/// A thousand files of ten points each, made on first use.
const std::string& TinyFolder() {
    static const std::string folder = [] {
        const std::string root = std::string(PELORIN_BENCH_DATA) + "/each-tiny";
        fs::create_directories(root);
        for (std::size_t i = 0; i < kTinyFiles; ++i) {
            std::FILE* out = std::fopen((root + "/" + Numbered(i) + ".plt").c_str(), "wb");
            std::fputs(
                "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\n"
                "Reserved 3\r\n0,2,255,Tiny,0,0,2,8421376\r\n0\r\n",
                out);
            for (int p = 0; p < 10; ++p) {
                std::fprintf(out, "46.%06d,8.%06d,0,%d,%.7f,,\r\n", 500000 + p * 40,
                             100000 + p * 30, 3000 + p * 5, 45000.25 + p / 8640.0);
            }
            std::fclose(out);
        }
        return root;
    }();
    return folder;
}

/// Runs a batch in the process; returns the points of its TOTAL row.
double RunBatch(const std::string& folder, int jobs) {
    CliOptions options;
    options.files = {folder};
    options.each = true;
    options.total = true;
    options.format = ReportFormat::Csv;
    options.jobs = jobs;
    std::string last;
    const int status = RunEach(
        options, CliHooks{}, [&](const std::string& row) { last = row; },
        [](const std::string&) {});
    if (status != 0) {
        std::fprintf(stderr, "the batch failed\n");
    }
    const std::size_t points = last.find(',', last.find(',') + 1) + 1;
    return std::strtod(last.c_str() + points, nullptr);
}

/// The single-file runs of every file of the folder, one after the other, in the process.
double SingleRunsSeconds(const std::string& folder) {
    const std::vector<EachFile> files = CollectTrackFiles({folder});
    const Clock::time_point start = Clock::now();
    for (const EachFile& file : files) {
        CliOptions options;
        options.files = {file.path};
        options.format = ReportFormat::Csv;
        std::string out;
        std::string err;
        RunCli(options, CliHooks{}, out, err);
        benchmark::DoNotOptimize(out);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_EachFolder(benchmark::State& state) {
    const std::string& folder = RecordingsFolder();
    double points = 0;
    for (auto _ : state) {
        points = RunBatch(folder, static_cast<int>(state.range(0)));
    }
    state.counters["points"] = points;
    state.counters["points_per_s"] = benchmark::Counter(
        points * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
// Argument 0: the default, one worker per hardware thread.
BENCHMARK(BM_EachFolder)->Arg(1)->Arg(0)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

/// The batch with the default workers against the single-file runs' time divided by the cores.
void BM_EachAgainstSingleRuns(benchmark::State& state) {
    const std::string& folder = RecordingsFolder();
    const double cores = std::max(1u, std::thread::hardware_concurrency());
    double ratio = 0;
    for (auto _ : state) {
        const double single = SingleRunsSeconds(folder);
        const Clock::time_point start = Clock::now();
        RunBatch(folder, 0);
        const double batch = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(batch);
        ratio += batch / (single / cores);
    }
    state.counters["batch_over_single_per_core"] = ratio / static_cast<double>(state.iterations());
}
BENCHMARK(BM_EachAgainstSingleRuns)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(3);

void BM_EachTinyFiles(benchmark::State& state) {
    const std::string& folder = TinyFolder();
    for (auto _ : state) {
        RunBatch(folder, 0);
    }
    state.counters["per_file"] =
        benchmark::Counter(static_cast<double>(kTinyFiles * state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EachTinyFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
