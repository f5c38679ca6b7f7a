// Appends a million points one by one, as the reader does, and prints the best and the median
// time of several runs. Usage: pelorin_append_bench [runs]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "track/GrowArray.h"
#include "track/TrackPoint.h"

namespace {

constexpr std::size_t kMillion = 1000000;

double AppendMillisecondsOnce() {
    const auto start = std::chrono::steady_clock::now();
    GrowArray<TrackPoint> points;
    for (std::size_t i = 0; i < kMillion; ++i) {
        points.Add().time = static_cast<double>(i);
    }
    // Read the array back, so that no compiler can drop the work.
    volatile double last = points[kMillion - 1].time;
    static_cast<void>(last);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(AppendMillisecondsOnce());
    }
    std::sort(times.begin(), times.end());
    std::printf("append %zu points one by one: best %.2f ms, median %.2f ms (%d runs)\n", kMillion,
                times.front(), times[times.size() / 2], runs);
    return 0;
}
