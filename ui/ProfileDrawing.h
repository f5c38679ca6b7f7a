#pragma once

#include <cstddef>
#include <cstdint>

#include "track/TrackPoint.h"

// The altitude profile as a sequence of pen, move and line calls on a canvas.

/// The ten pens of the profile, all solid.
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

/// Where the points of a profile land: the horizontal value (distance or time) and the altitude
/// scaled into the plot rectangle R, the item rectangle deflated by 2 pixels on every side.
/// The drawing and everything that reads a position off the picture use this one mapping.
class ProfileMapping {
public:
    /// The whole track: distance from 0 to the last point's, or time from the first point's to
    /// the last point's; altitudes from the lowest to the highest (within +-100000 m).
    ProfileMapping(const TrackPoint* points, std::size_t count, bool overDistance,
                   const PlotRect& item);
    /// Given ranges, e.g. a part of the track zoomed into.
    ProfileMapping(bool overDistance, const PlotRect& item, double xMin, double xMax, double altMin,
                   double altMax);

    bool OverDistance() const { return m_overDistance; }
    const PlotRect& Rect() const { return m_r; }  // R
    double XMin() const { return m_xMin; }
    double XMax() const { return m_xMax; }
    double AltMin() const { return m_altMin; }
    double AltMax() const { return m_altMax; }

    /// The horizontal value of a point: metres or days.
    double Value(const TrackPoint& p) const { return m_overDistance ? p.distance : p.time; }
    /// Pixel column of a horizontal value; the middle of R when the range is zero or not finite.
    int X(double value) const;
    /// Pixel row of an altitude; the middle of R when the range is zero or not finite.
    int Y(double altitude) const;
    PlotPoint Map(const TrackPoint& p) const { return {X(Value(p)), Y(p.altitude)}; }

    /// The horizontal value at the centre of a pixel column; XMin when the range is not usable.
    double ValueAt(int x) const;
    /// The altitude at the centre of a pixel row; AltMin when the range is not usable.
    double AltitudeAt(int y) const;

private:
    void Scale();

    bool m_overDistance = true;
    PlotRect m_r;
    double m_xMin = 0.0;    // metres or days
    double m_xMax = 0.0;    // metres or days
    double m_altMin = 0.0;  // metres
    double m_altMax = 0.0;  // metres
    double m_sx = 0.0;      // pixels per metre or per day
    double m_sy = 0.0;      // pixels per metre
    int m_centreX = 0;
    int m_centreY = 0;
};

/// Draws the points with the given mapping: trend chords, bands, profile line. Nothing for
/// fewer than two points.
void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
                 const ProfileMapping& mapping);

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
    int m_pass = 0;  // chords, bands, line; 3: done
    std::size_t m_next = 0;
};

/// Draws the profile of the points into the item rectangle (deflated by 2 pixels on every
/// side): trend chords, then bands, then the profile line. No points: a pale red cross; one
/// point: nothing. Plots over distance when overDistance is set, else over time.
void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count, bool overDistance,
                 const PlotRect& item);
