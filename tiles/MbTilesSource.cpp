#include "tiles/MbTilesSource.h"

#include <algorithm>
#include <atomic>

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

std::atomic<int> g_connections{0};

TileSourceInfo InfoOf(const QString& path) {
    TileSourceInfo info;
    info.name = QFileInfo(path).completeBaseName();
    info.url = path;
    return info;
}

}  // namespace

MbTilesSource::MbTilesSource(const QString& path, QObject* parent)
    : TileSource(InfoOf(path), parent),
      m_connection(QStringLiteral("pelorin-mbtiles-%1").arg(g_connections++)) {
    if (!QFileInfo(path).isFile()) {
        return;
    }
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    database.setDatabaseName(path);
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    m_open = database.open() && database.tables().contains(QStringLiteral("tiles"));
    if (m_open) {
        ReadMetadata();
    }
}

MbTilesSource::~MbTilesSource() {
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

void MbTilesSource::ReadMetadata() {
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlQuery range(QStringLiteral("SELECT MIN(zoom_level), MAX(zoom_level) FROM tiles"), database);
    if (range.next() && !range.value(1).isNull()) {
        m_info.minZoom = std::clamp(range.value(0).toInt(), 0, 24);
        m_info.maxZoom = std::clamp(range.value(1).toInt(), m_info.minZoom, 24);
    }
    QSqlQuery metadata(QStringLiteral("SELECT name, value FROM metadata"), database);
    while (metadata.next()) {
        const QString name = metadata.value(0).toString();
        const QString value = metadata.value(1).toString();
        if (name == QLatin1String("name") && !value.isEmpty()) {
            m_info.name = value;
        } else if (name == QLatin1String("attribution")) {
            m_info.attribution = value;
        }
    }
}

QImage MbTilesSource::TileNow(const TileId& id) {
    if (!m_open || id.zoom < 0 || id.zoom > 24) {
        return {};
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // A blob beyond any tile's size is not read at all.
    query.prepare(
        QStringLiteral("SELECT CASE WHEN length(tile_data) <= 8388608 THEN tile_data END "
                       "FROM tiles WHERE zoom_level = ? AND tile_column = ? AND "
                       "tile_row = ?"));
    query.addBindValue(id.zoom);
    query.addBindValue(id.x);
    query.addBindValue((1 << id.zoom) - 1 - id.y);  // rows count from the south
    if (!query.exec() || !query.next()) {
        return {};
    }
    return DecodeTile(query.value(0).toByteArray());
}
