// Reader of FIT activity files: every `record` message with a valid position is a point, and
// the laps split the points into sections. Laps usually follow their records, so the points
// are collected first and split once every lap is known:
// - a point starts a new section when its time is at or after the start time of the next
//   lap, the laps taken in the order of their start times; points before the first lap's
//   start belong to the first section, points without time stay in the section they are in;
// - each FIT file of a chain starts a section and is split by its own laps alone;
// - a lap without a start time is ignored, and a section that would be empty is not made.
// A latitude beyond 90 degrees counts as no position. The first section takes the file's
// title, the others are continuations; missing elevations and times follow SectionWriter.
// A damaged file keeps the points before the damage; a file without any position gives no
// section and BadContent.

#include "track/FitReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "track/FitDecoder.h"
#include "track/GrowArray.h"
#include "track/SectionWriter.h"

namespace {

constexpr int64_t kFitEpoch = 631065600;  // 1989-12-31T00:00:00Z in seconds since 1970

constexpr uint32_t kMissing = 0xFFFFFFFF;  // FIT's invalid uint32, never a value read
constexpr int32_t kNorthPole = 1 << 30;    // 90 degrees in semicircles

/// A point as collected before the laps are known, in 24 bytes.
struct FitPoint {
    int32_t latitude;    // semicircles
    int32_t longitude;   // semicircles
    uint32_t altitude;   // 5 per metre from -500 m, or kMissing
    uint32_t time;       // seconds since 1989-12-31, or kMissing
    uint16_t power;      // watts
    uint8_t heartRate;   // beats per minute
    uint8_t cadence;     // revolutions per minute
    int8_t temperature;  // degrees Celsius
    uint8_t samples;     // bit per channel that has a sample
};

constexpr uint8_t SampleBit(Channel channel) {
    return static_cast<uint8_t>(1u << static_cast<unsigned>(channel));
}

struct FitLap {
    std::size_t file;  // index of the FIT file in the chain
    uint32_t start;    // seconds since 1989-12-31
    bool operator<(const FitLap& other) const {
        return std::pair(file, start) < std::pair(other.file, other.start);
    }
};

double Degrees(int32_t semicircles) {
    return semicircles * 180.0 / 2147483648.0;
}

class FitCollector : public FitHandler {
public:
    void OnFile() override { fileStarts.push_back(points.GetSize()); }

    void OnRecord(const FitRecord& record) override {
        if (!record.latitude || !record.longitude || *record.latitude > kNorthPole
            || *record.latitude < -kNorthPole) {
            ++skipped;
            return;
        }
        FitPoint& point = points.Add();
        point.latitude = *record.latitude;
        point.longitude = *record.longitude;
        point.altitude = record.altitude.value_or(kMissing);
        point.time = record.time.value_or(kMissing);
        point.heartRate = record.heartRate.value_or(0);
        point.cadence = record.cadence.value_or(0);
        point.power = record.power.value_or(0);
        point.temperature = record.temperature.value_or(0);
        point.samples =
            static_cast<uint8_t>((record.heartRate ? SampleBit(Channel::HeartRate) : 0)
                                 | (record.cadence ? SampleBit(Channel::Cadence) : 0)
                                 | (record.power ? SampleBit(Channel::Power) : 0)
                                 | (record.temperature ? SampleBit(Channel::Temperature) : 0));
    }

    void OnLap(uint32_t startTime) override { laps.push_back({fileStarts.size() - 1, startTime}); }

    GrowArray<FitPoint> points;
    std::vector<std::size_t> fileStarts;  // index of the first point of each file
    std::vector<FitLap> laps;
    std::size_t skipped = 0;
};

void AddPoint(const FitPoint& point, SectionWriter& writer) {
    std::optional<double> altitude;
    if (point.altitude != kMissing) {
        altitude = point.altitude / 5.0 - 500.0;
    }
    std::optional<double> time;
    if (point.time != kMissing) {
        time = DayCountOfUnixSeconds(static_cast<double>(point.time + kFitEpoch));
    }
    ChannelSamples samples = kNoSamples;
    if (point.samples != 0) {
        const double values[kChannelCount] = {
            static_cast<double>(point.heartRate), static_cast<double>(point.cadence),
            static_cast<double>(point.power), static_cast<double>(point.temperature)};
        for (const Channel channel : kChannels) {
            if ((point.samples & SampleBit(channel)) != 0) {
                const std::size_t c = static_cast<std::size_t>(channel);
                samples[c] = ChannelSample(channel, values[c]);
            }
        }
    }
    writer.AddPoint(Degrees(point.latitude), Degrees(point.longitude), altitude, time, samples);
}

/// Writes the points of file f as sections, split by the laps of the file.
void WriteFile(const FitCollector& collected, std::size_t f, SectionWriter& writer) {
    const std::size_t begin = collected.fileStarts[f];
    const std::size_t end = f + 1 < collected.fileStarts.size() ? collected.fileStarts[f + 1]
                                                                : collected.points.GetSize();
    const std::vector<FitLap>& laps = collected.laps;
    const auto first = std::lower_bound(laps.begin(), laps.end(), FitLap{f, 0});
    const auto last = std::lower_bound(first, laps.end(), FitLap{f + 1, 0});
    auto next = first == last ? last : first + 1;  // the next lap start that begins a section
    // Where each section begins, so that each is made at its size at once.
    std::vector<std::size_t> starts;
    for (std::size_t i = begin; i < end; ++i) {
        const uint32_t time = collected.points[i].time;
        bool split = i == begin;
        while (time != kMissing && next != last && time >= next->start) {
            ++next;
            split = true;
        }
        if (split) {
            starts.push_back(i);
        }
    }
    starts.push_back(end);
    for (std::size_t s = 0; s + 1 < starts.size(); ++s) {
        writer.BeginSection();
        writer.Reserve(starts[s + 1] - starts[s]);
        for (std::size_t i = starts[s]; i < starts[s + 1]; ++i) {
            AddPoint(collected.points[i], writer);
        }
    }
}

}  // namespace

ReadStatus ReadFitTrack(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                        std::vector<std::string>& messages) {
    FitCollector collected;
    const FitOutcome outcome = DecodeFit(source, collected);
    if (outcome.checksumMismatch) {
        messages.push_back(context.path
                           + ": the file's checksum does not match; its records were read anyway.");
    }
    if (outcome.damagedAt) {
        messages.push_back(context.path + ": the file is damaged after byte "
                           + std::to_string(*outcome.damagedAt)
                           + "; the points before it were read.");
    }
    if (collected.points.IsEmpty()) {
        if (outcome.readFailed) {
            return ReadStatus::ReadFailed;
        }
        // A file cut short before any record says nothing of positions.
        if (!outcome.damagedAt || collected.skipped > 0) {
            messages.push_back(context.path
                               + ": the file holds no positions (an indoor recording?).");
        }
        return ReadStatus::BadContent;
    }
    std::sort(collected.laps.begin(), collected.laps.end());
    SectionWriter writer(list, context.title);
    writer.BeginGroup();
    for (std::size_t f = 0; f < collected.fileStarts.size(); ++f) {
        WriteFile(collected, f, writer);
    }
    writer.SkipPoint(collected.skipped);
    writer.Finish(context.path, messages);
    return outcome.readFailed ? ReadStatus::ReadFailed : ReadStatus::Ok;
}

bool IsFitHeader(std::string_view head) {
    return head.size() >= 12 && (head[0] == 12 || head[0] == 14) && head.substr(8, 4) == ".FIT";
}

const TrackFormat kFitFormat = {
    [](std::string_view head, std::string_view, std::string_view) { return IsFitHeader(head); },
    ReadFitTrack,
};
