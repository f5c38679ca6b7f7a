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

/// Analyze with the planar lengths of the segments already measured: segments[i] is the
/// length of the segment ending at point i, as Distance2D gives it. Saves measuring twice
/// when the caller has just done so.
void AnalyzeMeasured(TrackSection& track, const AnalysisParams& params, const double* segments);
