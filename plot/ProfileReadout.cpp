#include "plot/ProfileReadout.h"

#include <cmath>
#include <utility>

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
                         double firstDay) {
    ProfileReadout readout;
    if (i >= count) {
        return readout;
    }
    const TrackPoint& p = points[i];
    readout.distance = FormatNumber(p.distance * 0.001);
    readout.timeOfDay = FormatSectionTime(p.time - firstDay);
    readout.elapsed = FormatDurationDays(p.time - points[0].time);
    readout.elevation = FormatNumber(p.altitude);
    // No speed at the first point of a run: the segment ending there is a gap.
    const double kmh =
        i > 0 && p.state != StateRunStart
            ? (p.distance - points[i - 1].distance) * 0.001 / ((p.time - points[i - 1].time) * 24.0)
            : NAN;
    readout.speed = std::isfinite(kmh) ? FormatNumber(kmh) : std::string(kNoValue);
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
    return {line("Distance", r.distance, "km"), line("Time of day", r.timeOfDay, ""),
            line("Elapsed", r.elapsed, ""),     line("Elevation", r.elevation, "m"),
            line("Speed", r.speed, "km/h"),     line("State", r.state, ""),
            line("Stretch", r.stretches, "")};
}
