#pragma once

#include <cstddef>

#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

/// The plot rectangle R of an item rectangle: deflated by 2 pixels on every side.
PlotRect PlotArea(const PlotRect& item);

/// Where the points of a profile land: the horizontal value (distance or time) and the altitude
/// scaled into the plot rectangle R of the item rectangle. The drawing and everything that reads
/// a position off the picture use this one mapping.
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

/// The first point whose distance or time is not below value (count when there is none), by
/// binary search over points taken as never decreasing.
std::size_t FirstNotBelow(const TrackPoint* points, std::size_t count, bool overDistance,
                          double value);

/// The point whose horizontal value lies nearest to value, by binary search over the points'
/// distance or time (taken as never decreasing); the earlier one on a tie. count must be > 0.
std::size_t NearestPoint(const TrackPoint* points, std::size_t count, bool overDistance,
                         double value);

/// The point under pixel column x of the mapping; count must be > 0.
std::size_t PointAtPixel(const TrackPoint* points, std::size_t count, const ProfileMapping& mapping,
                         int x);
