#pragma once

#include <string>

#include <benchmark/benchmark.h>

#include "BenchData.h"

/// A bare pass and the reader timed in turn in each iteration, reported with their ratio in
/// wall time and, steadier on a busy machine, processor time.
struct BareAndRead {
    double bareMs = 0.0;
    double readMs = 0.0;
    double bareCpu = 0.0;
    double readCpu = 0.0;

    void Add(const Clocks& start, const Clocks& middle, const Clocks& end) {
        bareMs += middle.WallSince(start);
        readMs += end.WallSince(middle);
        bareCpu += middle.cpu - start.cpu;
        readCpu += end.cpu - middle.cpu;
    }
    void Report(benchmark::State& state) const {
        const double n = static_cast<double>(state.iterations());
        state.counters["bare_ms"] = bareMs / n;
        state.counters["read_ms"] = readMs / n;
        state.counters["ratio"] = readMs / bareMs;
        state.counters["bare_cpu_ms"] = bareCpu / n;
        state.counters["read_cpu_ms"] = readCpu / n;
        state.counters["cpu_ratio"] = readCpu / bareCpu;
    }
};

/// The peak memory in megabytes of a child process that reads the file into sections, once
/// per iteration.
inline double ReadPeakMegabytes(benchmark::State& state, const std::string& path) {
    long peak = 0;
    for (auto _ : state) {
        peak = PeakMemoryOf(PELORIN_READ_PEAK, path);
    }
    return static_cast<double>(peak) / 1e6;
}
