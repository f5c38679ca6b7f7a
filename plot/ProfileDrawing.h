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
    /// values: the horizontal value of every point when not the points' distance or time (a
    /// profile axis); first and last (excluded): the points the band and line passes walk, when
    /// the others lie outside the picture. The chords are drawn whole.
    ProfileSteps(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping,
                 const double* values = nullptr, std::size_t first = 0,
                 std::size_t last = static_cast<std::size_t>(-1));

    /// Draws the next points of the passes, about the given number; true once all is drawn.
    bool Step(PlotCanvas& canvas, std::size_t points);

private:
    const TrackPoint* m_points;
    std::size_t m_count;
    ProfileMapping m_mapping;
    const double* m_values;
    bool m_chordsDrawn;  // the chords go first, in one piece: they are few
    profile_passes::PassSteps m_passes;
};
