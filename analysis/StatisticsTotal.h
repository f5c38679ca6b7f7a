#pragma once

#include <cstddef>

#include "analysis/ChannelStatistics.h"
#include "analysis/Statistics.h"

/// The figures of many tracks taken together. Durations, distances, ascent and descent are
/// summed; begin and the lowest elevation take the least, end, the highest elevation, the
/// maximum speed and the maximum slopes the greatest; every average and average slope is
/// recomputed from the sums as each track's own is, never averaged over the tracks.
class StatisticsTotal {
public:
    /// Adds the figures of one track; a track without points adds nothing.
    void Add(const TrackStatistics& statistics, std::size_t pointCount,
             const ChannelStatistics& channels = {});

    /// The figures of the tracks added so far; those of an empty track before the first.
    TrackStatistics Result() const;
    /// The channel figures of the tracks added so far: a channel any of them has, its average
    /// weighted by the time each track gave it, its extremes the extremes of all.
    ChannelStatistics ChannelResult() const;

private:
    TrackStatistics m_sums = EmptyTrackFigures();
    ChannelStatistics m_channels;
    bool m_any = false;

    static TrackStatistics EmptyTrackFigures();
};
