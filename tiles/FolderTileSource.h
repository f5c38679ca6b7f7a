#pragma once

#include <QString>

#include "tiles/TileSource.h"

/// Tiles in a folder laid out {z}/{x}/{y}.png (or .jpg, .jpeg, .webp), XYZ numbering. The
/// folder's name names the source; a metadata.json in it may give "name", "attribution",
/// "minzoom" and "maxzoom", otherwise the zoom levels are the numbered folders found.
class FolderTileSource : public TileSource {
public:
    explicit FolderTileSource(const QString& folder, QObject* parent = nullptr);

    QImage TileNow(const TileId& id) override;

private:
    static TileSourceInfo InfoOf(const QString& folder);

    QString m_folder;
};
