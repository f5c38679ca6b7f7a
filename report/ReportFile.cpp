#include "report/ReportFile.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "analysis/ChannelStatistics.h"
#include "report/FileText.h"
#include "track/FilePaths.h"

namespace {

/// A name beside the target that no other writer picks, not even another Pelorin at once.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return path + ".pelorin-" + std::to_string(now) + '-' + std::to_string(counter++) + ".tmp";
}

}  // namespace

bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(const TextSink&)>& produce) {
    const std::string temporary = TemporaryNameFor(path);
    std::FILE* file = OpenFileForWriting(temporary);
    if (file == nullptr) {
        return false;
    }
    const TextSink sink = [file](std::string_view text) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    };
    const bool produced = produce(sink);
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (produced && closed) {
        // Replaces an existing target in one step, on every platform.
        std::filesystem::rename(PathFromUtf8(temporary), PathFromUtf8(path), error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(PathFromUtf8(temporary), error);
    return false;
}

bool WriteFile(const std::string& path, std::string_view text) {
    return WriteFileAtomically(path, [text](const TextSink& sink) { return sink(text); });
}

bool WritePointsCsv(const TextSink& sink, const TrackSection& track) {
    constexpr std::size_t kChunk = 1 << 20;
    const bool channels = track.channels.Any();
    std::string out = "index,state,distance,flags,longitude,latitude,altitude,time";
    for (const Channel channel : kChannels) {
        out += channels ? std::string(",") + ChannelName(channel) : std::string();
    }
    out += '\n';
    for (std::size_t i = 0; i < track.points.GetSize(); ++i) {
        const TrackPoint& p = track.points[i];
        out += std::to_string(i) + ',' + std::to_string(p.state) + ',' + FormatPrecise(p.distance)
               + ',' + std::to_string(p.flags) + ',' + FormatPrecise(p.longitude) + ','
               + FormatPrecise(p.latitude) + ',' + FormatPrecise(p.altitude) + ','
               + FormatPrecise(p.time);
        for (const Channel channel : kChannels) {
            if (channels) {
                out += ',';
                out += CsvNumber(track.channels.Sample(channel, i));
            }
        }
        out += '\n';
        if (out.size() >= kChunk) {
            if (!sink(out)) {
                return false;
            }
            out.clear();
        }
    }
    return sink(out);
}

bool WritePointsCsv(const std::string& path, const TrackSection& track) {
    return WriteFileAtomically(
        path, [&track](const TextSink& sink) { return WritePointsCsv(sink, track); });
}
