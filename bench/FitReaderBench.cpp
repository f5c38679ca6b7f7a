// Reading a million-record FIT file into sections, against a bare pass over the same file that
// only walks the message headers and counts the records with a position.

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "ReadMeasures.h"
#include "track/SectionWriter.h"
#include "track/TrackSectionList.h"

namespace {

constexpr std::size_t kMillion = 1000000;
constexpr std::size_t kBlock = 256 << 10;  // as the reader reads

/// What a bare pass keeps of a definition: the data size and where the position lies.
struct BareDefinition {
    std::size_t size = 0;
    long latitude = -1;  // offsets after the header byte; -1: not a record or no such field
    long longitude = -1;
};

/// The least a FIT reader must do: read the file in blocks, follow every message by the sizes
/// its definition gives, and look at the position of every record. Assumes a well-formed,
/// little-endian file of one FIT file.
std::size_t BareFitCount(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const std::unique_ptr<unsigned char[]> buffer(new unsigned char[kBlock]);
    std::size_t pos = 0;
    std::size_t end = 0;
    const auto need = [&](std::size_t count) {
        if (end - pos < count) {
            std::memmove(buffer.get(), buffer.get() + pos, end - pos);
            end -= pos;
            pos = 0;
            while (end < count) {
                const ssize_t got = ::read(fd, buffer.get() + end, kBlock - end);
                if (got <= 0) {
                    return false;
                }
                end += static_cast<std::size_t>(got);
            }
        }
        return true;
    };
    BareDefinition definitions[16];
    std::size_t count = 0;
    if (!need(14)) {
        return 0;
    }
    uint32_t left = 0;
    std::memcpy(&left, buffer.get() + 4, 4);
    pos += buffer[0];
    while (left > 0 && need(1)) {
        const unsigned header = buffer[pos];
        if ((header & 0xC0) == 0x40) {
            if (!need(6) || !need(6 + 3 * std::size_t{buffer[pos + 5]})) {
                break;
            }
            const unsigned char* p = buffer.get() + pos;
            BareDefinition& definition = definitions[header & 0xF];
            definition = {};
            const bool record = p[3] == 20 && p[4] == 0;
            for (unsigned i = 0; i < p[5]; ++i) {
                const unsigned char* field = p + 6 + 3 * i;
                if (record && field[0] <= 1) {
                    (field[0] == 0 ? definition.latitude : definition.longitude) =
                        static_cast<long>(definition.size);
                }
                definition.size += field[1];
            }
            const std::size_t length = 6 + 3 * std::size_t{p[5]};
            pos += length;
            left -= static_cast<uint32_t>(length);
            continue;
        }
        const BareDefinition& definition = definitions[header & 0xF];
        if (!need(1 + definition.size)) {
            break;
        }
        if (definition.latitude >= 0 && definition.longitude >= 0) {
            int32_t latitude = 0;
            int32_t longitude = 0;
            std::memcpy(&latitude, buffer.get() + pos + 1 + definition.latitude, 4);
            std::memcpy(&longitude, buffer.get() + pos + 1 + definition.longitude, 4);
            count += latitude != INT32_MAX && longitude != INT32_MAX ? 1 : 0;
        }
        pos += 1 + definition.size;
        left -= static_cast<uint32_t>(1 + definition.size);
    }
    ::close(fd);
    return count;
}

/// What any reader pays for the same points: a million points with elevation and time written
/// through SectionWriter into a thousand sections, nothing read.
std::size_t FillSections() {
    TrackSectionList list;
    SectionWriter writer(list, "fill");
    writer.BeginGroup();
    for (std::size_t i = 0; i < kMillion; ++i) {
        if (i % 1000 == 0) {
            writer.BeginSection();
        }
        const double step = static_cast<double>(i);
        writer.AddPoint(46.5 + 1e-6 * step, 8.0 + 1e-6 * step, 914.4 + std::fmod(step, 97.0),
                        45000.25 + step / 86400.0);
    }
    std::vector<std::string> messages;
    writer.Finish("fill", messages);
    return list.GetSize();
}

/// Times the bare pass and the reader in turn, in one process, and reports both with their
/// ratio (target: at most 1.3), in wall time and, steadier on a busy machine, processor time.
/// The time of filling as many points into sections (fill) shows what no reader can save.
void BM_ReadFitVsBarePass(benchmark::State& state) {
    const std::string path = GeneratedFitFile(kMillion);
    BareAndRead times;
    double fillMs = 0.0;
    double fillCpu = 0.0;
    std::size_t counted = 0;
    std::size_t points = 0;
    std::size_t sectionCount = 0;
    for (auto _ : state) {
        const Clocks start;
        counted = BareFitCount(path);
        benchmark::DoNotOptimize(counted);
        const Clocks middle;
        {
            TrackSectionList sections;
            sections.LoadTrackFile(path);
            sectionCount = sections.GetSize();
            points = 0;
            for (std::size_t i = 0; i < sectionCount; ++i) {
                points += sections[i].points.GetSize();
            }
        }
        const Clocks end;
        benchmark::DoNotOptimize(FillSections());
        const Clocks filled;
        fillMs += filled.WallSince(end);
        fillCpu += filled.cpu - end.cpu;
        times.Add(start, middle, end);
    }
    times.Report(state);
    const double n = static_cast<double>(state.iterations());
    state.counters["fill_ms"] = fillMs / n;
    state.counters["fill_cpu_ms"] = fillCpu / n;
    state.counters["counted"] = static_cast<double>(counted);
    state.counters["points"] = static_cast<double>(points);
    state.counters["sections"] = static_cast<double>(sectionCount);
}
BENCHMARK(BM_ReadFitVsBarePass)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ReadFitPeakMemory(benchmark::State& state) {
    const std::string path = GeneratedFitFile(kMillion);
    const double peakMegabytes = ReadPeakMegabytes(state, path);
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["points_MB"] = 56.0 * kMillion / 1e6;
}
BENCHMARK(BM_ReadFitPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
