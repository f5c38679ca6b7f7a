// Measurements of a section over its points. Durations are signed day differences; a segment
// that ends at a run start is the gap between two runs and counts in no sum.

#include "analysis/Geometry.h"
#include "track/TrackSection.h"

namespace {

double Duration(const TrackPoint* p, std::size_t i) { return p[i].time - p[i - 1].time; }

/// Sum of value(i) over the segments i = 1 .. n-1 whose end state passes the test.
template <typename Test, typename Value>
double SumSegments(const GrowArray<TrackPoint>& points, Test test, Value value) {
    const TrackPoint* p = points.GetData();
    double sum = 0.0;
    for (std::size_t i = 1; i < points.GetSize(); ++i) {
        if (test(p[i].state)) {
            sum += value(p, i);
        }
    }
    return sum;
}

bool NotGap(int32_t state) { return state != StateRunStart; }
bool IsAscent(int32_t state) { return state == StateInAscent || state == StateRising; }
bool IsDescent(int32_t state) { return state == StateInDescent || state == StateFalling; }

/// Durations of one direction plus the stops before each of its points in the same run;
/// a stop that no point of the direction follows in its run is dropped.
template <typename Test>
double SumWithCreditedStops(const GrowArray<TrackPoint>& points, Test inDirection) {
    const TrackPoint* p = points.GetData();
    double total = 0.0;
    double pending = 0.0;
    for (std::size_t i = 1; i < points.GetSize(); ++i) {
        const int32_t state = p[i].state;
        if (state == StateRunStart) {
            pending = 0.0;
        } else if (inDirection(state)) {
            total = total + Duration(p, i) + pending;
            pending = 0.0;
        } else if (state == StateStopped) {
            pending = pending + Duration(p, i);
        }
    }
    return total;
}

}  // namespace

double TrackSection::GetBeginTime() const {
    return points.IsEmpty() ? 0.0 : points[0].time;
}

double TrackSection::GetEndTime() const {
    return points.IsEmpty() ? 0.0 : points[points.GetSize() - 1].time;
}

double TrackSection::GetLength2D() const {
    return SumSegments(points, NotGap,
                       [](const TrackPoint* p, std::size_t i) { return Distance2D(p[i - 1], p[i]); });
}

double TrackSection::GetLength3D() const {
    return SumSegments(points, NotGap,
                       [](const TrackPoint* p, std::size_t i) { return Distance3D(p[i - 1], p[i]); });
}

double TrackSection::GetTotalTime() const { return SumSegments(points, NotGap, Duration); }

double TrackSection::GetMovingTime() const {
    return SumSegments(
        points, [](int32_t s) { return s != StateRunStart && s != StateStopped; }, Duration);
}

double TrackSection::GetStoppedTime() const {
    return SumSegments(points, [](int32_t s) { return s == StateStopped; }, Duration);
}

double TrackSection::GetAscentTime() const { return SumSegments(points, IsAscent, Duration); }

double TrackSection::GetDescentTime() const { return SumSegments(points, IsDescent, Duration); }

double TrackSection::GetLevelTime() const {
    return SumSegments(points, [](int32_t s) { return s == StateLevel; }, Duration);
}

double TrackSection::GetTotalAscentTime() const { return SumWithCreditedStops(points, IsAscent); }

double TrackSection::GetTotalDescentTime() const {
    return SumWithCreditedStops(points, IsDescent);
}
