#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plot/ProfileMapping.h"
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

/// Ticks of the horizontal axis at round values within the mapping's range: km for a plot over
/// distance, time of day (as the sections list writes it, relative to firstDay) over time.
std::vector<AxisTick> HorizontalTicks(const ProfileMapping& mapping, double firstDay, int maxCount);

/// Ticks of the vertical axis at round altitudes in metres.
std::vector<AxisTick> VerticalTicks(const ProfileMapping& mapping, int maxCount);

/// Unit caption of each axis.
const char* HorizontalAxisUnit(bool overDistance);  // "km" or "time of day"
inline constexpr char kVerticalAxisUnit[] = "m";
