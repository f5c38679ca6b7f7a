#pragma once

#include <cstddef>
#include <cstdint>

#include "track/TrackPoint.h"

// The altitude profile as a sequence of pen, move and line calls on a canvas.

/// The ten pens of the profile, all solid.
enum class PlotPen {
    RiseChord,            // also the cross of an empty plot
    FallChord,
    StoppedBand,
    SteepestAscentBand,
    SteepestDescentBand,
    FastestBand,
    LevelLine,
    AscentLine,
    DescentLine,
    RunMarker,
};
inline constexpr std::size_t kPlotPenCount = 10;

struct PenStyle {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    int width;  // pixels
};

const PenStyle& GetPenStyle(PlotPen pen);

struct PlotPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlotPoint&) const = default;
};

/// Device pixels, x growing to the right and y downwards; right and bottom are exclusive.
struct PlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/// What the drawing needs of a surface: a current pen and a current position.
class PlotCanvas {
public:
    virtual ~PlotCanvas() = default;
    virtual void SelectPen(PlotPen pen) = 0;
    /// Sets the current position; draws nothing.
    virtual void MoveTo(int x, int y) = 0;
    /// Draws from the current position to (x, y), the end point itself not painted, and makes
    /// (x, y) the current position.
    virtual void LineTo(int x, int y) = 0;
    virtual PlotPoint GetCurrentPosition() const = 0;
};

/// Draws the profile of the points into the item rectangle (deflated by 2 pixels on every
/// side): trend chords, then bands, then the profile line. No points: a pale red cross; one
/// point: nothing. Plots over distance when overDistance is set, else over time.
void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
                 bool overDistance, const PlotRect& item);
