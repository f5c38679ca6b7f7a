#include "tiles/MapTrackLayer.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "plot/RepeatSkippingCanvas.h"
#include "qt/QtPlotCanvas.h"

/// A picture being drawn: the painter and the canvases live from step to step.
struct MapTrackLayer::Drawing {
    Drawing(MapTrack& track, const MapView& around, Picture start)
        : picture(std::move(start)), painter(&picture.image), steps(track, around) {
        canvas.emplace(painter);
        skipping.emplace(*canvas, PlotRect{0, 0, around.Width(), around.Height()});
    }

    Picture picture;
    QPainter painter;
    std::optional<QtPlotCanvas> canvas;
    std::optional<RepeatSkippingCanvas> skipping;
    MapTrackSteps steps;
};

MapView AroundView(const MapView& view) {
    // Half a view more on every side, in whole pixels: the view's pixels lie a whole number of
    // pixels within the picture's, so that points round alike in both.
    MapView around(view.Width() + 2 * ((view.Width() + 1) / 2),
                   view.Height() + 2 * ((view.Height() + 1) / 2), view.TileSize());
    around.SetZoomRange(view.Zoom(), view.Zoom());
    around.SetZoom(view.Zoom());
    around.SetCentre(view.Centre());
    return around;
}

bool PictureCovers(const MapView& view, const QImage& image, double zoom, int tileSize,
                   WorldPoint origin) {
    if (image.isNull() || view.Zoom() != zoom || view.TileSize() != tileSize) {
        return false;
    }
    const WorldPoint topLeft = view.ToPixel(origin);
    return topLeft.x <= 0.0 && topLeft.y <= 0.0 && topLeft.x + image.width() >= view.Width()
           && topLeft.y + image.height() >= view.Height();
}

void PaintPicture(QPainter& painter, const MapView& view, const QImage& image, double zoom,
                  WorldPoint origin) {
    const WorldPoint topLeft = view.ToPixel(origin);
    if (view.Zoom() == zoom) {
        painter.drawImage(QPoint(static_cast<int>(std::lround(topLeft.x)),
                                 static_cast<int>(std::lround(topLeft.y))),
                          image);
        return;
    }
    const double scale = std::exp2(view.Zoom() - zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(topLeft.x, topLeft.y, image.width() * scale, image.height() * scale),
                      image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

MapTrackLayer::MapTrackLayer() = default;
MapTrackLayer::~MapTrackLayer() = default;

bool MapTrackLayer::Covers(const MapView& view) const {
    return PictureCovers(view, m_picture.image, m_picture.zoom, m_picture.tileSize,
                         m_picture.origin);
}

void MapTrackLayer::Begin(MapTrack& track, const MapView& view) {
    const MapView around = AroundView(view);
    Picture picture{QImage(around.Width(), around.Height(), QImage::Format_ARGB32_Premultiplied),
                    view.Zoom(), view.TileSize(), around.ToWorld(0.0, 0.0)};
    picture.image.fill(Qt::transparent);
    m_drawing.reset();
    m_drawing = std::make_unique<Drawing>(track, around, std::move(picture));
}

bool MapTrackLayer::Step(std::size_t points) {
    if (!m_drawing) {
        return true;
    }
    if (!m_drawing->steps.Step(*m_drawing->skipping, points)) {
        return false;
    }
    m_drawing->skipping.reset();  // hands on the lines held back
    m_drawing->canvas.reset();
    m_drawing->painter.end();
    m_picture = std::move(m_drawing->picture);
    m_drawing.reset();
    return true;
}

void MapTrackLayer::Draw(MapTrack& track, const MapView& view) {
    Begin(track, view);
    Step(std::numeric_limits<std::size_t>::max());
}

void MapTrackLayer::Clear() {
    m_drawing.reset();
    m_picture = Picture();
}

bool MapTrackLayer::Paint(QPainter& painter, const MapView& view) const {
    if (m_picture.image.isNull() || view.TileSize() != m_picture.tileSize) {
        return false;
    }
    PaintPicture(painter, view, m_picture.image, m_picture.zoom, m_picture.origin);
    return true;
}
