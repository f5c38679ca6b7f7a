#include "tiles/MapTrackLayer.h"

#include <cmath>

#include "ui/QtPlotCanvas.h"
#include "ui/RepeatSkippingCanvas.h"

bool MapTrackLayer::Covers(const MapView& view) const {
    if (m_image.isNull() || view.Zoom() != m_zoom || view.TileSize() != m_tileSize) {
        return false;
    }
    const WorldPoint topLeft = view.ToPixel(m_origin);
    return topLeft.x <= 0.0 && topLeft.y <= 0.0 && topLeft.x + m_image.width() >= view.Width()
           && topLeft.y + m_image.height() >= view.Height();
}

void MapTrackLayer::Draw(MapTrack& track, const MapView& view) {
    MapView around(2 * view.Width(), 2 * view.Height(), view.TileSize());
    around.SetZoomRange(view.Zoom(), view.Zoom());
    around.SetZoom(view.Zoom());
    around.SetCentre(view.Centre());
    m_zoom = view.Zoom();
    m_tileSize = view.TileSize();
    m_origin = around.ToWorld(0.0, 0.0);
    m_image = QImage(around.Width(), around.Height(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
    QPainter painter(&m_image);
    {
        QtPlotCanvas canvas(painter);
        RepeatSkippingCanvas skipping(canvas, PlotRect{0, 0, around.Width(), around.Height()});
        track.Draw(skipping, around);
    }
}

bool MapTrackLayer::Paint(QPainter& painter, const MapView& view) const {
    if (m_image.isNull() || view.TileSize() != m_tileSize) {
        return false;
    }
    const WorldPoint topLeft = view.ToPixel(m_origin);
    if (view.Zoom() == m_zoom) {
        painter.drawImage(QPoint(static_cast<int>(std::lround(topLeft.x)),
                                 static_cast<int>(std::lround(topLeft.y))),
                          m_image);
        return true;
    }
    const double scale = std::exp2(view.Zoom() - m_zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(topLeft.x, topLeft.y, m_image.width() * scale,
                             m_image.height() * scale),
                      m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    return true;
}
