#include "ui/ProfileView.h"

#include <algorithm>
#include <cmath>

#include "ui/ListFormat.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;

/// Round steps of a time axis in seconds, up to one day; longer spans count whole days.
constexpr double kTimeSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};

double ValueOf(const TrackPoint& p, bool overDistance) {
    return overDistance ? p.distance : p.time;
}

/// The first point whose value is not below value (count when there is none). Written out,
/// not std::lower_bound, so that values out of order give an answer instead of undefined
/// behaviour.
std::size_t FirstNotBelow(const TrackPoint* points, std::size_t count, bool overDistance,
                          double value) {
    std::size_t lo = 0;
    std::size_t hi = count;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (ValueOf(points[mid], overDistance) < value) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

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

bool UsableSpan(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && hi > lo;
}

template <typename Label>
std::vector<AxisTick> Ticks(double lo, double hi, double step, int maxCount, Label label) {
    std::vector<AxisTick> ticks;
    if (!(step > 0.0)) {
        return ticks;
    }
    const double first = std::ceil(lo / step);
    for (int k = 0; k <= maxCount + 1; ++k) {
        const double value = (first + k) * step;
        if (value > hi) {
            break;
        }
        ticks.push_back(label(value));
    }
    return ticks;
}

}  // namespace

double RoundStep(double span, int maxCount) {
    if (!(span > 0.0) || !std::isfinite(span) || maxCount < 1) {
        return 0.0;
    }
    const double raw = span / maxCount;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * magnitude >= raw) {
            return m * magnitude;
        }
    }
    return 10.0 * magnitude;
}

std::vector<AxisTick> HorizontalTicks(const ProfileMapping& mapping, double firstDay,
                                      int maxCount) {
    const double lo = mapping.XMin();
    const double hi = mapping.XMax();
    if (!UsableSpan(lo, hi) || maxCount < 1) {
        return {};
    }
    if (mapping.OverDistance()) {
        return Ticks(lo * 0.001, hi * 0.001, RoundStep((hi - lo) * 0.001, maxCount), maxCount,
                     [&mapping](double km) {
                         return AxisTick{mapping.X(km * 1000.0), FormatNumber(km)};
                     });
    }
    const double seconds = (hi - lo) * kSecondsPerDay;
    double step = RoundStep(seconds / kSecondsPerDay, maxCount) * kSecondsPerDay;
    for (const double s : kTimeSteps) {
        if (s * maxCount >= seconds) {
            step = s;
            break;
        }
    }
    return Ticks((lo - firstDay) * kSecondsPerDay, (hi - firstDay) * kSecondsPerDay, step, maxCount,
                 [&mapping, firstDay](double second) {
                     const double days = second / kSecondsPerDay;
                     return AxisTick{mapping.X(firstDay + days), FormatSectionTime(days)};
                 });
}

std::vector<AxisTick> VerticalTicks(const ProfileMapping& mapping, int maxCount) {
    const double lo = mapping.AltMin();
    const double hi = mapping.AltMax();
    if (!UsableSpan(lo, hi) || maxCount < 1) {
        return {};
    }
    return Ticks(lo, hi, RoundStep(hi - lo, maxCount), maxCount, [&mapping](double metres) {
        return AxisTick{mapping.Y(metres), FormatNumber(metres)};
    });
}

const char* HorizontalAxisUnit(bool overDistance) {
    return overDistance ? "km" : "time of day";
}

std::size_t NearestPoint(const TrackPoint* points, std::size_t count, bool overDistance,
                         double value) {
    const std::size_t after = FirstNotBelow(points, count, overDistance, value);
    if (after == 0) {
        return 0;
    }
    if (after == count) {
        return count - 1;
    }
    const double below = value - ValueOf(points[after - 1], overDistance);
    const double above = ValueOf(points[after], overDistance) - value;
    return above < below ? after : after - 1;
}

std::size_t PointAtPixel(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping,
                         int x) {
    return NearestPoint(points, count, mapping.OverDistance(), mapping.ValueAt(x));
}

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

void ProfileZoom::Reset(double xMin, double xMax, bool overDistance) {
    m_xMin = xMin;
    m_xMax = xMax;
    m_from = xMin;
    m_to = xMax;
    m_overDistance = overDistance;
}

double ProfileZoom::MinSpan() const {
    const double full = m_xMax - m_xMin;
    const double unit = m_overDistance ? 1.0 : 1.0 / kSecondsPerDay;
    return std::min(full, std::max(full * kMinSpanFraction, unit));
}

void ProfileZoom::Show(double from, double to) {
    if (!UsableSpan(m_xMin, m_xMax) || !std::isfinite(from) || !std::isfinite(to)) {
        return;
    }
    const double span = std::max(to - from, MinSpan());
    if (span >= m_xMax - m_xMin) {
        ZoomOut();
        return;
    }
    if (span > to - from) {
        from -= (span - (to - from)) / 2.0;
    }
    from = std::clamp(from, m_xMin, m_xMax - span);
    m_from = from;
    m_to = from + span;
}

void ProfileZoom::ZoomAround(double value, double factor) {
    const double span = m_to - m_from;
    if (!(factor > 0.0) || !(span > 0.0)) {
        return;
    }
    const double share = std::clamp((value - m_from) / span, 0.0, 1.0);
    const double newSpan = span * factor;
    const double from = value - share * newSpan;
    Show(from, from + newSpan);
}

void ProfileZoom::ZoomTo(double a, double b) {
    Show(std::min(a, b), std::max(a, b));
}

void ProfileZoom::ZoomOut() {
    m_from = m_xMin;
    m_to = m_xMax;
}

ProfileMapping ZoomedMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                             const PlotRect& item, const ProfileZoom& zoom) {
    if (!zoom.IsZoomed() || count == 0) {
        return ProfileMapping(points, count, overDistance, item);
    }
    std::size_t first = FirstNotBelow(points, count, overDistance, zoom.From());
    std::size_t last = FirstNotBelow(points, count, overDistance, zoom.To());
    first = first == 0 ? 0 : first - 1;
    last = std::min(last, count - 1);
    double altMin = 100000.0;  // metres, as the whole track's range starts
    double altMax = -100000.0;
    for (std::size_t i = first; i <= last; ++i) {
        altMin = std::min(altMin, points[i].altitude);
        altMax = std::max(altMax, points[i].altitude);
    }
    return ProfileMapping(overDistance, item, zoom.From(), zoom.To(), altMin, altMax);
}
