#pragma once

#include "analysis/AnalysisSettings.h"

class TrackSection;
struct TrackPoint;

/// Decides whether a run start joins the point before it; both points carry the cumulative
/// distance that the analysis measures.
using JoinTest = bool (*)(const TrackPoint& previous, const TrackPoint& start);

/// Analyze, joining on the way every run start but the first that the test accepts to the
/// point before it (it becomes a connected point). The test sees each boundary as it would
/// after an analysis of the unjoined track, so one walk does the measuring for both.
void AnalyzeJoining(TrackSection& track, const AnalysisSettings& settings, JoinTest joinTest);
