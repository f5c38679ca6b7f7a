#include "tiles/MapRenderer.h"

#include <cmath>
#include <vector>

#include <QFontMetrics>
#include <QPoint>
#include <QRect>

#include "map/ScaleBar.h"
#include "plot/RepeatSkippingCanvas.h"
#include "qt/QtPlotCanvas.h"

namespace {

constexpr int kFontSize = 11;     // pixels
constexpr int kMarkerRadius = 6;  // pixels
constexpr QRgb kStartColour = 0xFF00A000;
constexpr QRgb kEndColour = 0xFFD00000;
constexpr QRgb kPanelColour = 0xC8FFFFFF;  // the translucent white behind corner texts

void PaintTiles(QPainter& painter, const MapScene& scene) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const TilePlacement& tile : scene.view->Tiles(0)) {
        const QImage image = scene.tile ? scene.tile(tile.id) : QImage();
        if (image.isNull()) {
            continue;
        }
        // Whole pixels on both edges, so that neighbouring tiles meet without a seam.
        const int left = static_cast<int>(std::lround(tile.left));
        const int top = static_cast<int>(std::lround(tile.top));
        const QRect target(QPoint(left, top),
                           QPoint(static_cast<int>(std::lround(tile.left + tile.side)) - 1,
                                  static_cast<int>(std::lround(tile.top + tile.side)) - 1));
        if (target.size() == image.size()) {
            painter.drawImage(target.topLeft(), image);
        } else {
            painter.drawImage(target, image);
        }
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void PaintTrack(QPainter& painter, const MapScene& scene) {
    const MapView& view = *scene.view;
    if (scene.layer == nullptr || !scene.layer->Paint(painter, view)) {
        QtPlotCanvas canvas(painter);
        RepeatSkippingCanvas skipping(canvas, PlotRect{0, 0, view.Width(), view.Height()});
        scene.track->Draw(skipping, view);
    }
    if (scene.range && scene.rangePicture) {
        scene.rangePicture(painter);
    } else if (scene.range) {
        PaintRange(painter, *scene.track, view, scene.range->first, scene.range->second);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    const std::size_t count = scene.track->Count();
    if (count == 0) {
        return;
    }
    painter.setPen(QPen(QColor(255, 255, 255), 2));
    const std::pair<std::size_t, QRgb> markers[] = {{count - 1, kEndColour}, {0, kStartColour}};
    for (const auto& [index, colour] : markers) {
        const PlotPoint p = view.PixelOf(scene.track->WorldOf(index));
        painter.setBrush(QColor::fromRgba(colour));
        painter.drawEllipse(QPoint(p.x, p.y), kMarkerRadius, kMarkerRadius);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

}  // namespace

void PaintRange(QPainter& painter, MapTrack& track, const MapView& view, std::size_t first,
                std::size_t last, bool opaque) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0, 0, 255, opaque ? 255 : kRangeAlpha), 10, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    for (const std::vector<PlotPoint>& piece : track.RangePath(view, first, last)) {
        std::vector<QPoint> points;
        for (const PlotPoint& p : piece) {
            points.emplace_back(p.x, p.y);
        }
        if (points.size() == 1) {
            points.push_back(points.back());
        }
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
}

namespace {

/// The bar with its length above it, in the bottom-left corner.
void PaintScaleBar(QPainter& painter, const MapView& view) {
    const ScaleBar bar = ChooseScaleBar(view.MetresPerPixel());
    if (bar.pixels <= 0.0) {
        return;
    }
    const int length = static_cast<int>(std::lround(bar.pixels));
    const QRect panel(4, view.Height() - 30, length + 16, 26);
    painter.fillRect(panel, QColor::fromRgba(kPanelColour));
    painter.setPen(QPen(QColor(0, 0, 0), 2, Qt::SolidLine, Qt::FlatCap));
    const int y = panel.bottom() - 5;
    const int x = panel.left() + 8;
    painter.drawLine(x, y, x + length, y);
    painter.drawLine(x, y - 5, x, y);
    painter.drawLine(x + length, y - 5, x + length, y);
    painter.drawText(QRect(x, panel.top() + 1, length + 8, 14), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(bar.label));
}

/// The source's attribution in the bottom-right corner, shortened only where it cannot fit.
void PaintAttribution(QPainter& painter, const MapView& view, const QString& attribution) {
    const QFontMetrics metrics(painter.font());
    const QString text = metrics.elidedText(attribution, Qt::ElideMiddle, view.Width() - 12);
    const int width = metrics.horizontalAdvance(text) + 8;
    const int height = metrics.height() + 2;
    const QRect panel(view.Width() - width, view.Height() - height, width, height);
    painter.fillRect(panel, QColor::fromRgba(kPanelColour));
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(panel, Qt::AlignCenter, text);
}

}  // namespace

void PaintMap(QPainter& painter, const MapScene& scene) {
    const MapView& view = *scene.view;
    painter.fillRect(QRect(0, 0, view.Width(), view.Height()), QColor::fromRgb(kPlotBackground));
    PaintTiles(painter, scene);
    if (scene.track != nullptr) {
        PaintTrack(painter, scene);
    }
    QFont font = painter.font();
    font.setPixelSize(kFontSize);
    painter.setFont(font);
    PaintScaleBar(painter, view);
    PaintAttribution(painter, view, scene.attribution);
}

QImage RenderMap(const MapScene& scene) {
    QImage image(scene.view->Width(), scene.view->Height(), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintMap(painter, scene);
    painter.end();
    return image;
}
