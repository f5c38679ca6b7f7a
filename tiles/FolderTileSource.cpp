#include "tiles/FolderTileSource.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr qint64 kMaxTileFileBytes = 8 << 20;

/// A zoom level's folder name as a number; -1 when it is none.
int ZoomOfName(const QString& name) {
    bool ok = false;
    const int zoom = name.toInt(&ok);
    return ok && zoom >= 0 && zoom <= 24 && name == QString::number(zoom) ? zoom : -1;
}

}  // namespace

FolderTileSource::FolderTileSource(const QString& folder, QObject* parent)
    : TileSource(InfoOf(folder), parent), m_folder(folder) {}

TileSourceInfo FolderTileSource::InfoOf(const QString& folder) {
    TileSourceInfo info;
    info.name = QFileInfo(folder).fileName();
    info.url = folder;
    info.minZoom = 24;
    info.maxZoom = 0;
    for (const QString& name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (const int zoom = ZoomOfName(name); zoom >= 0) {
            info.minZoom = std::min(info.minZoom, zoom);
            info.maxZoom = std::max(info.maxZoom, zoom);
        }
    }
    info.minZoom = std::min(info.minZoom, info.maxZoom);
    QFile metadata(folder + QStringLiteral("/metadata.json"));
    if (metadata.open(QIODevice::ReadOnly)) {
        const QJsonObject object = QJsonDocument::fromJson(metadata.read(1 << 20)).object();
        info.name = object.value(QLatin1String("name")).toString(info.name);
        info.attribution = object.value(QLatin1String("attribution")).toString();
        info.minZoom =
            std::clamp(object.value(QLatin1String("minzoom")).toInt(info.minZoom), 0, 24);
        info.maxZoom = std::clamp(object.value(QLatin1String("maxzoom")).toInt(info.maxZoom),
                                  info.minZoom, 24);
    }
    return info;
}

QImage FolderTileSource::TileNow(const TileId& id) {
    const QString stem =
        QStringLiteral("%1/%2/%3/%4").arg(m_folder).arg(id.zoom).arg(id.x).arg(id.y);
    for (const char* extension : {".png", ".jpg", ".jpeg", ".webp"}) {
        QFile file(stem + QLatin1String(extension));
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxTileFileBytes) {
            return DecodeTile(file.readAll());
        }
    }
    return {};
}
