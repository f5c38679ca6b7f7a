#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "track/TrackPoint.h"
#include "ui/ProfileDrawing.h"

// What the profile window shows besides the drawing: its axes, the readout under the cursor
// and the part of the track it is zoomed into. Free of any window system.

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

/// The point whose horizontal value lies nearest to value, by binary search over the points'
/// distance or time (taken as never decreasing); the earlier one on a tie. count must be > 0.
std::size_t NearestPoint(const TrackPoint* points, std::size_t count, bool overDistance,
                         double value);

/// The point under pixel column x of the mapping; count must be > 0.
std::size_t PointAtPixel(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping,
                         int x);

/// Texts about point i of the joined track.
struct ProfileReadout {
    std::string distance;   // km from the start
    std::string timeOfDay;  // as the sections list writes it, relative to firstDay
    std::string elapsed;    // since the first point, as the duration rows
    std::string elevation;  // m
    std::string speed;      // km/h over the segment ending at the point; "-" where none
    std::string state;      // "stopped", "level", "climbing", "descending" or "start of a run"
    std::string stretches;  // "fastest", "steepest ascent", ... joined by ", "; empty if none
};
ProfileReadout ReadoutOf(const TrackPoint* points, std::size_t count, std::size_t i,
                         double firstDay);

/// The readout as lines of "Label: value unit".
std::vector<std::string> ReadoutLines(const ProfileReadout& readout);

/// The horizontal range the profile window shows: the whole track, or a part zoomed into. It
/// never leaves the whole range and never gets narrower than kMinSpan of it or than one metre
/// (over distance) or one second (over time), whichever is wider.
class ProfileZoom {
public:
    static constexpr double kMinSpanFraction = 1e-6;

    /// A new whole range; shows all of it.
    void Reset(double xMin, double xMax, bool overDistance);

    double From() const { return m_from; }
    double To() const { return m_to; }
    bool IsZoomed() const { return m_from != m_xMin || m_to != m_xMax; }
    double MinSpan() const;

    /// Scales the shown span by factor (below 1 zooms in) keeping value where it is.
    void ZoomAround(double value, double factor);
    /// Shows the span between two values (in any order).
    void ZoomTo(double a, double b);
    /// Shows the whole range again.
    void ZoomOut();

private:
    void Show(double from, double to);

    double m_xMin = 0.0;
    double m_xMax = 0.0;
    double m_from = 0.0;
    double m_to = 0.0;
    bool m_overDistance = true;
};

/// The mapping of the shown part: its horizontal span, and the altitudes of the points within
/// it (with the point just outside each end, so that the lines leaving the picture keep their
/// slope), or of the whole track when nothing of it is shown.
ProfileMapping ZoomedMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                             const PlotRect& item, const ProfileZoom& zoom);
