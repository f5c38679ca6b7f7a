#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "track/GrowArray.h"

/// What a recording may measure at each point besides where and when: the body's data and the
/// air's temperature.
enum class Channel : std::size_t { HeartRate, Cadence, Power, Temperature };
inline constexpr std::size_t kChannelCount = 4;
inline constexpr Channel kChannels[kChannelCount] = {Channel::HeartRate, Channel::Cadence,
                                                     Channel::Power, Channel::Temperature};

inline constexpr double kMissingSample = std::numeric_limits<double>::quiet_NaN();

/// The samples of one point, by channel; NaN where the point has none.
using ChannelSamples = std::array<double, kChannelCount>;
inline constexpr ChannelSamples kNoSamples = {kMissingSample, kMissingSample, kMissingSample,
                                              kMissingSample};

/// The lowest and highest sample a channel takes as read; anything else is missing.
struct ChannelRange {
    double lowest;
    double highest;
};
inline constexpr ChannelRange kChannelRanges[kChannelCount] = {{0.0, 300.0},    // bpm
                                                               {0.0, 300.0},    // rpm
                                                               {0.0, 4000.0},   // W
                                                               {-60.0, 70.0}};  // °C

/// The sample of a channel as read, or a missing one (NaN) when it is not a plausible value.
inline double ChannelSample(Channel channel, double value) {
    const ChannelRange& range = kChannelRanges[static_cast<std::size_t>(channel)];
    return value >= range.lowest && value <= range.highest ? value : kMissingSample;
}

/// The samples of the channels a section has, one per point; a channel the section does not
/// have holds nothing, so a track without channels costs no memory for them. A missing sample
/// is NaN.
class TrackChannels {
public:
    bool Has(Channel channel) const { return !Of(channel).IsEmpty(); }
    /// Whether any channel is present.
    bool Any() const {
        for (const GrowArray<double>& values : m_values) {
            if (!values.IsEmpty()) {
                return true;
            }
        }
        return false;
    }
    GrowArray<double>& Of(Channel channel) { return m_values[static_cast<std::size_t>(channel)]; }
    const GrowArray<double>& Of(Channel channel) const {
        return m_values[static_cast<std::size_t>(channel)];
    }
    /// The sample of point i; missing when the channel is not present.
    double Sample(Channel channel, std::size_t i) const {
        const GrowArray<double>& values = Of(channel);
        return values.IsEmpty() ? kMissingSample : values[i];
    }
    /// Makes the channel present for count points, all missing so far.
    GrowArray<double>& Add(Channel channel, std::size_t count) {
        GrowArray<double>& values = Of(channel);
        const std::size_t had = values.GetSize();
        values.SetSize(count);
        for (std::size_t i = had; i < count; ++i) {
            values[i] = kMissingSample;
        }
        return values;
    }
    void RemoveAll() {
        for (GrowArray<double>& values : m_values) {
            values.RemoveAll();
        }
    }
    /// Removes the channels that hold no sample at all.
    void DropEmpty() {
        for (GrowArray<double>& values : m_values) {
            bool any = false;
            for (std::size_t i = 0; i < values.GetSize() && !any; ++i) {
                any = !std::isnan(values[i]);
            }
            if (!any) {
                values.RemoveAll();
            }
        }
    }

private:
    std::array<GrowArray<double>, kChannelCount> m_values;
};
