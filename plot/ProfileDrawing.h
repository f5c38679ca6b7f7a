#pragma once

#include <cstddef>
#include <vector>

#include "plot/PlotCanvas.h"
#include "plot/ProfileMapping.h"
#include "plot/ProfilePasses.h"
#include "plot/ProfilePoints.h"
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

/// Pixels of some points worked out ahead: of point first + k at x[k], y[k].
struct ProfilePixels {
    std::size_t first = 0;
    std::vector<int> x;
    std::vector<int> y;
};

/// The drawing of DrawProfile in steps of some points each: the same operations in the same
/// order, however the steps are cut, so that a long track can be drawn between events.
class ProfileSteps {
public:
    ProfileSteps(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping);
    /// The same picture for the screen, from the packed points with horizontal values of their
    /// own (a profile axis): the pixels are worked out at once, the points and lines that can
    /// paint nothing are left out, and the band and line passes walk only the points first to
    /// last (excluded), the others lying outside the picture. The chords are drawn whole.
    ProfileSteps(const ProfilePoints& points, const double* values, const ProfileMapping& mapping,
                 std::size_t first, std::size_t last);
    ProfileSteps(const ProfileSteps&) = delete;
    ProfileSteps& operator=(const ProfileSteps&) = delete;

    /// Draws the next points of the passes, about the given number; true once all is drawn.
    bool Step(PlotCanvas& canvas, std::size_t points);

private:
    /// Maps about four times the budget's points more for the screen; returns the budget
    /// spent.
    std::size_t MapAhead(std::size_t budget);

    const TrackPoint* m_points = nullptr;     // the points as read and analysed, or
    const ProfilePoints* m_packed = nullptr;  // packed for the screen
    const double* m_values = nullptr;         // with the packed points
    ProfileMapping m_mapping;
    std::vector<ChordStep> m_chords;  // of the points as read; the packed points have theirs
    bool m_chordsDrawn;               // the chords go first, in one piece: they are few
    ProfilePixels m_pixels;
    std::size_t m_mapped = 0;          // of m_pixels, worked out so far
    std::vector<std::size_t> m_order;  // the points the passes walk, for the screen
    profile_passes::PassSteps m_passes;
};
