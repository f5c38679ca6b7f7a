#pragma once

// The band and line passes of the profile, for any mapping of points to pixels: the profile
// maps distance or time and altitude, the plan view longitude and latitude. A mapper gives
// X(i), Y(i), MoveTo(canvas, i) and LineTo(canvas, i); the points are anything whose [i] has
// the state and flags of point i: an array of them, or the points a map keeps of a track.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

namespace profile_passes {

/// Vertical lines at the current x and at the point's own x, enclosing the gap of a break.
template <typename Map>
void DrawRunMarkers(PlotCanvas& canvas, const Map& map, const PlotRect& r, std::size_t i) {
    const int x0 = canvas.GetCurrentPosition().x;
    canvas.SelectPen(PlotPen::RunMarker);
    canvas.MoveTo(x0, r.top);
    canvas.LineTo(x0, r.bottom);
    const int x = map.X(i);
    canvas.MoveTo(x, r.top);
    canvas.LineTo(x, r.bottom);
}

/// The band pen of a moving point by its stretch flags; none when it lies in no stretch.
inline bool BandPen(int32_t flags, PlotPen& pen) {
    if ((flags & FlagSteepestAscent) != 0) {
        pen = PlotPen::SteepestAscentBand;
    } else if ((flags & FlagSteepestDescent) != 0) {
        pen = PlotPen::SteepestDescentBand;
    } else if ((flags & FlagFastest) != 0) {
        pen = PlotPen::FastestBand;
    } else {
        return false;
    }
    return true;
}

/// Pass 2 (r: the plot rectangle for the run markers; none: no markers): wide bands under stopped
/// segments and under the three extreme stretches; points first to last (excluded), so that a
/// long track can be drawn in pieces that together make the same operations.
template <typename Map, typename Points>
void DrawBands(PlotCanvas& canvas, const Map& map, const PlotRect* r, const Points& points,
               std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) {
        const TrackPoint& p = points[i];
        PlotPen pen = PlotPen::StoppedBand;
        if (i == 0) {
            map.MoveTo(canvas, 0);
        } else if (p.state == StateRunStart) {
            if (r != nullptr) {
                DrawRunMarkers(canvas, map, *r, i);
            }
            map.MoveTo(canvas, i);
        } else if (p.state == StateConnected || p.state == StateStopped) {
            canvas.SelectPen(PlotPen::StoppedBand);
            map.LineTo(canvas, i);
        } else if (p.state >= StateLevel && p.state <= StateFalling) {
            if (BandPen(p.flags, pen)) {
                canvas.SelectPen(pen);
                map.LineTo(canvas, i);
            } else {
                map.MoveTo(canvas, i);
            }
        }
    }
}

/// Pass 3: the thin profile line coloured by state; no line leads to a stopped point. Points
/// first to last (excluded), as the bands.
template <typename Map, typename Points>
void DrawProfileLine(PlotCanvas& canvas, const Map& map, const PlotRect* r, const Points& points,
                     std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) {
        const int32_t state = points[i].state;
        if (i == 0) {
            map.MoveTo(canvas, 0);
        } else if (state == StateRunStart) {
            if (r != nullptr) {
                DrawRunMarkers(canvas, map, *r, i);
            }
            map.MoveTo(canvas, i);
        } else if (state == StateConnected || state == StateStopped) {
            map.MoveTo(canvas, i);
        } else if (state == StateLevel) {
            canvas.SelectPen(PlotPen::LevelLine);
            map.LineTo(canvas, i);
        } else if (state == StateInAscent || state == StateRising) {
            canvas.SelectPen(PlotPen::AscentLine);
            map.LineTo(canvas, i);
        } else if (state == StateInDescent || state == StateFalling) {
            canvas.SelectPen(PlotPen::DescentLine);
            map.LineTo(canvas, i);
        }
    }
}

/// The band and line passes drawn in pieces of some points each: the same operations in the
/// same order, however the pieces are cut, so that a long track can be drawn between events.
class PassSteps {
public:
    explicit PassSteps(std::size_t count) : m_count(count), m_pass(count < 2 ? 2 : 0) {}

    /// Draws about budget more points of the passes; true once both are drawn.
    template <typename Map>
    bool Step(PlotCanvas& canvas, const Map& map, const PlotRect* r, const TrackPoint* points,
              std::size_t budget) {
        while (m_pass < 2 && budget != 0) {
            const std::size_t last = m_next + std::min(budget, m_count - m_next);
            if (m_pass == 0) {
                DrawBands(canvas, map, r, points, m_next, last);
            } else {
                DrawProfileLine(canvas, map, r, points, m_next, last);
            }
            budget -= last - m_next;
            m_next = last;
            if (m_next == m_count) {
                ++m_pass;
                m_next = 0;
            }
        }
        return m_pass == 2;
    }

private:
    std::size_t m_count;
    int m_pass;  // bands, line; 2: done
    std::size_t m_next = 0;
};

}  // namespace profile_passes
