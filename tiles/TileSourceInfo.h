#pragma once

#include <QString>
#include <QStringList>

/// A tile source as configured: where its tiles come from and what it must show.
struct TileSourceInfo {
    QString name;
    QString url;             // online: template with {z}, {x}, {y} and {s}; offline: file or folder
    QStringList subdomains;  // for {s}, taken in turn by tile
    QString attribution;
    int minZoom = 0;
    int maxZoom = 19;
    int tileSize = 256;  // pixels of the view a tile covers
    QString url2x;       // template of tiles of twice the pixels; empty: none offered
};
