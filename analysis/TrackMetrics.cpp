// Measurements of a section over its points. Durations are signed day differences; a segment
// that ends at a run start is the gap between two runs and counts in no sum.

#include "analysis/TrackSums.h"
#include "track/TrackSection.h"

namespace {

template <typename Accumulator>
Accumulator RunOne(const GrowArray<TrackPoint>& points) {
    Accumulator accumulator;
    sums::Run(points, accumulator);
    return accumulator;
}

template <double (*Distance)(const TrackPoint&, const TrackPoint&)>
double SumDistances(const GrowArray<TrackPoint>& points) {
    const TrackPoint* p = points.GetData();
    double sum = 0.0;
    for (std::size_t i = 1; i < points.GetSize(); ++i) {
        if (!sums::IsGap(p[i].state)) {
            sum += Distance(p[i - 1], p[i]);
        }
    }
    return sum;
}

}  // namespace

double TrackSection::GetBeginTime() const {
    return points.IsEmpty() ? 0.0 : points[0].time;
}

double TrackSection::GetEndTime() const {
    return points.IsEmpty() ? 0.0 : points[points.GetSize() - 1].time;
}

double TrackSection::GetLength2D() const {
    return SumDistances<Distance2D>(points);
}

double TrackSection::GetLength3D() const {
    return SumDistances<Distance3D>(points);
}

double TrackSection::GetTotalTime() const {
    return RunOne<sums::DurationSum<sums::NotGap>>(points).sum;
}

double TrackSection::GetMovingTime() const {
    return RunOne<sums::DurationSum<sums::Moving>>(points).sum;
}

double TrackSection::GetStoppedTime() const {
    return RunOne<sums::DurationSum<sums::Stopped>>(points).sum;
}

double TrackSection::GetAscentTime() const {
    return RunOne<sums::DurationSum<sums::IsAscent>>(points).sum;
}

double TrackSection::GetDescentTime() const {
    return RunOne<sums::DurationSum<sums::IsDescent>>(points).sum;
}

double TrackSection::GetLevelTime() const {
    return RunOne<sums::DurationSum<sums::Level>>(points).sum;
}

double TrackSection::GetTotalAscentTime() const {
    return RunOne<sums::CreditedStopsSum<sums::IsAscent>>(points).total;
}

double TrackSection::GetTotalDescentTime() const {
    return RunOne<sums::CreditedStopsSum<sums::IsDescent>>(points).total;
}

double TrackSection::GetAscentLength() const {
    return RunOne<sums::AnalysedLengthSum<sums::IsAscent>>(points).sum;
}

double TrackSection::GetDescentLength() const {
    return RunOne<sums::AnalysedLengthSum<sums::IsDescent>>(points).sum;
}

double TrackSection::GetAltitudeGain() const {
    return RunOne<sums::AltitudeChangeSum<StateRising>>(points).change;
}

double TrackSection::GetAltitudeLoss() const {
    return RunOne<sums::AltitudeChangeSum<StateFalling>>(points).change;
}

double TrackSection::GetMinAltitude() const {
    return RunOne<sums::AltitudeRange>(points).lowest;
}

double TrackSection::GetMaxAltitude() const {
    return RunOne<sums::AltitudeRange>(points).highest;
}
