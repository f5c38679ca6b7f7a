#pragma once

#include <cstddef>

#include "plot/PlotCanvas.h"
#include "plot/ProfileMapping.h"
#include "plot/ProfilePasses.h"
#include "track/TrackPoint.h"

// The altitude profile as a sequence of pen, move and line calls on a canvas.

/// Draws the points with the given mapping: trend chords, bands, profile line. Nothing for
/// fewer than two points.
void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
                 const ProfileMapping& mapping);

/// Draws the profile of the points into the item rectangle (deflated by 2 pixels on every
/// side): trend chords, then bands, then the profile line. No points: a pale red cross; one
/// point: nothing. Plots over distance when overDistance is set, else over time.
void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count, bool overDistance,
                 const PlotRect& item);

/// The drawing of DrawProfile in steps of some points each: the same operations in the same
/// order, however the steps are cut, so that a long track can be drawn between events.
class ProfileSteps {
public:
    ProfileSteps(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping);

    /// Draws the next points of the passes, about the given number; true once all is drawn.
    bool Step(PlotCanvas& canvas, std::size_t points);

private:
    const TrackPoint* m_points;
    std::size_t m_count;
    ProfileMapping m_mapping;
    bool m_chordsDrawn;  // the chords go first, in one piece: they are few
    profile_passes::PassSteps m_passes;
};
