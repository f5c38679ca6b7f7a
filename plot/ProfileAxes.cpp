#include "plot/ProfileAxes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "report/ListFormat.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;

/// Round steps of a time axis in seconds, up to one day; longer spans count whole days.
constexpr double kTimeSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};

bool UsableSpan(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && hi > lo;
}

/// Appends ticks at the multiples of step from lo to hi (labels' units); pixel and text of a
/// value come from tick.
template <typename Tick>
void AddTicks(std::vector<AxisTick>& ticks, double lo, double hi, double step, int maxCount,
              int minSpacing, Tick tick) {
    if (!(step > 0.0) || !UsableSpan(lo, hi)) {
        return;
    }
    const double first = std::ceil(lo / step);
    for (int k = 0; k <= maxCount + 1; ++k) {
        const double value = (first + k) * step;
        if (value > hi) {
            break;
        }
        AxisTick next = tick(value);
        if (ticks.empty() || std::abs(next.pixel - ticks.back().pixel) >= minSpacing) {
            ticks.push_back(std::move(next));
        }
    }
}

double TimeStep(double seconds, int maxCount) {
    for (const double s : kTimeSteps) {
        if (s * maxCount >= seconds) {
            return s;
        }
    }
    return RoundStep(seconds / kSecondsPerDay, maxCount) * kSecondsPerDay;
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

std::vector<AxisTick> HorizontalTicks(const ProfileMapping& mapping, const ProfileAxis& axis,
                                      double firstDay, int maxCount,
                                      const DisplayOptions& options) {
    const double lo = mapping.XMin();
    const double hi = mapping.XMax();
    std::vector<AxisTick> ticks;
    if (!UsableSpan(lo, hi) || maxCount < 1) {
        return ticks;
    }
    const PlotRect& r = mapping.Rect();
    const int minSpacing = (r.right - r.left) / maxCount / 2;
    const bool overDistance = mapping.OverDistance();
    // Metres of a unit of the labels (km or mi), and the step in those units.
    const double unit = 1000.0 / ShownValue(1.0, "km", options.units);
    const double step = overDistance ? RoundStep((hi - lo) / unit, maxCount)
                                     : TimeStep((hi - lo) * kSecondsPerDay, maxCount);
    for (const ProfileAxis::Run& run : axis.Runs()) {
        const double from = std::max(lo, run.from);
        const double to = std::min(hi, run.to);
        if (!(from <= to)) {
            continue;
        }
        if (overDistance) {
            AddTicks(ticks, (from + run.shift) / unit, (to + run.shift) / unit, step, maxCount,
                     minSpacing, [&](double shown) {
                         return AxisTick{mapping.X(shown * unit - run.shift), FormatNumber(shown)};
                     });
            continue;
        }
        // Time of day in the shown zone, whose offset is taken at the run's start.
        const double zone = ShownTime(from + run.shift, options.time) - (from + run.shift);
        const double shift = run.shift + zone - firstDay;
        AddTicks(ticks, (from + shift) * kSecondsPerDay, (to + shift) * kSecondsPerDay, step,
                 maxCount, minSpacing, [&](double second) {
                     const double days = second / kSecondsPerDay;
                     return AxisTick{mapping.X(days - shift), FormatSectionTime(days)};
                 });
    }
    return ticks;
}

std::vector<AxisTick> VerticalTicks(const ProfileMapping& mapping, int maxCount,
                                    const DisplayOptions& options) {
    const double perUnit = 1.0 / ShownValue(1.0, "m", options.units);  // metres
    const double lo = mapping.AltMin() / perUnit;
    const double hi = mapping.AltMax() / perUnit;
    std::vector<AxisTick> ticks;
    if (!UsableSpan(lo, hi) || maxCount < 1) {
        return ticks;
    }
    AddTicks(ticks, lo, hi, RoundStep(hi - lo, maxCount), maxCount, 0, [&](double shown) {
        return AxisTick{mapping.Y(shown * perUnit), FormatNumber(shown)};
    });
    return ticks;
}

std::string HorizontalAxisCaption(bool overDistance, const DisplayOptions& options) {
    return overDistance ? std::string("Distance (") + ShownUnit("km", options.units) + ")"
                        : std::string("Time of day");
}

std::string VerticalAxisCaption(const DisplayOptions& options) {
    return std::string("Elevation (") + ShownUnit("m", options.units) + ")";
}
