#include "plot/ChannelSeries.h"

#include <cmath>

#include "analysis/ChannelStatistics.h"

namespace {

constexpr const char* kLabels[kPlotSeriesCount] = {"Speed", "Heart Rate", "Cadence", "Power",
                                                   "Temperature"};
constexpr const char* kChannelUnits[kChannelCount] = {"bpm", "rpm", "W",
                                                      "\xC2\xB0"
                                                      "C"};

}  // namespace

PlotSeries SeriesOf(Channel channel) {
    return static_cast<PlotSeries>(static_cast<std::size_t>(channel) + 1);
}

std::optional<Channel> ChannelOf(PlotSeries series) {
    if (series == PlotSeries::Speed) {
        return std::nullopt;
    }
    return static_cast<Channel>(static_cast<std::size_t>(series) - 1);
}

const char* SeriesLabel(PlotSeries series) {
    return kLabels[static_cast<std::size_t>(series)];
}

const char* SeriesKey(PlotSeries series) {
    const std::optional<Channel> channel = ChannelOf(series);
    return channel ? ChannelName(*channel) : "speed";
}

std::optional<PlotSeries> SeriesOfKey(const std::string& key) {
    for (std::size_t k = 0; k < kPlotSeriesCount; ++k) {
        if (key == SeriesKey(static_cast<PlotSeries>(k))) {
            return static_cast<PlotSeries>(k);
        }
    }
    return std::nullopt;
}

const char* SeriesUnit(PlotSeries series, UnitSystem units) {
    const std::optional<Channel> channel = ChannelOf(series);
    return channel ? kChannelUnits[static_cast<std::size_t>(*channel)] : ShownUnit("km/h", units);
}

std::string SeriesCaption(PlotSeries series, UnitSystem units) {
    return std::string(SeriesLabel(series)) + " (" + SeriesUnit(series, units) + ")";
}

std::vector<PlotSeries> OfferedSeries(const TrackChannels& channels) {
    std::vector<PlotSeries> offered{PlotSeries::Speed};
    for (const Channel channel : kChannels) {
        if (channels.Has(channel)) {
            offered.push_back(SeriesOf(channel));
        }
    }
    return offered;
}

std::vector<double> PointSpeeds(const TrackPoint* points, std::size_t count, UnitSystem units) {
    // Kilometres per day and metre to the shown unit per hour, in one factor.
    const double factor = ShownValue(1.0, "km/h", units) * 0.001 / 24.0;
    std::vector<double> speeds(count, NAN);
    for (std::size_t i = 1; i < count; ++i) {
        const TrackPoint& p = points[i];
        if (p.state == StateRunStart) {
            continue;
        }
        const double speed =
            (p.distance - points[i - 1].distance) / (p.time - points[i - 1].time) * factor;
        speeds[i] = std::isfinite(speed) ? speed : NAN;
    }
    return speeds;
}
