#include "plot/ProfileReadout.h"

#include <cmath>
#include <utility>

#include "plot/ChannelSeries.h"
#include "report/ListFormat.h"

namespace {

constexpr char kNoValue[] = "-";

const char* StateWord(int32_t state) {
    switch (state) {
        case StateRunStart:
            return "start of a run";
        case StateStopped:
            return "stopped";
        case StateLevel:
            return "level";
        case StateInAscent:
        case StateRising:
            return "climbing";
        case StateInDescent:
        case StateFalling:
            return "descending";
        default:
            return kNoValue;
    }
}

}  // namespace

ProfileReadout ReadoutOf(const TrackPoint* points, std::size_t count, std::size_t i,
                         const ReadoutFrame& frame) {
    ProfileReadout readout;
    if (i >= count) {
        return readout;
    }
    const TrackPoint& p = points[i];
    const UnitSystem units = frame.options.units;
    const TrackBreaks none;
    const TrackBreaks& breaks = frame.breaks != nullptr ? *frame.breaks : none;
    readout.distance =
        FormatNumber(ShownValue(breaks.DistanceWithoutJumps(points, i) * 0.001, "km", units));
    readout.timeOfDay =
        frame.hasTimes ? FormatSectionTime(ShownTime(p.time, frame.options.time) - frame.firstDay)
                       : std::string(kNoTime);
    readout.elapsed = FormatDurationDays(breaks.ElapsedWithoutJumps(points, i));
    const double recorded = frame.recorded != nullptr ? frame.recorded[i] : p.altitude;
    readout.elevation = FormatNumber(ShownValue(recorded, "m", units));
    if (frame.terrain != nullptr) {
        const double terrain = frame.terrain[i];
        readout.terrain = std::isnan(terrain) ? std::string(kNoValue)
                                              : FormatNumber(ShownValue(terrain, "m", units));
    }
    // No speed at the first point of a run: the segment ending there is a gap.
    const double kmh =
        i > 0 && p.state != StateRunStart
            ? (p.distance - points[i - 1].distance) * 0.001 / ((p.time - points[i - 1].time) * 24.0)
            : NAN;
    readout.speed =
        std::isfinite(kmh) ? FormatNumber(ShownValue(kmh, "km/h", units)) : std::string(kNoValue);
    readout.distanceUnit = ShownUnit("km", units);
    readout.elevationUnit = ShownUnit("m", units);
    readout.speedUnit = ShownUnit("km/h", units);
    readout.state = StateWord(p.state);
    const std::pair<int32_t, const char*> kStretches[] = {
        {FlagFastest, "fastest"},
        {FlagSteepestAscent, "steepest ascent"},
        {FlagSteepestDescent, "steepest descent"}};
    for (const auto& [flag, name] : kStretches) {
        if ((p.flags & flag) != 0) {
            if (!readout.stretches.empty()) {
                readout.stretches.append(", ");
            }
            readout.stretches.append(name);
        }
    }
    for (const Channel channel : kChannels) {
        if (frame.channels != nullptr && frame.channels->Has(channel)) {
            const PlotSeries series = SeriesOf(channel);
            const double sample = frame.channels->Sample(channel, i);
            readout.samples.push_back({SeriesLabel(series),
                                       std::isnan(sample) ? "--" : FormatNumber(sample),
                                       SeriesUnit(series, units)});
        }
    }
    return readout;
}

std::vector<std::string> ReadoutLines(const ProfileReadout& r) {
    const auto line = [](const char* label, const std::string& value, const char* unit) {
        std::string text(label);
        text.append(": ").append(value.empty() ? "-" : value);
        if (value != "-" && !value.empty() && unit[0] != '\0') {
            text.append(" ").append(unit);
        }
        return text;
    };
    std::vector<std::string> lines{
        line("Distance", r.distance, r.distanceUnit.c_str()), line("Time of day", r.timeOfDay, ""),
        line("Elapsed", r.elapsed, ""), line("Elevation", r.elevation, r.elevationUnit.c_str())};
    if (r.terrain) {
        lines.push_back(line("Terrain", *r.terrain, r.elevationUnit.c_str()));
    }
    lines.push_back(line("Speed", r.speed, r.speedUnit.c_str()));
    lines.push_back(line("State", r.state, ""));
    lines.push_back(line("Stretch", r.stretches, ""));
    for (const ReadoutSample& sample : r.samples) {
        lines.push_back(sample.label + ": " + sample.value
                        + (sample.value == "--" ? "" : " " + sample.unit));
    }
    return lines;
}
