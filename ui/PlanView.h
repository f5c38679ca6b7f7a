#pragma once

#include <cstddef>

#include "track/TrackPoint.h"
#include "ui/ProfileDrawing.h"

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

/// The outline of the track in the profile's state colours and pens: the bands under stopped
/// segments and extreme stretches, then the line coloured by state; runs are not connected.
void DrawPlan(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
              const PlanProjection& projection);

/// The drawing of DrawPlan in steps of some points each: the same operations in the same order,
/// however the steps are cut.
class PlanSteps {
public:
    PlanSteps(const TrackPoint* points, std::size_t count, const PlanProjection& projection);

    /// Draws the next points of the passes, about the given number; true once all is drawn.
    bool Step(PlotCanvas& canvas, std::size_t points);

private:
    const TrackPoint* m_points;
    std::size_t m_count;
    PlanProjection m_projection;
    int m_pass = 0;  // bands, line; 2: done
    std::size_t m_next = 0;
};
