#pragma once

#include <cstddef>
#include <vector>

#include "plot/PlotCanvas.h"
#include "plot/ProfileMapping.h"
#include "plot/ProfilePoints.h"

struct ProfileView;

/// Heights of the shown points beside the profile's own, drawn as a thin line over it: one
/// height per point in metres, NaN where there is none.
struct ElevationLine {
    const double* heights;
    PlotPen pen;
};

/// The lines a view draws over its profile: the recorded heights where the profile shows
/// others, then the terrain heights on top. None for a track without terrain heights.
std::vector<ElevationLine> ElevationLinesOf(const ProfileView& view);

/// The mapping widened so that the lines' heights of the points it shows fit as well; the
/// mapping itself when there are no lines.
ProfileMapping WithElevationLines(const ProfileMapping& mapping, const ProfileView& view,
                                  const PlotRect& item);

/// Draws the lines in steps over the points first to last (excluded), after the profile: a
/// line breaks where a point has no height and where a run starts.
class ElevationLineSteps {
public:
    ElevationLineSteps(std::vector<ElevationLine> lines, const ProfilePoints& points,
                       const double* values, const ProfileMapping& mapping, std::size_t first,
                       std::size_t last);

    /// Draws about the given number of points more; true once all lines are drawn.
    bool Step(PlotCanvas& canvas, std::size_t points);

private:
    std::vector<ElevationLine> m_lines;
    const ProfilePoints& m_points;
    const double* m_values;  // horizontal values of the points
    ProfileMapping m_mapping;
    std::size_t m_first;
    std::size_t m_last;
    std::size_t m_line = 0;  // the line being drawn
    std::size_t m_next = 0;  // its next point
    bool m_down = false;     // the pen is on the line at the last point drawn
    PlotPoint m_at;          // that point's pixel
};
