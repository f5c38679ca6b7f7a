#include "analysis/ChannelStatistics.h"

#include <cmath>

#include "track/TrackPoint.h"

const ChannelRowInfo kChannelRows[kChannelRowCount] = {
    {Channel::HeartRate, ChannelFigure::Average, "Average Heart Rate", "bpm"},
    {Channel::HeartRate, ChannelFigure::Maximum, "Maximum Heart Rate", "bpm"},
    {Channel::Cadence, ChannelFigure::Average, "Average Cadence", "rpm"},
    {Channel::Cadence, ChannelFigure::Maximum, "Maximum Cadence", "rpm"},
    {Channel::Power, ChannelFigure::Average, "Average Power", "W"},
    {Channel::Power, ChannelFigure::Maximum, "Maximum Power", "W"},
    {Channel::Temperature, ChannelFigure::Average, "Average Temperature",
     "\xC2\xB0"
     "C"},
    {Channel::Temperature, ChannelFigure::Minimum, "Minimum Temperature",
     "\xC2\xB0"
     "C"},
    {Channel::Temperature, ChannelFigure::Maximum, "Maximum Temperature",
     "\xC2\xB0"
     "C"},
};

namespace {

ChannelFigures FiguresOf(const TrackPoint* p, const double* samples, std::size_t count,
                         bool zeroIsNoSample) {
    ChannelFigures figures;
    figures.present = true;
    double highest = -INFINITY;
    double lowest = INFINITY;
    for (std::size_t i = 0; i < count; ++i) {
        const double sample = samples[i];
        if (std::isnan(sample)) {
            continue;
        }
        highest = sample > highest ? sample : highest;
        lowest = sample < lowest ? sample : lowest;
        const int32_t state = p[i].state;
        // The segments of the moving time: neither stopped nor the gap before a run.
        if (i > 0 && state != StateStopped && state != StateRunStart
            && !(zeroIsNoSample && sample == 0.0)) {
            const double days = p[i].time - p[i - 1].time;
            figures.weightedSum += sample * days;
            figures.weight += days;
        }
    }
    if (highest >= lowest) {
        figures.maximum = highest;
        figures.minimum = lowest;
    }
    // Unguarded, as the other averages: no moving time gives NaN.
    figures.average = figures.weightedSum / figures.weight;
    return figures;
}

}  // namespace

bool ChannelStatistics::Any() const {
    for (const ChannelFigures& channel : figures) {
        if (channel.present) {
            return true;
        }
    }
    return false;
}

ChannelStatistics ComputeChannelStatistics(const TrackSection& track) {
    ChannelStatistics statistics;
    for (const Channel channel : kChannels) {
        if (track.channels.Has(channel)) {
            statistics.Of(channel) =
                FiguresOf(track.points.GetData(), track.channels.Of(channel).GetData(),
                          track.points.GetSize(), channel == Channel::Cadence);
        }
    }
    return statistics;
}

double ChannelRowValue(const ChannelStatistics& statistics, const ChannelRowInfo& row) {
    const ChannelFigures& figures = statistics.Of(row.channel);
    switch (row.figure) {
        case ChannelFigure::Average:
            return figures.average;
        case ChannelFigure::Maximum:
            return figures.maximum;
        case ChannelFigure::Minimum:
            break;
    }
    return figures.minimum;
}

const char* ChannelName(Channel channel) {
    constexpr const char* kNames[kChannelCount] = {"heart_rate", "cadence", "power", "temperature"};
    return kNames[static_cast<std::size_t>(channel)];
}
