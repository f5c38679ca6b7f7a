#pragma once

#include <array>
#include <cstddef>
#include <limits>

#include "track/TrackChannels.h"
#include "track/TrackSection.h"

/// The figures of one channel of a track. The average weighs each sample by the time since the
/// point before, over the segments that make the moving time; a missing sample weighs nothing,
/// nor does a cadence of zero (coasting). Maximum and minimum are over every sample.
struct ChannelFigures {
    bool present = false;  // the track has the channel
    double average = std::numeric_limits<double>::quiet_NaN();
    double maximum = std::numeric_limits<double>::quiet_NaN();
    double minimum = std::numeric_limits<double>::quiet_NaN();
    double weightedSum = 0.0;  // samples times days, summed: for totals over tracks
    double weight = 0.0;       // days
};

/// The figures of every channel; only those the track has are present.
struct ChannelStatistics {
    std::array<ChannelFigures, kChannelCount> figures{};

    const ChannelFigures& Of(Channel channel) const {
        return figures[static_cast<std::size_t>(channel)];
    }
    ChannelFigures& Of(Channel channel) { return figures[static_cast<std::size_t>(channel)]; }
    bool Any() const;
};

/// Computes the channel figures of an analysed track.
ChannelStatistics ComputeChannelStatistics(const TrackSection& track);

/// Which figure of a channel a row shows.
enum class ChannelFigure { Average, Maximum, Minimum };

struct ChannelRowInfo {
    Channel channel;
    ChannelFigure figure;
    const char* label;
    const char* unit;
};

/// The rows that follow the 31 figures, in display order; a track shows those of its channels.
inline constexpr std::size_t kChannelRowCount = 9;
extern const ChannelRowInfo kChannelRows[kChannelRowCount];

/// The value of a row's figure.
double ChannelRowValue(const ChannelStatistics& statistics, const ChannelRowInfo& row);

/// The name of a channel in files: "heart_rate", "cadence", "power", "temperature".
const char* ChannelName(Channel channel);
