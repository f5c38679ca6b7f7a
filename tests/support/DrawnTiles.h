#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include "tiles/TileSource.h"

/// Tiles drawn on the spot, as an offline map gives them: pale land, a faint grid and each
/// tile's z/x/y; no map data, for pictures and benchmarks without a network.
class DrawnTiles : public TileSource {
public:
    DrawnTiles() : TileSource(Info()) {}
    QImage TileNow(const TileId& id) override {
        QImage image(256, 256, QImage::Format_RGB32);
        image.fill(qRgb(236, 234, 224));
        QPainter painter(&image);
        painter.setPen(QColor(214, 210, 196));
        for (int at = 0; at < 256; at += 64) {
            painter.drawLine(at, 0, at, 255);
            painter.drawLine(0, at, 255, at);
        }
        painter.setPen(QColor(160, 156, 140));
        painter.drawText(QRect(6, 4, 240, 20), Qt::AlignLeft,
                         QStringLiteral("%1/%2/%3").arg(id.zoom).arg(id.x).arg(id.y));
        return image;
    }

private:
    static TileSourceInfo Info() {
        TileSourceInfo info;
        info.name = QStringLiteral("Generated");
        info.attribution = QStringLiteral("Generated tiles, no map data");
        return info;
    }
};
