// Reading a million-point GPX file into sections, against a bare expat pass over the same
// file that only counts <trkpt> elements.

#include <chrono>
#include <cstring>
#include <ctime>
#include <expat.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "ReadMeasures.h"
#include "track/TrackSectionList.h"

namespace {

constexpr std::size_t kMillion = 1000000;
constexpr int kBlock = 256 << 10;  // as the reader reads

void XMLCALL CountPoint(void* data, const XML_Char* name, const XML_Char**) {
    if (std::strcmp(name, "trkpt") == 0) {
        ++*static_cast<std::size_t*>(data);
    }
}

/// The least a GPX reader must do: stream the file through expat and see every element.
std::size_t BareExpatCount(const std::string& path) {
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), XML_ParserFree);
    std::size_t count = 0;
    XML_SetUserData(parser.get(), &count);
    XML_SetStartElementHandler(parser.get(), CountPoint);
    const int fd = ::open(path.c_str(), O_RDONLY);
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), kBlock);
        const ssize_t bytes = ::read(fd, buffer, kBlock);
        if (bytes < 0
            || XML_ParseBuffer(parser.get(), static_cast<int>(bytes), bytes == 0) != XML_STATUS_OK
            || bytes == 0) {
            break;
        }
    }
    ::close(fd);
    return count;
}

/// Times the bare pass and the reader in turn, in one process, and reports both with their
/// ratio (target: at most 1.5), in wall time and, steadier on a busy machine, processor time.
void BM_ReadGpxVsBareExpat(benchmark::State& state) {
    const std::string path = GeneratedGpxFile(kMillion);
    BareAndRead times;
    std::size_t points = 0;
    for (auto _ : state) {
        const Clocks start;
        benchmark::DoNotOptimize(BareExpatCount(path));
        const Clocks middle;
        {
            TrackSectionList sections;
            sections.LoadTrackFile(path);
            points = sections.GetSize() == 1 ? sections[0].points.GetSize() : 0;
        }
        const Clocks end;
        times.Add(start, middle, end);
    }
    times.Report(state);
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ReadGpxVsBareExpat)->Unit(benchmark::kMillisecond)->Iterations(5);

/// The same points read from a file whose points carry heart rate, cadence, temperature and
/// power and from one without them, in one run: read_ms of each and their ratio; with the bare
/// expat pass over each, what the channels cost the reader beyond expat's longer walk.
void BM_ReadGpxChannels(benchmark::State& state) {
    const std::string plain = GeneratedGpxFile(kMillion);
    const std::string rich = GeneratedGpxFile(kMillion, true);
    double times[4] = {};  // bare plain, read plain, bare rich, read rich (processor ms)
    std::size_t channels = 0;
    for (auto _ : state) {
        const std::string* files[] = {&plain, &plain, &rich, &rich};
        for (int k = 0; k < 4; ++k) {
            const Clocks start;
            if (k % 2 == 0) {
                benchmark::DoNotOptimize(BareExpatCount(*files[k]));
            } else {
                TrackSectionList sections;
                sections.LoadTrackFile(*files[k]);
                channels = 0;
                for (const Channel channel : kChannels) {
                    channels += sections[0].channels.Has(channel) ? 1 : 0;
                }
            }
            times[k] += Clocks().cpu - start.cpu;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["plain_read_cpu_ms"] = times[1] / n;
    state.counters["channels_read_cpu_ms"] = times[3] / n;
    state.counters["ratio"] = times[3] / times[1];
    state.counters["over_expat_plain"] = times[1] / times[0];
    state.counters["over_expat_channels"] = times[3] / times[2];
    state.counters["channels"] = static_cast<double>(channels);
}
BENCHMARK(BM_ReadGpxChannels)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadGpxPeakMemory(benchmark::State& state) {
    const std::string path = GeneratedGpxFile(kMillion);
    const double peakMegabytes = ReadPeakMegabytes(state, path);
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["limit_MB"] = 2 * 56.0 * kMillion / 1e6;  // plus expat's buffer
}
BENCHMARK(BM_ReadGpxPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
