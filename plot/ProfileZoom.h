#pragma once

#include <cstddef>

#include "plot/ProfileMapping.h"
#include "track/TrackPoint.h"

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

/// The zoom that shows the whole track in the mode.
ProfileZoom WholeZoom(const TrackPoint* points, std::size_t count, bool overDistance);
