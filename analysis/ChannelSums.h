#pragma once

#include <cmath>
#include <cstddef>

#include "analysis/ChannelStatistics.h"
#include "track/TrackChannels.h"
#include "track/TrackPoint.h"

namespace sums {

/// The sums of the channel figures, visiting the points in order like the other accumulators,
/// so that the statistics take them in the same pass.
class ChannelSums {
public:
    explicit ChannelSums(const TrackChannels& channels) {
        for (const Channel channel : kChannels) {
            const std::size_t c = static_cast<std::size_t>(channel);
            m_samples[c] = channels.Has(channel) ? channels.Of(channel).GetData() : nullptr;
            m_any = m_any || m_samples[c] != nullptr;
        }
    }

    void Visit(const TrackPoint* p, std::size_t i) {
        if (!m_any) {
            return;
        }
        // The segments of the moving time: neither stopped nor the gap before a run.
        const int32_t state = p[i].state;
        const bool moving = i > 0 && state != StateStopped && state != StateRunStart;
        const double days = moving ? p[i].time - p[i - 1].time : 0.0;
        for (std::size_t c = 0; c < kChannelCount; ++c) {
            if (m_samples[c] == nullptr) {
                continue;
            }
            const double sample = m_samples[c][i];
            if (std::isnan(sample)) {
                continue;
            }
            m_highest[c] = sample > m_highest[c] ? sample : m_highest[c];
            m_lowest[c] = sample < m_lowest[c] ? sample : m_lowest[c];
            // A cadence of zero is coasting: it takes no part in the average.
            if (moving && !(c == static_cast<std::size_t>(Channel::Cadence) && sample == 0.0)) {
                m_sum[c] += sample * days;
                m_weight[c] += days;
            }
        }
    }

    ChannelStatistics Result() const {
        ChannelStatistics statistics;
        for (std::size_t c = 0; c < kChannelCount; ++c) {
            if (m_samples[c] == nullptr) {
                continue;
            }
            ChannelFigures& figures = statistics.figures[c];
            figures.present = true;
            if (m_highest[c] >= m_lowest[c]) {
                figures.maximum = m_highest[c];
                figures.minimum = m_lowest[c];
            }
            figures.weightedSum = m_sum[c];
            figures.weight = m_weight[c];
            // Unguarded, as the other averages: no moving time gives NaN.
            figures.average = m_sum[c] / m_weight[c];
        }
        return statistics;
    }

private:
    const double* m_samples[kChannelCount] = {};
    bool m_any = false;
    double m_sum[kChannelCount] = {};     // samples times days
    double m_weight[kChannelCount] = {};  // days
    double m_highest[kChannelCount] = {-INFINITY, -INFINITY, -INFINITY, -INFINITY};
    double m_lowest[kChannelCount] = {INFINITY, INFINITY, INFINITY, INFINITY};
};

}  // namespace sums
