#include "plot/ProfileAxes.h"

#include <cmath>

#include "report/ListFormat.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;

/// Round steps of a time axis in seconds, up to one day; longer spans count whole days.
constexpr double kTimeSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};

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
