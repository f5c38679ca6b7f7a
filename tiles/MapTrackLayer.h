#pragma once

#include <cstddef>
#include <memory>

#include <QImage>
#include <QPainter>

#include "map/MapTrack.h"
#include "map/MapView.h"

/// The view of a picture that reaches half a view beyond the view on every side, in whole
/// pixels, so that points round alike in both.
MapView AroundView(const MapView& view);
/// True when a picture drawn at the zoom and tile size, its top-left corner at the world point,
/// reaches over the whole view.
bool PictureCovers(const MapView& view, const QImage& image, double zoom, int tileSize,
                   WorldPoint origin);
/// Paints such a picture where the view sees it, scaled where the zoom differs.
void PaintPicture(QPainter& painter, const MapView& view, const QImage& image, double zoom,
                  WorldPoint origin);

/// The track drawn for a zoom into a transparent image that reaches half a view beyond the view
/// on every side. The frames of a drag copy it; the frames of a wheel zoom scale it until it is
/// drawn again for the new zoom once the zoom rests. A million-point track takes far longer to
/// draw than a frame may, so the drawing goes in steps, the old picture serving until it is done.
class MapTrackLayer {
public:
    MapTrackLayer();
    ~MapTrackLayer();
    MapTrackLayer(const MapTrackLayer&) = delete;
    MapTrackLayer& operator=(const MapTrackLayer&) = delete;

    /// True when the picture was drawn for the view's zoom and reaches over the whole view.
    bool Covers(const MapView& view) const;
    /// Starts drawing the track for the view's zoom around the view.
    void Begin(MapTrack& track, const MapView& view);
    /// Draws about the given number of points more; true once the new picture serves.
    bool Step(std::size_t points);
    bool IsDrawing() const { return m_drawing != nullptr; }
    /// Draws the track for the view at once.
    void Draw(MapTrack& track, const MapView& view);
    /// Forgets picture and drawing, e.g. for another track.
    void Clear();
    /// Paints the picture where the view sees it, scaled where the zoom differs; false when
    /// there is none.
    bool Paint(QPainter& painter, const MapView& view) const;

private:
    struct Picture {
        QImage image;
        double zoom = 0.0;
        int tileSize = 256;
        WorldPoint origin;  // the world point at the image's top-left corner
    };
    struct Drawing;

    Picture m_picture;
    std::unique_ptr<Drawing> m_drawing;
};
