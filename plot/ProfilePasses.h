#pragma once

// The band and line passes of the profile, for any mapping of points to pixels: the profile
// maps distance or time and altitude, the plan view longitude and latitude. A mapper gives
// X(i), Y(i), MoveTo(canvas, i) and LineTo(canvas, i), and may give Line(canvas, pen, i), which
// selects the pen and draws to point i (for the screen it may leave out a line of no length,
// which paints nothing).
// The points are anything whose [i] has the state and flags of point i: an array of them,
// packed points, or the points a map keeps of a track.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

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

/// Selects the pen and draws to point i, through the mapper's Line where it has one (which
/// may leave out a line of no length).
template <typename Map>
void Line(PlotCanvas& canvas, const Map& map, PlotPen pen, std::size_t i) {
    if constexpr (requires { map.Line(canvas, pen, i); }) {
        map.Line(canvas, pen, i);
    } else {
        canvas.SelectPen(pen);
        map.LineTo(canvas, i);
    }
}

/// The points a pass walks: the k-th one is point order(k); Identity walks every point.
struct Identity {
    std::size_t operator()(std::size_t k) const { return k; }
};

/// Pass 2 (r: the plot rectangle for the run markers; none: no markers): wide bands under stopped
/// segments and under the three extreme stretches; points first to last (excluded) of the
/// order, so that a long track can be drawn in pieces that together make the same operations.
template <typename Map, typename Points, typename Order = Identity>
void DrawBands(PlotCanvas& canvas, const Map& map, const PlotRect* r, const Points& points,
               std::size_t first, std::size_t last, Order order = {}) {
    for (std::size_t k = first; k < last; ++k) {
        const std::size_t i = order(k);
        const auto& p = points[i];
        PlotPen pen = PlotPen::StoppedBand;
        if (i == 0) {
            map.MoveTo(canvas, 0);
        } else if (p.state == StateRunStart) {
            if (r != nullptr) {
                DrawRunMarkers(canvas, map, *r, i);
            }
            map.MoveTo(canvas, i);
        } else if (p.state == StateConnected || p.state == StateStopped) {
            Line(canvas, map, PlotPen::StoppedBand, i);
        } else if (p.state >= StateLevel && p.state <= StateFalling) {
            if (BandPen(p.flags, pen)) {
                Line(canvas, map, pen, i);
            } else {
                map.MoveTo(canvas, i);
            }
        }
    }
}

/// Pass 3: the thin profile line coloured by state; no line leads to a stopped point. Points
/// first to last (excluded) of the order, as the bands.
template <typename Map, typename Points, typename Order = Identity>
void DrawProfileLine(PlotCanvas& canvas, const Map& map, const PlotRect* r, const Points& points,
                     std::size_t first, std::size_t last, Order order = {}) {
    for (std::size_t k = first; k < last; ++k) {
        const std::size_t i = order(k);
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
            Line(canvas, map, PlotPen::LevelLine, i);
        } else if (state == StateInAscent || state == StateRising) {
            Line(canvas, map, PlotPen::AscentLine, i);
        } else if (state == StateInDescent || state == StateFalling) {
            Line(canvas, map, PlotPen::DescentLine, i);
        }
    }
}

/// The band and line passes drawn in pieces of some points each: the same operations in the
/// same order, however the pieces are cut, so that a long track can be drawn between events.
class PassSteps {
public:
    explicit PassSteps(std::size_t count) : PassSteps(count, 0, count) {}
    /// Only the points first to last (excluded) of the count: each pass moves to the first of
    /// them and draws the segments that end at the others, for a picture that shows no more.
    PassSteps(std::size_t count, std::size_t first, std::size_t last)
        : m_last(std::min(last, count)),
          m_first(std::min(first, m_last)),
          m_pass(count < 2 || m_last - m_first < 2 ? 2 : 0),
          m_next(m_first) {}
    /// Only the points of the order, ascending: the first of them moved to, as above. A point
    /// may be left out of it when it can paint nothing: in the pixel of the point before it,
    /// and not the start of a run.
    explicit PassSteps(const std::vector<std::size_t>& order)
        : m_last(order.size()), m_first(0), m_pass(order.size() < 2 ? 2 : 0), m_order(&order) {}

    /// Draws about budget more points of the passes; true once both are drawn. Points: the
    /// track's points, or anything whose items have their state and flags.
    template <typename Map, typename Points>
    bool Step(PlotCanvas& canvas, const Map& map, const PlotRect* r, const Points& points,
              std::size_t budget) {
        if (m_order == nullptr) {
            return Walk(canvas, map, r, points, budget, Identity());
        }
        const std::vector<std::size_t>& order = *m_order;
        return Walk(canvas, map, r, points, budget, [&order](std::size_t k) { return order[k]; });
    }

private:
    template <typename Map, typename Points, typename Order>
    bool Walk(PlotCanvas& canvas, const Map& map, const PlotRect* r, const Points& points,
              std::size_t budget, Order order) {
        while (m_pass < 2 && budget != 0) {
            if (m_next == m_first && order(m_first) > 0) {
                map.MoveTo(canvas, order(m_first));
                ++m_next;
            }
            const std::size_t last = m_next + std::min(budget, m_last - m_next);
            if (m_pass == 0) {
                DrawBands(canvas, map, r, points, m_next, last, order);
            } else {
                DrawProfileLine(canvas, map, r, points, m_next, last, order);
            }
            budget -= last - m_next;
            m_next = last;
            if (m_next == m_last) {
                ++m_pass;
                m_next = m_first;
            }
        }
        return m_pass == 2;
    }

    std::size_t m_last;
    std::size_t m_first;
    int m_pass;  // bands, line; 2: done
    std::size_t m_next = 0;
    const std::vector<std::size_t>* m_order = nullptr;  // null: every point from first to last
};

}  // namespace profile_passes
