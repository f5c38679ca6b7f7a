// Classification of the points of a track: stopped or moving, and level, ascent or descent
// with a hysteresis on the vertical threshold. The track is classified forwards and backwards
// and the two results are merged, so that a level stretch is counted to a climb or a descent
// only when both directions agree that it belongs there.
//
// The backward classification walks the track from its end instead of a reversed copy, and
// the analysis does its steps in three passes over the points: the forward walk; a reverse
// pass with the backward walk and the forward look-ahead; and a forward pass with the
// backward look-ahead, the merge and the stretch searches. Every step still sees exactly the
// values it would see if the steps ran one after another.

#include "analysis/Classify.h"

#include <cmath>
#include <cstdint>
#include <memory>

#include "analysis/Geometry.h"
#include "analysis/StretchSearch.h"
#include "track/TrackSection.h"

namespace {

constexpr double kPerDayToPerSecond = 1.1574074074074073e-05;  // 1 / 86400

/// The track walked forwards: writes states and cumulative distances into the points and
/// keeps each segment's length for the backward walk. A run start that the join test accepts
/// becomes a connected point when the walk reaches it.
struct ForwardWalk {
    TrackPoint* p;
    double* segments;   // may be null
    JoinTest joinTest;  // may be null

    bool StartsRun(std::size_t i) {
        if (p[i].state != StateRunStart) {
            return false;
        }
        if (joinTest != nullptr && joinTest(p[i - 1], p[i])) {
            p[i].state = StateConnected;
            return false;
        }
        return true;
    }
    int32_t State(std::size_t i) const { return p[i].state; }
    void SetState(std::size_t i, int32_t state) { p[i].state = state; }
    double Altitude(std::size_t i) const { return p[i].altitude; }
    double Time(std::size_t i) const { return p[i].time; }
    void SetDistance(std::size_t i, double distance) { p[i].distance = distance; }
    double Segment(std::size_t i) {
        const double d = Distance2D(p[i - 1], p[i]);
        if (segments != nullptr) {
            segments[i] = d;
        }
        return d;
    }
};

/// The track walked backwards, as a copy whose points run in reverse order would be: step j
/// is track point n-1-j. The copy starts a run at the track's last point and wherever the
/// next point of the track starts one, so the gaps stay between the same pairs of points. A
/// segment has the same planar length in both directions (the distance formula is symmetric
/// to the last bit), so the forward walk's lengths serve. The states go to an array of their
/// own, indexed by track point.
struct BackwardWalk {
    const TrackPoint* p;
    const double* segments;  // forward segment lengths, by track index
    uint8_t* states;         // by track index
    std::size_t last;        // n - 1

    bool StartsRun(std::size_t j) const { return j == 0 || p[last - j + 1].state == StateRunStart; }
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

/// Stopped or moving, then the hysteresis, one point at a time in walking order.
template <typename Walk>
class Classifier {
public:
    Classifier(Walk& walk, const AnalysisSettings& settings) : m_walk(walk), m_settings(settings) {
        m_walk.SetState(0, StateRunStart);
        m_walk.SetDistance(0, 0.0);
    }

    void Step(std::size_t i) {
        const double d = m_walk.Segment(i);
        m_cumulative = m_cumulative + d;  // gaps included: distance rises over the whole track
        m_walk.SetDistance(i, m_cumulative);
        if (m_walk.StartsRun(i)) {
            m_walk.SetState(i, StateRunStart);
            m_reference = i;
            return;
        }
        // Metres per second; the absolute value serves the backward walk, whose times run
        // backwards. A zero duration gives infinity when the point moved, and NaN when it did
        // not, which counts as stopped.
        const double speed =
            std::fabs(d / (m_walk.Time(i) - m_walk.Time(i - 1))) * kPerDayToPerSecond;
        int32_t state = StateStopped;
        if (speed >= m_settings.speedThreshold) {
            const double dh = m_walk.Altitude(i) - m_walk.Altitude(m_reference);
            state = Trend(dh, m_walk.State(m_reference), m_settings.verticalThreshold);
        }
        m_walk.SetState(i, state);
        if (state == StateRising || state == StateFalling) {
            m_reference = i;  // carried along instead of searched for
        }
    }

private:
    Walk& m_walk;
    const AnalysisSettings& m_settings;
    double m_cumulative = 0.0;
    std::size_t m_reference = 0;
};

/// A level point takes the direction of the next rising or falling point, anywhere later in
/// the walk; fed with the states from the end of the walk backwards.
class LookAhead {
public:
    int32_t Apply(int32_t state) {
        if (state == StateLevel && m_next != StateLevel) {
            return m_next == StateRising ? StateInAscent : StateInDescent;
        }
        if (state == StateRising || state == StateFalling) {
            m_next = state;
        }
        return state;
    }

private:
    int32_t m_next = StateLevel;  // none yet
};

/// The merge at point i, once the forward state of i + 1 and the backward state of i are
/// final: the last rising (falling) point before an in-ascent (in-descent) point joins it,
/// and both directions must see a point in ascent or descent for it to stay so.
void Merge(TrackPoint* p, std::size_t n, std::size_t i, int32_t backward) {
    int32_t& state = p[i].state;
    if (i + 1 < n) {
        if (state == StateRising && p[i + 1].state == StateInAscent) {
            state = StateInAscent;
        } else if (state == StateFalling && p[i + 1].state == StateInDescent) {
            state = StateInDescent;
        }
    }
    if ((state == StateInAscent && backward == StateInAscent)
        || (state == StateInDescent && backward == StateInDescent)) {
        state = StateLevel;
    }
    if (state != StateRunStart && backward == StateLevel) {
        state = StateLevel;
    }
}

}  // namespace

void TrackSection::ClassifyPoints(const AnalysisSettings& settings) {
    const std::size_t n = points.GetSize();
    if (n == 0) {
        return;
    }
    TrackPoint* p = points.GetData();
    ForwardWalk walk{p, nullptr, nullptr};
    Classifier classifier(walk, settings);
    for (std::size_t i = 1; i < n; ++i) {
        classifier.Step(i);
    }
    LookAhead lookAhead;
    for (std::size_t i = n; i-- > 0;) {
        p[i].state = lookAhead.Apply(p[i].state);
    }
}

void TrackSection::Analyze(const AnalysisSettings& settings) {
    AnalyzeJoining(*this, settings, nullptr);
}

void AnalyzeJoining(TrackSection& track, const AnalysisSettings& settings, JoinTest joinTest) {
    const std::size_t n = track.points.GetSize();
    if (n == 0) {
        return;
    }
    TrackPoint* p = track.points.GetData();

    // Forward walk.
    const std::unique_ptr<double[]> segments(new double[n]);
    ForwardWalk forward{p, segments.get(), joinTest};
    Classifier classifier(forward, settings);
    for (std::size_t i = 1; i < n; ++i) {
        classifier.Step(i);
    }

    // Reverse pass: the backward walk, and the forward walk's look-ahead.
    const std::unique_ptr<uint8_t[]> backward(new uint8_t[n]);  // each written before read
    BackwardWalk reverse{p, segments.get(), backward.get(), n - 1};
    Classifier backwardClassifier(reverse, settings);
    LookAhead forwardLookAhead;
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t i = n - 1 - j;
        if (j > 0) {
            backwardClassifier.Step(j);
        }
        p[i].state = forwardLookAhead.Apply(p[i].state);
    }

    // Forward pass: the backward walk's look-ahead (its end is the track's start), the merge,
    // and the stretch searches over the final states.
    LookAhead backwardLookAhead;
    stretch::FastestSearch fastest;
    stretch::SteepestAscentSearch ascent;
    stretch::SteepestDescentSearch descent;
    for (std::size_t i = 0; i < n; ++i) {
        const int32_t back = backwardLookAhead.Apply(backward[i]);
        Merge(p, n, i, back);
        fastest.Visit(p, i);
        descent.Visit(p, i);
        ascent.Visit(p, i);
    }
    stretch::Mark(p, fastest.Found(), FlagFastest);
    stretch::Mark(p, descent.Found(), FlagSteepestDescent);
    stretch::Mark(p, ascent.Found(), FlagSteepestAscent);
}
