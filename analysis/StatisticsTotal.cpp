#include "analysis/StatisticsTotal.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kHoursPerDay = 24;
constexpr double kMinutesPerDay = 1440;
constexpr double kMetresPerKilometre = 1000;
constexpr double kPercent = 100;

using Field = double TrackStatistics::*;

constexpr Field kSummed[] = {
    &TrackStatistics::totalTime,       &TrackStatistics::movingTime,
    &TrackStatistics::stoppedTime,     &TrackStatistics::distance2D,
    &TrackStatistics::distance3D,      &TrackStatistics::totalAscent,
    &TrackStatistics::totalDescent,    &TrackStatistics::ascentTime,
    &TrackStatistics::descentTime,     &TrackStatistics::levelTime,
    &TrackStatistics::ascentDistance,  &TrackStatistics::descentDistance,
    &TrackStatistics::totalAscentTime, &TrackStatistics::totalDescentTime,
};
constexpr Field kLeast[] = {&TrackStatistics::begin, &TrackStatistics::minElevation};
constexpr Field kGreatest[] = {&TrackStatistics::end, &TrackStatistics::maxElevation,
                               &TrackStatistics::maximumSpeed, &TrackStatistics::maximumAscentSlope,
                               &TrackStatistics::maximumDescentSlope};

}  // namespace

TrackStatistics StatisticsTotal::EmptyTrackFigures() {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    TrackStatistics t{};
    t.minElevation = 100000.0;
    t.maxElevation = -100000.0;
    t.totalDescent = -0.0;
    for (Field average :
         {&TrackStatistics::totalAverageSpeed, &TrackStatistics::movingAverageSpeed,
          &TrackStatistics::averageAscentSpeed, &TrackStatistics::averageDescentSpeed,
          &TrackStatistics::movingAverageSpeedInAscent,
          &TrackStatistics::movingAverageSpeedInDescent,
          &TrackStatistics::totalAverageSpeedInAscent, &TrackStatistics::totalAverageSpeedInDescent,
          &TrackStatistics::averageAscentSlope, &TrackStatistics::averageDescentSlope}) {
        t.*average = kNaN;
    }
    return t;
}

void StatisticsTotal::Add(const TrackStatistics& statistics, std::size_t pointCount,
                          const ChannelStatistics& channels) {
    if (pointCount == 0) {
        return;
    }
    for (std::size_t c = 0; c < kChannelCount; ++c) {
        const ChannelFigures& track = channels.figures[c];
        ChannelFigures& total = m_channels.figures[c];
        if (!track.present) {
            continue;
        }
        // The total's extremes start as NaN, which every sample replaces.
        if (!std::isnan(track.maximum) && !(track.maximum <= total.maximum)) {
            total.maximum = track.maximum;
        }
        if (!std::isnan(track.minimum) && !(track.minimum >= total.minimum)) {
            total.minimum = track.minimum;
        }
        total.weightedSum += track.weightedSum;
        total.weight += track.weight;
        total.present = true;
    }
    for (Field field : kSummed) {
        m_sums.*field = m_any ? m_sums.*field + statistics.*field : statistics.*field;
    }
    for (Field field : kLeast) {
        if (!m_any || statistics.*field < m_sums.*field) {
            m_sums.*field = statistics.*field;
        }
    }
    for (Field field : kGreatest) {
        if (!m_any || statistics.*field > m_sums.*field) {
            m_sums.*field = statistics.*field;
        }
    }
    m_any = true;
}

ChannelStatistics StatisticsTotal::ChannelResult() const {
    ChannelStatistics result = m_channels;
    for (ChannelFigures& channel : result.figures) {
        channel.average = channel.weightedSum / channel.weight;
    }
    return result;
}

TrackStatistics StatisticsTotal::Result() const {
    TrackStatistics t = m_sums;
    if (!m_any) {
        return t;
    }
    // As for one track: unguarded divisions, so an empty divisor gives infinity or NaN.
    t.totalAverageSpeed = t.distance3D / (t.totalTime * kHoursPerDay);
    t.movingAverageSpeed = t.distance3D / (t.movingTime * kHoursPerDay);
    t.averageAscentSpeed = t.totalAscent / (t.ascentTime * kMinutesPerDay);
    t.averageDescentSpeed = t.totalDescent / (t.descentTime * kMinutesPerDay);
    t.movingAverageSpeedInAscent = t.ascentDistance / (t.ascentTime * kHoursPerDay);
    t.movingAverageSpeedInDescent = t.descentDistance / (t.descentTime * kHoursPerDay);
    t.totalAverageSpeedInAscent = t.ascentDistance / (t.totalAscentTime * kHoursPerDay);
    t.totalAverageSpeedInDescent = t.descentDistance / (t.totalDescentTime * kHoursPerDay);
    t.averageAscentSlope = t.totalAscent / (t.ascentDistance * kMetresPerKilometre) * kPercent;
    t.averageDescentSlope = t.totalDescent / (t.descentDistance * kMetresPerKilometre) * kPercent;
    return t;
}
