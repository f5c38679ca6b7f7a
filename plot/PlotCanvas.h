#pragma once

#include <cstddef>
#include <cstdint>

// What every drawing of a track draws on: twelve solid pens, and a surface with a current pen and
// a current position, as the Windows graphics interface has them.

/// The twelve pens of the profile, all solid.
enum class PlotPen {
    RiseChord,  // also the cross of an empty plot
    FallChord,
    StoppedBand,
    SteepestAscentBand,
    SteepestDescentBand,
    FastestBand,
    LevelLine,
    AscentLine,
    DescentLine,
    RunMarker,
    TerrainLine,   // the terrain heights beside the profile's own
    RecordedLine,  // the recorded heights, where the profile shows others
};
inline constexpr std::size_t kPlotPenCount = 12;

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
