#include "tiles/OnlineTileSource.h"

#include <algorithm>
#include <memory>

#include <QLocale>
#include <QNetworkCacheMetaData>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QStandardPaths>
#include <QTimeZone>
#include <QTimer>

#ifndef PELORIN_HOMEPAGE
#define PELORIN_HOMEPAGE ""  // built inside another project: no homepage to name
#endif

namespace {

constexpr qint64 kKeepSeconds = 7 * 24 * 3600;  // a cached tile serves this long, expired or not
constexpr qint64 kFirstPause = 30;              // seconds before a failed tile is tried again
constexpr qint64 kLongestPause = 3600;          // seconds
constexpr int kTransferTimeout = 30000;         // milliseconds without a byte
constexpr qint64 kMaxTileBytes = 8 << 20;
const char kCancelled[] = "pelorinCancelled";

/// An HTTP date, "Sun, 06 Nov 1994 08:49:37 GMT".
QDateTime HttpDate(const QByteArray& text) {
    QDateTime date = QLocale::c().toDateTime(QString::fromLatin1(text.trimmed()),
                                             QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    date.setTimeZone(QTimeZone::utc());
    return date;
}

/// When the cached response was sent, by its Date header; invalid without one.
QDateTime FetchedAt(const QNetworkCacheMetaData& metaData) {
    for (const auto& [name, value] : metaData.rawHeaders()) {
        if (name.compare("date", Qt::CaseInsensitive) == 0) {
            return HttpDate(value);
        }
    }
    return {};
}

}  // namespace

OnlineTileSettings UserTileSettings() {
    OnlineTileSettings settings;
    settings.cacheFolder =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/tiles");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QSettings file(config + QStringLiteral("/pelorin.conf"), QSettings::IniFormat);
    bool ok = false;
    const qint64 megabytes = file.value(QStringLiteral("map/cacheMegabytes")).toLongLong(&ok);
    if (ok && megabytes >= 10 && megabytes <= 1000000) {
        settings.cacheBytes = megabytes * 1024 * 1024;
    }
    return settings;
}

OnlineTileSource::OnlineTileSource(TileSourceInfo info, OnlineTileSettings settings,
                                   QObject* parent)
    : TileSource(std::move(info), parent), m_settings(std::move(settings)) {
    if (m_settings.cacheFolder.isEmpty()) {
        m_settings.cacheFolder = UserTileSettings().cacheFolder;
    }
    m_cache = new QNetworkDiskCache(&m_network);
    m_cache->setCacheDirectory(m_settings.cacheFolder);
    m_cache->setMaximumCacheSize(m_settings.cacheBytes);
    m_network.setCache(m_cache);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] { Want(m_lastWanted); });
}

OnlineTileSource::~OnlineTileSource() {
    Want({});
}

QString OnlineTileSource::UserAgent() {
    const QString homepage = QStringLiteral(PELORIN_HOMEPAGE);
    return QStringLiteral("Pelorin/") + QStringLiteral(PELORIN_VERSION)
           + (homepage.isEmpty() ? QString() : QStringLiteral(" (+") + homepage + u')');
}

QUrl OnlineTileSource::UrlOf(const TileId& id) const {
    QString text = m_settings.highDpi && !m_info.url2x.isEmpty() ? m_info.url2x : m_info.url;
    text.replace(QLatin1String("{z}"), QString::number(id.zoom));
    text.replace(QLatin1String("{x}"), QString::number(id.x));
    text.replace(QLatin1String("{y}"), QString::number(id.y));
    if (!m_info.subdomains.isEmpty()) {
        const qsizetype count = m_info.subdomains.size();
        text.replace(QLatin1String("{s}"),
                     m_info.subdomains[(static_cast<qsizetype>(id.x) + id.y) % count]);
    }
    return QUrl(text);
}

QImage OnlineTileSource::CachedImage(const QUrl& url) const {
    const std::unique_ptr<QIODevice> data(m_cache->data(url));
    if (!data || data->size() > kMaxTileBytes) {
        return {};
    }
    return DecodeTile(data->readAll());
}

QImage OnlineTileSource::TileNow(const TileId& id) {
    return CachedImage(UrlOf(id));
}

bool OnlineTileSource::IsCurrent(const TileId& id, const QUrl& url) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const auto known = m_currentUntil.constFind(TileKey(id));
    if (known != m_currentUntil.cend() && *known > now) {
        return true;
    }
    const QNetworkCacheMetaData metaData = m_cache->metaData(url);
    if (!metaData.isValid()) {
        return false;
    }
    const QDateTime fetched = FetchedAt(metaData);
    const QDateTime kept = fetched.isValid() ? fetched.addSecs(kKeepSeconds) : QDateTime();
    const QDateTime expires = metaData.expirationDate();
    const QDateTime until =
        !expires.isValid() || (kept.isValid() && kept > expires) ? kept : expires;
    if (!until.isValid() || until <= now) {
        return false;
    }
    m_currentUntil.insert(TileKey(id), until);
    return true;
}

void OnlineTileSource::Want(const std::vector<TileId>& tiles) {
    m_lastWanted.assign(tiles.begin(),
                        tiles.begin() + std::min<std::size_t>(tiles.size(), kMaxWanted));
    m_wanted.clear();
    for (const TileId& id : m_lastWanted) {
        m_wanted.insert(TileKey(id));
    }
    std::vector<QNetworkReply*> unwanted;
    for (auto it = m_inFlight.cbegin(); it != m_inFlight.cend(); ++it) {
        if (!m_wanted.contains(it.key())) {
            unwanted.push_back(it.value());
        }
    }
    for (Host& host : m_hosts) {
        std::erase_if(host.queue,
                      [this](const TileId& id) { return !m_wanted.contains(TileKey(id)); });
    }
    // After the queues: an aborted reply finishes at once and starts the next queued tile.
    for (QNetworkReply* reply : unwanted) {
        reply->setProperty(kCancelled, true);
        reply->abort();
    }
    if (!m_settings.network) {
        return;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QSet<QString> hosts;
    for (const TileId& id : m_lastWanted) {
        const quint64 key = TileKey(id);
        const auto failure = m_failures.constFind(key);
        const QUrl url = UrlOf(id);
        Host& host = m_hosts[url.host()];
        if (m_inFlight.contains(key)
            || std::find(host.queue.begin(), host.queue.end(), id) != host.queue.end()
            || (failure != m_failures.cend() && failure->retryAfter > now) || IsCurrent(id, url)) {
            continue;
        }
        host.queue.push_back(id);
        hosts.insert(url.host());
    }
    for (const QString& host : hosts) {
        Start(host);
    }
    ScheduleRetry();
}

bool OnlineTileSource::IsFetching() const {
    return !m_inFlight.isEmpty()
           || std::any_of(m_hosts.cbegin(), m_hosts.cend(),
                          [](const Host& host) { return !host.queue.empty(); });
}

void OnlineTileSource::Start(const QString& hostName) {
    Host& host = m_hosts[hostName];
    while (host.inFlight < kRequestsPerHost && !host.queue.empty()) {
        const TileId id = host.queue.front();
        host.queue.pop_front();
        QNetworkRequest request(UrlOf(id));
        request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent());
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::PreferNetwork);
        request.setTransferTimeout(kTransferTimeout);
        QNetworkReply* reply = m_network.get(request);
        ++host.inFlight;
        m_inFlight.insert(TileKey(id), reply);
        connect(reply, &QNetworkReply::finished, this,
                [this, reply, id, hostName] { OnFinished(reply, id, hostName); });
    }
}

void OnlineTileSource::OnFinished(QNetworkReply* reply, TileId id, const QString& hostName) {
    reply->deleteLater();
    m_inFlight.remove(TileKey(id));
    --m_hosts[hostName].inFlight;
    if (!reply->property(kCancelled).toBool()) {
        const bool fromServer =
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        QImage image;
        if (reply->error() == QNetworkReply::NoError) {
            image = DecodeTile(reply->read(kMaxTileBytes));
        }
        if (!image.isNull()) {
            m_failures.remove(TileKey(id));
            m_currentUntil.insert(TileKey(id),
                                  QDateTime::currentDateTimeUtc().addSecs(kKeepSeconds));
            m_offline = false;
            emit TileArrived(id, image);
        } else {
            NoteFailure(id);
            if (!fromServer && !m_offline) {
                m_offline = true;
                emit WentOffline();
            }
            image = CachedImage(reply->request().url());
            if (!image.isNull()) {
                emit TileArrived(id, image);  // out of date, yet better than none
            } else {
                emit TileFailed(id);
            }
        }
    }
    Start(hostName);
}

void OnlineTileSource::NoteFailure(const TileId& id) {
    Failure& failure = m_failures[TileKey(id)];
    failure.count = std::min(failure.count + 1, 16);
    const qint64 pause = std::min(kFirstPause << (failure.count - 1), kLongestPause);
    failure.retryAfter = QDateTime::currentDateTimeUtc().addSecs(pause);
    ScheduleRetry();
}

void OnlineTileSource::ScheduleRetry() {
    QDateTime first;
    for (const TileId& id : m_lastWanted) {
        const auto failure = m_failures.constFind(TileKey(id));
        if (failure != m_failures.cend() && (!first.isValid() || failure->retryAfter < first)) {
            first = failure->retryAfter;
        }
    }
    if (!first.isValid()) {
        m_retry.stop();
        return;
    }
    const qint64 wait = std::max<qint64>(QDateTime::currentDateTimeUtc().msecsTo(first), 0) + 1000;
    if (!m_retry.isActive() || m_retry.remainingTime() > wait) {
        m_retry.start(static_cast<int>(wait));
    }
}
