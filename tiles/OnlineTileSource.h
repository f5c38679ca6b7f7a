#pragma once

#include <deque>
#include <vector>

#include <QDateTime>
#include <QHash>
#include <QNetworkAccessManager>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUrl>

#include "tiles/TileSource.h"

class QNetworkDiskCache;
class QNetworkReply;

/// Where and how an online source keeps and fetches its tiles.
struct OnlineTileSettings {
    QString cacheFolder;                      // the HTTP disk cache; empty: the user's
    qint64 cacheBytes = 500LL * 1024 * 1024;  // its size
    bool network = true;                      // false: the disk cache only
    bool highDpi = false;                     // the @2x tiles, where the source offers them
};

/// The user's cache folder for tiles, and the cache size the user set: the "map/cacheMegabytes"
/// key of pelorin.conf in the configuration folder, 500 MB without one.
OnlineTileSettings UserTileSettings();

/// Tiles of a tile server, fetched as tile servers' usage policies ask: Pelorin's own
/// User-Agent, an HTTP disk cache that honours the server's expiry yet keeps a tile at least
/// seven days, at most two requests at a time to a host, only the tiles a view wants (no
/// bulk download), requests cancelled once their tiles are no longer wanted, and a failed tile
/// tried again only after a growing pause. Without network the cached tiles serve.
class OnlineTileSource : public TileSource {
    Q_OBJECT

public:
    static constexpr int kRequestsPerHost = 2;
    static constexpr int kMaxWanted = 400;  // tiles of one view; a larger one is not fetched whole

    OnlineTileSource(TileSourceInfo info, OnlineTileSettings settings, QObject* parent = nullptr);
    ~OnlineTileSource() override;

    QImage TileNow(const TileId& id) override;
    void Want(const std::vector<TileId>& tiles) override;
    bool IsFetching() const override;

    /// The User-Agent of every request: Pelorin/<version> (+<homepage>).
    static QString UserAgent();
    QUrl UrlOf(const TileId& id) const;

private:
    struct Host {
        int inFlight = 0;
        std::deque<TileId> queue;
    };
    struct Failure {
        int count = 0;
        QDateTime retryAfter;
    };

    /// True when the cached tile is fresh or younger than a week; remembered until it is not.
    bool IsCurrent(const TileId& id, const QUrl& url);
    void Start(const QString& host);
    void OnFinished(QNetworkReply* reply, TileId id, const QString& hostName);
    void NoteFailure(const TileId& id);
    /// Wants the last tiles again once the first pause of a wanted failed tile is over.
    void ScheduleRetry();
    QImage CachedImage(const QUrl& url) const;

    OnlineTileSettings m_settings;
    QNetworkAccessManager m_network;
    QNetworkDiskCache* m_cache = nullptr;  // owned by m_network
    QHash<QString, Host> m_hosts;
    QHash<quint64, QNetworkReply*> m_inFlight;
    QHash<quint64, Failure> m_failures;
    QHash<quint64, QDateTime> m_currentUntil;  // tiles known current, without reading the cache
    QSet<quint64> m_wanted;
    std::vector<TileId> m_lastWanted;
    QTimer m_retry;
    bool m_offline = false;
};
