#pragma once

#include <vector>

#include "map/Mercator.h"
#include "plot/PlotCanvas.h"

/// A view pixel rounded to the nearest whole one, kept within the range of int; 0 for NaN.
int RoundPixel(double value);

/// Where a tile lands in the view: its pixel rectangle, left and top and the side's length.
struct TilePlacement {
    TileId id;     // x wrapped into the world
    double left;   // view pixels
    double top;    // view pixels
    double side;   // view pixels
    bool visible;  // false: in the ring around the view, wanted ahead of a pan
};

/// What a map shows: the world point at the centre, a zoom that need not be whole and a size
/// in pixels. The world is tileSize * 2^zoom pixels wide; y stays within the world, x does
/// not wrap (it stays within two worlds beside it), so that a view follows an unwrapped track
/// across the 180° meridian.
class MapView {
public:
    MapView(int width, int height, int tileSize = 256);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int TileSize() const { return m_tileSize; }
    double Zoom() const { return m_zoom; }
    WorldPoint Centre() const { return m_centre; }
    /// Pixels per world side.
    double Scale() const { return WorldPixels(m_zoom, m_tileSize); }

    void Resize(int width, int height);
    /// The zooms the view may take, e.g. 0 to the source's maximum.
    void SetZoomRange(double minZoom, double maxZoom);
    void SetCentre(WorldPoint centre);
    void SetZoom(double zoom);

    /// The largest whole zoom up to the maximum at which the box fits with the margin on every
    /// side, centred; a box of no size takes the maximum.
    void FitTo(const WorldBox& box, double margin = 16.0);
    /// Zooms by steps (+1: twice the scale) keeping the world point under the pixel in place.
    void ZoomAround(double x, double y, double steps);
    /// Moves the picture by pixels, as a drag does.
    void Pan(double dx, double dy);

    /// The view pixel of a world point, unrounded.
    WorldPoint ToPixel(WorldPoint world) const;
    /// The view pixel of a world point, rounded and kept within the range of int.
    PlotPoint PixelOf(WorldPoint world) const;
    /// The world point under a view pixel.
    WorldPoint ToWorld(double x, double y) const;
    /// The view's extent in world fractions.
    WorldBox WorldExtent() const;

    /// The zoom level of the tiles drawn: the view's zoom rounded, within the zoom range.
    int TileZoom() const;
    /// The tiles that cover the view, nearest the centre first, then the given number of rings
    /// around them; none for a view of no size.
    std::vector<TilePlacement> Tiles(int rings = 1) const;
    /// Ground metres per pixel at the centre's latitude.
    double MetresPerPixel() const;

private:
    int m_width;
    int m_height;
    int m_tileSize;
    double m_zoom = 0.0;
    double m_minZoom = 0.0;
    double m_maxZoom = 19.0;
    WorldPoint m_centre{0.5, 0.5};
};
