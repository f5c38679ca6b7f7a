// Classification of the points of a track: stopped or moving, and level, ascent or descent
// with a hysteresis on the vertical threshold. The track is classified forwards and backwards
// and the two results are merged, so that a level stretch is counted to a climb or a descent
// only when both directions agree that it belongs there.

#include "analysis/Classify.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/Geometry.h"
#include "track/TrackSection.h"

double g_verticalThreshold = 15.0;
double g_speedThreshold = 0.5;

AnalysisParams GlobalAnalysisParams() {
    return {g_verticalThreshold, g_speedThreshold};
}

namespace {

constexpr double kPerDayToPerSecond = 1.1574074074074073e-05;  // 1 / 86400

/// The track walked forwards: writes states and cumulative distances into the points.
/// Measures each segment, keeping the lengths for the backward walk, unless they are known.
template <bool kMeasured>
struct ForwardWalk {
    TrackPoint* p;
    double* segments;  // may be null when not measured

    int32_t State(std::size_t i) const { return p[i].state; }
    void SetState(std::size_t i, int32_t state) { p[i].state = state; }
    double Altitude(std::size_t i) const { return p[i].altitude; }
    double Time(std::size_t i) const { return p[i].time; }
    void SetDistance(std::size_t i, double distance) { p[i].distance = distance; }
    double Segment(std::size_t i) {
        if constexpr (kMeasured) {
            return segments[i];
        } else {
            const double d = Distance2D(p[i - 1], p[i]);
            if (segments != nullptr) {
                segments[i] = d;
            }
            return d;
        }
    }
};

/// The track walked backwards, as a copy whose points run in reverse order would be: step j
/// is track point n-1-j. A segment has the same planar length in both directions (the
/// distance formula is symmetric to the last bit), so the forward walk's lengths serve.
/// States go to a separate array indexed by track point.
struct BackwardWalk {
    const TrackPoint* p;
    const double* segments;  // forward segment lengths, by track index
    uint8_t* states;         // by track index
    std::size_t last;        // n - 1

    int32_t State(std::size_t j) const { return states[last - j]; }
    void SetState(std::size_t j, int32_t state) { states[last - j] = static_cast<uint8_t>(state); }
    double Altitude(std::size_t j) const { return p[last - j].altitude; }
    double Time(std::size_t j) const { return p[last - j].time; }
    void SetDistance(std::size_t, double) {}
    double Segment(std::size_t j) const { return segments[last - j + 1]; }
};

/// The state of a moving point from its height above the reference point (the last run
/// start, rising or falling point) and the trend that reference set.
int32_t Trend(double dh, int32_t referenceState, double vertical) {
    int32_t trend = referenceState;
    if (trend == StateRunStart) {
        // The first trend of a run has to pass the threshold.
        trend = dh > 0 ? StateFalling : StateRising;
    }
    if (dh > 0) {
        if (trend == StateRising || dh > vertical) {
            return StateRising;
        }
    } else if (dh <= 0) {
        // A point at the reference altitude continues a descent, but not an ascent.
        if (trend == StateFalling || dh < -vertical) {
            return StateFalling;
        }
    }
    return StateLevel;
}

template <typename Walk>
void ClassifyWalk(Walk& walk, std::size_t n, const AnalysisParams& params) {
    if (n == 0) {
        return;
    }
    walk.SetState(0, StateRunStart);
    walk.SetDistance(0, 0.0);
    double cumulative = 0.0;
    std::size_t reference = 0;  // carried along instead of searched for
    for (std::size_t i = 1; i < n; ++i) {
        const double d = walk.Segment(i);
        cumulative = cumulative + d;  // gaps included: distance rises over the whole track
        walk.SetDistance(i, cumulative);
        if (walk.State(i) == StateRunStart) {
            reference = i;
            continue;
        }
        // Metres per second; the absolute value serves the backward walk, whose times run
        // backwards. A zero duration gives infinity when the point moved, and NaN when it did
        // not, which counts as stopped.
        const double speed = std::fabs(d / (walk.Time(i) - walk.Time(i - 1))) * kPerDayToPerSecond;
        int32_t state = StateStopped;
        if (speed >= params.speedThreshold) {
            const double dh = walk.Altitude(i) - walk.Altitude(reference);
            state = Trend(dh, walk.State(reference), params.verticalThreshold);
        }
        walk.SetState(i, state);
        if (state == StateRising || state == StateFalling) {
            reference = i;
        }
    }
    // Look-ahead: a level point takes the direction of the next rising or falling point,
    // anywhere later in the track.
    int32_t next = StateLevel;  // none yet
    for (std::size_t i = n; i-- > 0;) {
        const int32_t state = walk.State(i);
        if (state == StateLevel && next != StateLevel) {
            walk.SetState(i, next == StateRising ? StateInAscent : StateInDescent);
        } else if (state == StateRising || state == StateFalling) {
            next = state;
        }
    }
}

/// Merges the backward states into the forward ones.
void MergeDirections(TrackPoint* p, const uint8_t* backward, std::size_t n) {
    // The last rising (falling) point before an in-ascent (in-descent) point joins it.
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (p[i].state == StateRising && p[i + 1].state == StateInAscent) {
            p[i].state = StateInAscent;
        } else if (p[i].state == StateFalling && p[i + 1].state == StateInDescent) {
            p[i].state = StateInDescent;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        int32_t& state = p[i].state;
        const int32_t back = backward[i];
        if ((state == StateInAscent && back == StateInAscent)
            || (state == StateInDescent && back == StateInDescent)) {
            state = StateLevel;
        }
        if (state != StateRunStart && back == StateLevel) {
            state = StateLevel;
        }
    }
}

}  // namespace

void TrackSection::ClassifyPoints() {
    ClassifyPoints(GlobalAnalysisParams());
}

void TrackSection::ClassifyPoints(const AnalysisParams& params) {
    ForwardWalk<false> walk{points.GetData(), nullptr};
    ClassifyWalk(walk, points.GetSize(), params);
}

void TrackSection::Analyze() {
    Analyze(GlobalAnalysisParams());
}

void TrackSection::Analyze(const AnalysisParams& params) {
    AnalyzeMeasured(*this, params, nullptr);
}

void AnalyzeMeasured(TrackSection& track, const AnalysisParams& params, const double* measured) {
    const std::size_t n = track.points.GetSize();
    if (n == 0) {
        return;
    }
    TrackPoint* p = track.points.GetData();
    // The backward walk starts a run at the last point and wherever the next point starts
    // one, so the gaps stay between the same pairs of points.
    std::vector<uint8_t> backward(n);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        backward[i] = p[i + 1].state == StateRunStart ? StateRunStart : StateConnected;
    }
    backward[n - 1] = StateRunStart;

    std::vector<double> measuredHere;
    const double* segments = measured;
    if (measured != nullptr) {
        ForwardWalk<true> forward{p, const_cast<double*>(measured)};
        ClassifyWalk(forward, n, params);
    } else {
        measuredHere.resize(n);
        ForwardWalk<false> forward{p, measuredHere.data()};
        ClassifyWalk(forward, n, params);
        segments = measuredHere.data();
    }
    BackwardWalk reverse{p, segments, backward.data(), n - 1};
    ClassifyWalk(reverse, n, params);

    MergeDirections(p, backward.data(), n);
    track.FindFastest();
    track.FindSteepestDescent();
    track.FindSteepestAscent();
}
