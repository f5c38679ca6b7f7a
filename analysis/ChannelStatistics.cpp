#include "analysis/ChannelStatistics.h"

#include "analysis/ChannelSums.h"
#include "analysis/TrackSums.h"

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

bool ChannelStatistics::Any() const {
    for (const ChannelFigures& channel : figures) {
        if (channel.present) {
            return true;
        }
    }
    return false;
}

ChannelStatistics ComputeChannelStatistics(const TrackSection& track) {
    sums::ChannelSums channels(track.channels);
    sums::Run(track.points, channels);
    return channels.Result();
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
