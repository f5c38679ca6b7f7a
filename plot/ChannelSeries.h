#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "report/DisplayOptions.h"
#include "track/TrackChannels.h"
#include "track/TrackPoint.h"

/// What the profile window's second plot shows: the speed, which every track has, or one of
/// the channels a track may carry.
enum class PlotSeries { Speed, HeartRate, Cadence, Power, Temperature };
inline constexpr std::size_t kPlotSeriesCount = 5;

/// The series that shows a channel.
PlotSeries SeriesOf(Channel channel);
/// The channel a series shows; none for the speed.
std::optional<Channel> ChannelOf(PlotSeries series);

/// "Speed", "Heart Rate", "Cadence", "Power", "Temperature".
const char* SeriesLabel(PlotSeries series);
/// The name a choice of the series is kept under: "speed", or the channel's name in files.
const char* SeriesKey(PlotSeries series);
/// The series of a key; none for an unknown key.
std::optional<PlotSeries> SeriesOfKey(const std::string& key);
/// The unit of the series' values: km/h or mph as the options show speeds, bpm, rpm, W, °C.
const char* SeriesUnit(PlotSeries series, UnitSystem units);
/// "Heart Rate (bpm)": the caption of the second plot's vertical axis.
std::string SeriesCaption(PlotSeries series, UnitSystem units);

/// The series a track offers: the speed first, then each channel it has.
std::vector<PlotSeries> OfferedSeries(const TrackChannels& channels);

/// The speed at each point over the segment ending there, in km/h or mph as the readout gives
/// it; NaN at the first point, at the start of a run and where the time does not advance.
std::vector<double> PointSpeeds(const TrackPoint* points, std::size_t count, UnitSystem units);
