#include "analysis/Statistics.h"

#include "analysis/ChannelSums.h"
#include "analysis/StretchSearch.h"
#include "analysis/TrackSums.h"

namespace {

constexpr double kKilometresPerMetre = 0.001;
constexpr double kHoursPerDay = 24;
constexpr double kMinutesPerDay = 1440;
constexpr double kMetresPerDayToKmh = 4.1666666666666665e-05;  // 1 / 24000
constexpr double kPercent = 100;
constexpr double kPositive = -1.0;  // turns the descent figures positive

using Field = double TrackStatistics::*;

constexpr Field kFields[kStatisticsRowCount] = {
    &TrackStatistics::begin,
    &TrackStatistics::end,
    &TrackStatistics::totalTime,
    &TrackStatistics::movingTime,
    &TrackStatistics::stoppedTime,
    &TrackStatistics::distance2D,
    &TrackStatistics::distance3D,
    &TrackStatistics::totalAverageSpeed,
    &TrackStatistics::movingAverageSpeed,
    &TrackStatistics::maximumSpeed,
    &TrackStatistics::minElevation,
    &TrackStatistics::maxElevation,
    &TrackStatistics::totalAscent,
    &TrackStatistics::totalDescent,
    &TrackStatistics::ascentTime,
    &TrackStatistics::descentTime,
    &TrackStatistics::levelTime,
    &TrackStatistics::ascentDistance,
    &TrackStatistics::descentDistance,
    &TrackStatistics::totalAscentTime,
    &TrackStatistics::totalDescentTime,
    &TrackStatistics::averageAscentSpeed,
    &TrackStatistics::averageDescentSpeed,
    &TrackStatistics::movingAverageSpeedInAscent,
    &TrackStatistics::movingAverageSpeedInDescent,
    &TrackStatistics::totalAverageSpeedInAscent,
    &TrackStatistics::totalAverageSpeedInDescent,
    &TrackStatistics::averageAscentSlope,
    &TrackStatistics::averageDescentSlope,
    &TrackStatistics::maximumAscentSlope,
    &TrackStatistics::maximumDescentSlope,
};

/// Every sum of the figures, gathered in one pass over the points.
struct Sums {
    sums::LengthSums lengths;
    sums::DurationSum<sums::NotGap> totalTime;
    sums::DurationSum<sums::Moving> movingTime;
    sums::DurationSum<sums::Stopped> stoppedTime;
    sums::DurationSum<sums::IsAscent> ascentTime;
    sums::DurationSum<sums::IsDescent> descentTime;
    sums::DurationSum<sums::Level> levelTime;
    sums::CreditedStopsSum<sums::IsAscent> totalAscentTime;
    sums::CreditedStopsSum<sums::IsDescent> totalDescentTime;
    sums::AnalysedLengthSum<sums::IsAscent> ascentLength;
    sums::AnalysedLengthSum<sums::IsDescent> descentLength;
    sums::AltitudeChangeSum<StateRising> gain;
    sums::AltitudeChangeSum<StateFalling> loss;
    sums::AltitudeRange altitudes;
    // The searches read states, distances, times and the section-start flag, which none of
    // the stretches marked in this computation can change: they run in the same pass.
    stretch::FastestSearch fastest;
    stretch::SteepestAscentSearch steepestAscent;
    stretch::SteepestDescentSearch steepestDescent;

    sums::ChannelSums channels;

    explicit Sums(const TrackSection& track) : channels(track.channels) {
        sums::Run(track.points, lengths, totalTime, movingTime, stoppedTime, ascentTime,
                  descentTime, levelTime, totalAscentTime, totalDescentTime, ascentLength,
                  descentLength, gain, loss, altitudes, fastest, steepestAscent, steepestDescent,
                  channels);
    }
};

}  // namespace

const StatisticsRowInfo kStatisticsRows[kStatisticsRowCount] = {
    {"Begin", "GMT", StatisticsKind::Date},
    {"End", "GMT", StatisticsKind::Date},
    {"Total Time", "", StatisticsKind::Duration},
    {"Moving Time", "", StatisticsKind::Duration},
    {"Stopped Time", "", StatisticsKind::Duration},
    {"Distance 2D", "km", StatisticsKind::Number},
    {"Distance 3D", "km", StatisticsKind::Number},
    {"Total Average Speed", "km/h", StatisticsKind::Number},
    {"Moving Average Speed", "km/h", StatisticsKind::Number},
    {"Maximum Speed", "km/h", StatisticsKind::Number},
    {"Min Elevation", "m", StatisticsKind::Number},
    {"Max Elevation", "m", StatisticsKind::Number},
    {"Total Ascent", "m", StatisticsKind::Number},
    {"Total Descent", "m", StatisticsKind::Number},
    {"Ascent Time", "", StatisticsKind::Duration},
    {"Descent Time", "", StatisticsKind::Duration},
    {"Level Time", "", StatisticsKind::Duration},
    {"Ascent Distance", "km", StatisticsKind::Number},
    {"Descent Distance", "km", StatisticsKind::Number},
    {"Total Ascent Time", "", StatisticsKind::Duration},
    {"Total Descent Time", "", StatisticsKind::Duration},
    {"Average Ascent Speed", "m/m", StatisticsKind::Number},
    {"Average Descent Speed", "m/m", StatisticsKind::Number},
    {"Moving Average Speed in Ascent", "km/h", StatisticsKind::Number},
    {"Moving Average Speed in Descent", "km/h", StatisticsKind::Number},
    {"Total Average Speed in Ascent", "km/h", StatisticsKind::Number},
    {"Total Average Speed in Descent", "km/h", StatisticsKind::Number},
    {"Average Ascent Slope", "%", StatisticsKind::Number},
    {"Average Descent Slope", "%", StatisticsKind::Number},
    {"Maximum Ascent Slope", "%", StatisticsKind::Number},
    {"Maximum Descent Slope", "%", StatisticsKind::Number},
};

double TrackStatistics::Get(std::size_t row) const {
    return this->*kFields[row];
}

TrackStatistics ComputeStatistics(TrackSection& track) {
    ChannelStatistics channels;
    return ComputeStatistics(track, channels);
}

TrackStatistics ComputeStatistics(TrackSection& track, ChannelStatistics& channels) {
    const Sums s(track);
    channels = s.channels.Result();
    const double length3D = s.lengths.spatial;
    const double gain = s.gain.change;
    const double loss = s.loss.change;
    const double ascentLength = s.ascentLength.sum;
    const double descentLength = s.descentLength.sum;
    const double ascentTime = s.ascentTime.sum;
    const double descentTime = s.descentTime.sum;

    // No division is guarded: a zero divisor gives infinity or NaN, and that is the figure.
    TrackStatistics t{};
    t.begin = track.GetBeginTime();
    t.end = track.GetEndTime();
    t.totalTime = s.totalTime.sum;
    t.movingTime = s.movingTime.sum;
    t.stoppedTime = s.stoppedTime.sum;
    t.distance2D = s.lengths.planar * kKilometresPerMetre;
    t.distance3D = length3D * kKilometresPerMetre;
    t.totalAverageSpeed = (length3D * kKilometresPerMetre) / (s.totalTime.sum * kHoursPerDay);
    t.movingAverageSpeed = (length3D * kKilometresPerMetre) / (s.movingTime.sum * kHoursPerDay);
    t.maximumSpeed = s.fastest.Found().best * kMetresPerDayToKmh;
    t.minElevation = s.altitudes.lowest;
    t.maxElevation = s.altitudes.highest;
    t.totalAscent = gain;
    t.totalDescent = loss * kPositive;
    t.ascentTime = ascentTime;
    t.descentTime = descentTime;
    t.levelTime = s.levelTime.sum;
    t.ascentDistance = ascentLength * kKilometresPerMetre;
    t.descentDistance = descentLength * kKilometresPerMetre;
    t.totalAscentTime = s.totalAscentTime.total;
    t.totalDescentTime = s.totalDescentTime.total;
    t.averageAscentSpeed = gain / (ascentTime * kMinutesPerDay);
    t.averageDescentSpeed = (loss * kPositive) / (descentTime * kMinutesPerDay);
    t.movingAverageSpeedInAscent =
        (ascentLength * kKilometresPerMetre) / (ascentTime * kHoursPerDay);
    t.movingAverageSpeedInDescent =
        (descentLength * kKilometresPerMetre) / (descentTime * kHoursPerDay);
    t.totalAverageSpeedInAscent =
        (ascentLength * kKilometresPerMetre) / (s.totalAscentTime.total * kHoursPerDay);
    t.totalAverageSpeedInDescent =
        (descentLength * kKilometresPerMetre) / (s.totalDescentTime.total * kHoursPerDay);
    t.averageAscentSlope = gain / ascentLength * kPercent;
    t.averageDescentSlope = (loss * kPositive) / descentLength * kPercent;
    t.maximumAscentSlope = s.steepestAscent.Found().best * kPercent;
    t.maximumDescentSlope = s.steepestDescent.Found().best * kPercent;
    // The stretches are marked again: fastest, then steepest ascent, then steepest descent.
    TrackPoint* p = track.points.GetData();
    stretch::Mark(p, s.fastest.Found(), FlagFastest);
    stretch::Mark(p, s.steepestAscent.Found(), FlagSteepestAscent);
    stretch::Mark(p, s.steepestDescent.Found(), FlagSteepestDescent);
    return t;
}
