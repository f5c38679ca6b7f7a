#pragma once

#include <utility>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QObject>

#include "map/Mercator.h"
#include "tiles/TileSourceInfo.h"

Q_DECLARE_METATYPE(TileId)

/// One number per tile of any zoom level, for hashing.
inline quint64 TileKey(const TileId& id) {
    return (static_cast<quint64>(id.zoom) << 58) | (static_cast<quint64>(id.x) << 29)
           | static_cast<quint64>(id.y);
}

/// The tile image of encoded bytes (PNG, JPEG, WebP, whatever Qt reads here); null when the
/// bytes are no image or an unreasonably large one.
QImage DecodeTile(const QByteArray& bytes);

/// Where map tiles come from: a tile server, an MBTiles file or a folder of tiles.
class TileSource : public QObject {
    Q_OBJECT

public:
    explicit TileSource(TileSourceInfo info, QObject* parent = nullptr)
        : QObject(parent), m_info(std::move(info)) {}

    const TileSourceInfo& Info() const { return m_info; }

    /// The tile as far as it can be had without waiting: from the file, the folder or the
    /// disk cache, however old; null when there is none.
    virtual QImage TileNow(const TileId& id) = 0;
    /// The tiles a view needs now, the visible ones first. Those that are missing or out of
    /// date are fetched where the source fetches, and arrive by TileArrived; tiles asked for
    /// before and not now are no longer wanted.
    virtual void Want(const std::vector<TileId>& tiles) { static_cast<void>(tiles); }
    /// True while tiles asked for are on their way.
    virtual bool IsFetching() const { return false; }

signals:
    /// A tile fetched for Want.
    void TileArrived(TileId id, QImage image);
    /// A tile asked for by Want that could not be had; it is tried again later.
    void TileFailed(TileId id);
    /// The network could not be reached; said once until it can be again.
    void WentOffline();

protected:
    TileSourceInfo m_info;
};
