#pragma once

#include <QImage>
#include <QPainter>

#include "map/MapTrack.h"
#include "map/MapView.h"

/// The track drawn once for a zoom into a transparent image that reaches half a view beyond
/// the view on every side. The frames of a drag copy it; the frames of a wheel zoom scale it
/// until it is drawn again for the new zoom, once the zoom rests. A million-point track takes
/// far longer to draw than a frame may.
class MapTrackLayer {
public:
    /// True when the layer was drawn for the view's zoom and reaches over the whole view.
    bool Covers(const MapView& view) const;
    /// Draws the track for the view's zoom around the view.
    void Draw(MapTrack& track, const MapView& view);
    /// Forgets the drawing, e.g. for another track.
    void Clear() { m_image = QImage(); }
    /// Paints the layer where the view sees it, scaled where the zoom differs; false when there
    /// is nothing drawn.
    bool Paint(QPainter& painter, const MapView& view) const;

private:
    QImage m_image;
    double m_zoom = 0.0;
    int m_tileSize = 256;
    WorldPoint m_origin;  // the world point at the image's top-left corner
};
