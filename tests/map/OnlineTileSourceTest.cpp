#include <algorithm>
#include <memory>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "TileServer.h"
#include "map/MapView.h"
#include "tiles/OnlineTileSource.h"

namespace {

std::vector<TileId> TilesOf(const MapView& view) {
    std::vector<TileId> tiles;
    for (const TilePlacement& tile : view.Tiles()) {
        tiles.push_back(tile.id);
    }
    return tiles;
}

QSet<QString> PathsOf(const std::vector<TileId>& tiles) {
    QSet<QString> paths;
    for (const TileId& id : tiles) {
        paths.insert(QStringLiteral("/%1/%2/%3.png").arg(id.zoom).arg(id.x).arg(id.y));
    }
    return paths;
}

QSet<QString> Requested(const TileServer& server) {
    QSet<QString> paths;
    for (const TileServer::Request& request : server.requests) {
        paths.insert(request.path);
    }
    return paths;
}

}  // namespace

class OnlineTileSourceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_cache;
    std::unique_ptr<TileServer> m_server;
    std::unique_ptr<OnlineTileSource> Open(const QString& url) {
        TileSourceInfo info{QStringLiteral("Test"), url, {}, {}, 0, 19, 256, {}};
        return std::make_unique<OnlineTileSource>(info,
                                                  OnlineTileSettings{m_cache->path(), 1 << 24});
    }
    std::unique_ptr<OnlineTileSource> Open() { return Open(m_server->UrlTemplate()); }

private slots:
    void init() {  // a fresh cache and server for every test
        m_cache = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TileServer>();
    }

    void FetchesTheViewAndItsRingOnceAndPolitely() {
        m_server->maxAge = -1;  // expired when sent, six days ago: kept for a week all the same
        m_server->dateAge = 6 * 24 * 3600;
        MapView view(300, 200);
        view.SetZoom(5.0);
        view.SetCentre({0.53, 0.34});
        const std::vector<TileId> tiles = TilesOf(view);
        auto source = Open();
        QSignalSpy arrived(source.get(), &TileSource::TileArrived);
        source->Want(tiles);
        QTRY_COMPARE(arrived.size(), static_cast<qsizetype>(tiles.size()));
        QCOMPARE(Requested(*m_server), PathsOf(tiles));
        QCOMPARE(m_server->requests.size(), static_cast<qsizetype>(tiles.size()));
        QVERIFY(m_server->mostAtOnce >= 1 && m_server->mostAtOnce <= 2);
        for (const TileServer::Request& request : m_server->requests) {
            QCOMPARE(request.headers.value("user-agent"),
                     QByteArray("Pelorin/" PELORIN_VERSION_TEXT " (+" PELORIN_HOMEPAGE_TEXT ")"));
            QVERIFY(!request.headers.value("cache-control").contains("no-cache"));
            QVERIFY(!request.headers.contains("pragma"));
        }
        const TileId first = arrived.first().at(0).value<TileId>();
        QCOMPARE(arrived.first().at(1).value<QImage>().pixel(200, 200),
                 TileColour(first.zoom, first.x, first.y));
        // A second opening finds every tile in the cache and asks the server nothing.
        source.reset();
        auto again = Open();
        again->Want(tiles);
        QVERIFY(!again->IsFetching());
        QCOMPARE(again->TileNow(tiles.back()).pixel(10, 200),
                 TileColour(tiles.back().zoom, tiles.back().x, tiles.back().y));
        QCOMPARE(m_server->requests.size(), static_cast<qsizetype>(tiles.size()));
    }

    void TilesThatLeaveTheViewAreNotFetched() {
        MapView view(800, 600);
        view.SetZoom(8.0);
        const std::vector<TileId> before = TilesOf(view);
        view.SetCentre({0.2, 0.7});
        const std::vector<TileId> after = TilesOf(view);
        auto source = Open();
        // The view moves as soon as the server sees the first request.
        QMetaObject::Connection moved =
            connect(m_server.get(), &TileServer::RequestReceived, this, [&] {
                disconnect(moved);
                source->Want(after);
            });
        QSignalSpy arrived(source.get(), &TileSource::TileArrived);
        source->Want(before);
        QTRY_VERIFY(!m_server->requests.isEmpty() && !source->IsFetching());
        QCOMPARE(arrived.size(), static_cast<qsizetype>(after.size()));
        const QSet<QString> early = Requested(*m_server) - PathsOf(after);
        QVERIFY(early.size() <= 2);  // those on their way when the view moved
        QVERIFY(PathsOf(before).contains(early));
    }

    void AFailedTileWaitsBeforeItIsTriedAgain() {
        auto source = Open();
        m_server->failing.insert(QStringLiteral("/3/4/2.png"));
        QSignalSpy arrived(source.get(), &TileSource::TileArrived);
        QSignalSpy failed(source.get(), &TileSource::TileFailed);
        QSignalSpy offline(source.get(), &TileSource::WentOffline);
        source->Want({{3, 4, 2}, {3, 4, 3}});
        QTRY_COMPARE(failed.size(), 1);
        QTRY_COMPARE(arrived.size(), 1);
        source->Want({{3, 4, 2}, {3, 4, 3}, {3, 5, 3}});
        QTRY_COMPARE(arrived.size(), 2);
        source->Want({{3, 4, 2}});
        QVERIFY(!source->IsFetching());
        QCOMPARE(m_server->requests.size(), 3);
        QCOMPARE(offline.size(), 0);  // the server answered: not offline
    }

    void OfflineTheCacheServesAndSaysSoOnce() {
        m_server->dateAge = 8 * 24 * 3600;  // fetched eight days ago and expired then
        m_server->maxAge = -1;
        const std::vector<TileId> tiles{{4, 8, 5}, {4, 9, 5}};
        {
            auto source = Open();
            QSignalSpy arrived(source.get(), &TileSource::TileArrived);
            source->Want(tiles);
            QTRY_COMPARE(arrived.size(), 2);
        }
        const QString url = m_server->UrlTemplate();
        m_server.reset();  // the network is gone
        auto source = Open(url);
        QSignalSpy arrived(source.get(), &TileSource::TileArrived);
        QSignalSpy offline(source.get(), &TileSource::WentOffline);
        source->Want(tiles);
        QTRY_COMPARE(arrived.size(), 2);
        QCOMPARE(offline.size(), 1);
        for (const QList<QVariant>& tile : arrived) {
            const TileId id = tile.at(0).value<TileId>();
            QCOMPARE(tile.at(1).value<QImage>().pixel(5, 250), TileColour(id.zoom, id.x, id.y));
        }
    }
};

int RunOnlineTileSourceTest(int argc, char** argv) {
    OnlineTileSourceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OnlineTileSourceTest.moc"
