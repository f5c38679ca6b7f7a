#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

/// The plot rectangle R of an item rectangle: deflated by 2 pixels on every side.
PlotRect PlotArea(const PlotRect& item);

/// The altitude range of the whole track's profile: from 100000 m down and from -100000 m up
/// to the lowest and highest altitude; a NaN altitude takes both bounds.
void WholeAltitudeRange(const TrackPoint* points, std::size_t count, double& altMin,
                        double& altMax);
void WholeAltitudeRange(const double* altitudes, std::size_t count, double& altMin, double& altMax);

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
    // An axis whose scale is not finite (a zero, infinite or NaN range) puts every point at the
    // middle of that axis; a NaN coordinate lands on the edge of its axis minimum (R.left,
    // R.bottom). Inline: the drawing asks for every point of a long track.

    /// Pixel column of a horizontal value; the middle of R when the range is zero or not finite.
    int X(double value) const {
        if (!std::isfinite(m_sx)) {
            return m_centreX;
        }
        return ToPixel((value - m_xMin) * m_sx + m_r.left + 0.5, m_r.left);
    }
    /// Pixel row of an altitude; the middle of R when the range is zero or not finite.
    int Y(double altitude) const {
        if (!std::isfinite(m_sy)) {
            return m_centreY;
        }
        return ToPixel(m_r.bottom - (altitude - m_altMin) * m_sy + 0.5, m_r.bottom);
    }
    PlotPoint Map(const TrackPoint& p) const { return {X(Value(p)), Y(p.altitude)}; }

    /// Whether horizontal values spread over the columns, so that a column tells a value.
    bool HasHorizontalScale() const { return std::isfinite(m_sx) && m_sx != 0.0; }

    /// X and Y of many values at once, out[k] of values[k]: the same pixels, in tight loops.
    void MapX(const double* values, std::size_t count, int* out) const;
    void MapY(const double* altitudes, std::size_t count, int* out) const;

    /// The horizontal value at the centre of a pixel column; XMin when the range is not usable.
    double ValueAt(int x) const;
    /// The altitude at the centre of a pixel row; AltMin when the range is not usable.
    double AltitudeAt(int y) const;

private:
    // Pixel coordinates are kept within +-2^24: far outside any real surface, yet exact as a
    // double and as an int, so no conversion overflows.
    static constexpr double kPixelLimit = 16777216.0;

    /// Truncates toward zero; NaN goes to the fallback, anything else is clamped first.
    static int ToPixel(double value, int fallback) {
        if (std::isnan(value)) {
            return fallback;
        }
        return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
    }

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

/// The same over horizontal values of their own, one per point (a profile axis).
std::size_t FirstNotBelow(const double* values, std::size_t count, double value);
std::size_t NearestPoint(const double* values, std::size_t count, double value);
std::size_t PointAtPixel(const double* values, std::size_t count, const ProfileMapping& mapping,
                         int x);
