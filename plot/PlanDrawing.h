#pragma once

#include <cstddef>

#include "plot/PlanProjection.h"
#include "plot/PlotCanvas.h"
#include "plot/ProfilePasses.h"
#include "track/TrackPoint.h"

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
    PlanProjection m_projection;
    profile_passes::PassSteps m_passes;
};
