#pragma once

#include <cstddef>

/// The two thresholds of the classification.
struct AnalysisParams {
    double verticalThreshold = 15.0;  // metres of climb or descent that establish a trend
    double speedThreshold = 0.5;      // metres per second below which a segment is stopped
};

/// Process-wide thresholds, set by the window just before each recompute and read by the
/// analysis calls that take no explicit parameters.
extern double g_verticalThreshold;  // metres
extern double g_speedThreshold;     // metres per second

/// The process-wide thresholds as parameters.
AnalysisParams GlobalAnalysisParams();

class TrackSection;
struct TrackPoint;

/// Decides whether a run start joins the point before it; both points carry the cumulative
/// distance that the analysis measures.
using JoinTest = bool (*)(const TrackPoint& previous, const TrackPoint& start);

/// Analyze, joining on the way every run start but the first that the test accepts to the
/// point before it (it becomes a connected point). The test sees each boundary as it would
/// after an analysis of the unjoined track, so one walk does the measuring for both.
void AnalyzeJoining(TrackSection& track, const AnalysisParams& params, JoinTest joinTest);
