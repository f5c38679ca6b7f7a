#pragma once

#include <cstddef>

#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

/// The track seen from above: an equirectangular projection around the mean latitude, north up,
/// scaled to fit the item rectangle (deflated by 4 pixels, room for the wide pens) with the
/// same scale on both axes and centred in it.
class PlanProjection {
public:
    PlanProjection(const TrackPoint* points, std::size_t count, const PlotRect& item);

    PlotPoint Map(const TrackPoint& p) const;

private:
    double m_eastScale = 1.0;  // east units per degree of longitude: cos(mean latitude)
    double m_eastMid = 0.0;
    double m_northMid = 0.0;
    double m_scale = 0.0;  // pixels per unit; 0: everything at the centre
    double m_centreX = 0.0;
    double m_centreY = 0.0;
};
