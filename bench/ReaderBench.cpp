// Reading a million-point track, against a bare loop that only splits lines and converts
// the five fields.

#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "ReadMeasures.h"
#include "track/TrackSectionList.h"

namespace {

constexpr std::size_t kMillion = 1000000;

double ParseField(const char* begin, const char* end) {
    while (begin < end && (*begin == ' ' || *begin == '\t')) {
        ++begin;
    }
    double value = 0.0;
    std::from_chars(begin, end, value);
    return value;
}

/// The least any reader must do: read the bytes, find the lines, convert five fields.
double BareRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buffer(1 << 20);
    std::string carry;
    double sum = 0.0;
    std::size_t lineNumber = 0;
    auto handleLine = [&](const char* line, const char* end) {
        if (++lineNumber <= 6) {
            return;
        }
        const char* field = line;
        for (int k = 0; k < 5 && field <= end; ++k) {
            const char* comma = static_cast<const char*>(std::memchr(field, ',', end - field));
            const char* stop = comma != nullptr ? comma : end;
            sum += ParseField(field, stop);
            field = stop + 1;
        }
    };
    for (;;) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count <= 0) {
            break;
        }
        const char* p = buffer.data();
        const char* const end = p + count;
        while (p < end) {
            const char* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (newline == nullptr) {
                carry.append(p, end);
                break;
            }
            if (!carry.empty()) {
                carry.append(p, newline);
                handleLine(carry.data(), carry.data() + carry.size());
                carry.clear();
            } else {
                handleLine(p, newline);
            }
            p = newline + 1;
        }
    }
    ::close(fd);
    return sum;
}

void ReadIntoSections(const std::string& path) {
    TrackSectionList sections;
    sections.LoadTrackFile(path);
    benchmark::DoNotOptimize(sections.GetSize());
}

void BM_BareLoop(benchmark::State& state) {
    const std::string path = GeneratedTrackFile(kMillion);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BareRead(path));
    }
}
BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond);

void BM_ReadTrackFile(benchmark::State& state) {
    const std::string path = GeneratedTrackFile(kMillion);
    for (auto _ : state) {
        ReadIntoSections(path);
    }
    state.counters["points"] = static_cast<double>(kMillion);
}
BENCHMARK(BM_ReadTrackFile)->Unit(benchmark::kMillisecond);

void BM_ReadTrackFilePeakMemory(benchmark::State& state) {
    const std::string path = GeneratedTrackFile(kMillion);
    const double peakMegabytes = ReadPeakMegabytes(state, path);
    const double pointBytes = 56.0 * kMillion;
    const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["limit_MB"] = (2 * pointBytes + fileBytes) / 1e6;
}
BENCHMARK(BM_ReadTrackFilePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AppendPointByPoint(benchmark::State& state) {
    for (auto _ : state) {
        GrowArray<TrackPoint> points;
        for (std::size_t i = 0; i < kMillion; ++i) {
            points.Add().time = static_cast<double>(i);
        }
        benchmark::DoNotOptimize(points.GetData());
    }
}
BENCHMARK(BM_AppendPointByPoint)->Unit(benchmark::kMillisecond);

}  // namespace
