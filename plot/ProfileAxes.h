#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plot/ProfileAxis.h"
#include "plot/ProfileMapping.h"
#include "report/DisplayOptions.h"
#include "track/TrackPoint.h"

// The axes of the profile window: ticks at round values with their labels.

/// A tick of an axis: its pixel (column or row) and its label.
struct AxisTick {
    int pixel = 0;
    std::string label;
};

/// The round step (1, 2 or 5 times a power of ten) that divides a span into at most
/// maxCount steps; 0 for a span that is not positive and finite.
double RoundStep(double span, int maxCount);

/// Ticks of the horizontal axis at round values within the mapping's range, run by run of the
/// axis: over distance the distance without the jumps in km or mi, over time the time of day as
/// the sections list writes it (relative to firstDay, in the options' time zone). A tick closer
/// to the one before than half the room of a tick is left out, as at a gap between runs.
std::vector<AxisTick> HorizontalTicks(const ProfileMapping& mapping, const ProfileAxis& axis,
                                      double firstDay, int maxCount,
                                      const DisplayOptions& options = {});

/// Ticks of the vertical axis at round altitudes in metres or feet.
std::vector<AxisTick> VerticalTicks(const ProfileMapping& mapping, int maxCount,
                                    const DisplayOptions& options = {});

/// Captions of the axes: "Distance (km)" or "Time of day", "Elevation (m)", in the options'
/// units.
std::string HorizontalAxisCaption(bool overDistance, const DisplayOptions& options = {});
std::string VerticalAxisCaption(const DisplayOptions& options = {});
