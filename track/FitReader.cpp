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
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "track/FitDecoder.h"
#include "track/GrowArray.h"
#include "track/SectionWriter.h"

namespace {

constexpr int64_t kFitEpoch = 631065600;  // 1989-12-31T00:00:00Z in seconds since 1970

/// A point as collected before the laps are known.
struct FitPoint {
    int32_t latitude;   // semicircles
    int32_t longitude;  // semicircles
    double altitude;    // metres; NaN when missing
    uint32_t time;      // seconds since 1989-12-31
    bool timed;
    uint32_t file;  // index of the FIT file in the chain
};

struct FitLap {
    uint32_t file;
    uint32_t start;  // seconds since 1989-12-31
    bool operator<(const FitLap& other) const {
        return std::pair(file, start) < std::pair(other.file, other.start);
    }
};

double Degrees(int32_t semicircles) {
    return semicircles * 180.0 / 2147483648.0;
}

class FitCollector : public FitHandler {
public:
    void OnFile() override { ++m_file; }

    void OnRecord(const FitRecord& record) override {
        if (!record.latitude || !record.longitude || std::fabs(Degrees(*record.latitude)) > 90.0) {
            ++skipped;
            return;
        }
        FitPoint& point = points.Add();
        point.latitude = *record.latitude;
        point.longitude = *record.longitude;
        point.altitude = record.altitude.value_or(std::numeric_limits<double>::quiet_NaN());
        point.time = record.time.value_or(0);
        point.timed = record.time.has_value();
        point.file = m_file;
    }

    void OnLap(uint32_t startTime) override { laps.push_back({m_file, startTime}); }

    GrowArray<FitPoint> points;
    std::vector<FitLap> laps;
    std::size_t skipped = 0;

private:
    uint32_t m_file = std::numeric_limits<uint32_t>::max();  // the first file is 0
};

/// Writes the collected points as sections, split by the laps of their files.
void WriteSections(FitCollector& collected, SectionWriter& writer) {
    std::vector<FitLap>& laps = collected.laps;
    std::sort(laps.begin(), laps.end());
    writer.BeginGroup();
    std::size_t next = 0;     // the next lap start that begins a section
    std::size_t fileEnd = 0;  // the end of the laps of the point's file
    for (std::size_t i = 0; i < collected.points.GetSize(); ++i) {
        const FitPoint& point = collected.points[i];
        bool begin = i == 0 || point.file != collected.points[i - 1].file;
        if (begin) {
            const auto first = std::lower_bound(laps.begin(), laps.end(), FitLap{point.file, 0});
            fileEnd = static_cast<std::size_t>(
                std::lower_bound(first, laps.end(), FitLap{point.file + 1, 0}) - laps.begin());
            next = std::min(static_cast<std::size_t>(first - laps.begin()) + 1, fileEnd);
        }
        while (point.timed && next < fileEnd && point.time >= laps[next].start) {
            ++next;
            begin = true;
        }
        if (begin) {
            writer.BeginSection();
        }
        writer.AddPoint(
            Degrees(point.latitude), Degrees(point.longitude),
            std::isnan(point.altitude) ? std::nullopt : std::optional<double>(point.altitude),
            point.timed ? std::optional<double>(
                DayCountOfUnixSeconds(static_cast<double>(point.time + kFitEpoch)))
                        : std::nullopt);
    }
    writer.SkipPoint(collected.skipped);
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
    SectionWriter writer(list, context.title);
    WriteSections(collected, writer);
    writer.Finish(context.path, messages);
    return outcome.readFailed ? ReadStatus::ReadFailed : ReadStatus::Ok;
}

bool IsFitHeader(std::string_view head) {
    return head.size() >= 12 && (head[0] == 12 || head[0] == 14) && head.substr(8, 4) == ".FIT";
}
