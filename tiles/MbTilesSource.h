#pragma once

#include <QString>

#include "tiles/TileSource.h"

/// Tiles in an MBTiles file: an SQLite database with a table tiles (zoom_level, tile_column,
/// tile_row, tile_data) whose rows count from the south (TMS numbering, y flipped) and a table
/// metadata of name and value pairs, of which name, attribution, minzoom and maxzoom are read.
/// Its format entry is not needed: each tile's bytes tell. The file is opened read-only.
class MbTilesSource : public TileSource {
public:
    explicit MbTilesSource(const QString& path, QObject* parent = nullptr);
    ~MbTilesSource() override;

    /// False when the file is no MBTiles database Qt's SQLite driver could open.
    bool IsOpen() const { return m_open; }
    QImage TileNow(const TileId& id) override;

private:
    void ReadMetadata();

    QString m_connection;  // the name of this source's database connection
    bool m_open = false;
};
