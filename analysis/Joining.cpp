#include "analysis/Joining.h"

#include <algorithm>
#include <vector>

#include "analysis/Classify.h"
#include "analysis/Geometry.h"

namespace {

constexpr double kMaxJoinGap = 0.03125;  // days: 45 minutes
constexpr double kMaxJoinJump = 5000.0;  // planar metres

/// Copies the points of the chosen sections in list order; each non-empty section's first
/// point starts a run and carries the section-start flag.
void CopyChosen(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                GrowArray<TrackPoint>& points) {
    std::vector<std::size_t> rows(chosenRows.begin(), chosenRows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    points.RemoveAll();
    for (std::size_t row : rows) {
        if (row >= sections.GetSize()) {
            break;
        }
        const GrowArray<TrackPoint>& source = sections[row].points;
        if (source.IsEmpty()) {
            continue;
        }
        const std::size_t first = points.GetSize();
        points.Append(source.GetData(), source.GetSize());
        points[first].state = StateRunStart;
        points[first].flags |= FlagSectionStart;
    }
}

/// Joins each section to the one before when it starts within 45 minutes (the gap is signed:
/// a section that starts before the previous one ended passes) and within 5 km of where the
/// previous one ended; both bounds are inclusive.
void JoinNearSections(TrackSection& track, std::vector<double>& segments) {
    // The cumulative distances the test needs are what an analysis of the unjoined track
    // writes; that analysis would also mark stretches of the unjoined track, which say
    // nothing about the joined one, so only the distances are taken from it.
    TrackPoint* p = track.points.GetData();
    const std::size_t n = track.points.GetSize();
    if (n == 0) {
        return;
    }
    segments.resize(n);
    p[0].distance = 0.0;
    double cumulative = 0.0;
    for (std::size_t i = 1; i < n; ++i) {
        segments[i] = Distance2D(p[i - 1], p[i]);
        cumulative = cumulative + segments[i];
        p[i].distance = cumulative;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (p[i].state == StateRunStart && p[i].time - p[i - 1].time <= kMaxJoinGap
            && p[i].distance - p[i - 1].distance <= kMaxJoinJump) {
            p[i].state = StateConnected;
        }
    }
}

}  // namespace

JoinResult JoinSections(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                        int connectionMode, double verticalThreshold, double speedThresholdKmh,
                        TrackSection& track) {
    const AnalysisParams params{verticalThreshold, speedThresholdKmh * kKmhToMetresPerSecond};
    CopyChosen(sections, chosenRows, track.points);
    std::vector<double> segments;  // measured once for the join and the analysis
    switch (connectionMode) {
        case ConnectDontSelect:
            return JoinResult::DontSelect;
        case ConnectAll:
            for (std::size_t i = 1; i < track.points.GetSize(); ++i) {
                track.points[i].state = StateConnected;
            }
            break;
        case ConnectAuto:
            JoinNearSections(track, segments);
            break;
        default:  // ConnectNone, and no choice at all
            break;
    }
    AnalyzeMeasured(track, params, segments.empty() ? nullptr : segments.data());
    return JoinResult::Joined;
}
