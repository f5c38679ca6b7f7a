#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "TileServer.h"
#include "tiles/FolderTileSource.h"
#include "tiles/MapRenderer.h"
#include "tiles/MbTilesSource.h"
#include "tiles/TileSourceList.h"

namespace {

constexpr int kZoom = 3;
const char* const kFormats[] = {"PNG", "JPEG", "WEBP"};  // taken in turn by tile

QByteArray Encoded(int x, int y) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    GeneratedTile(kZoom, x, y).save(&buffer, kFormats[(x + y) % 3], 100);
    return bytes;
}

/// An MBTiles file of every tile of the zoom level, rows counted from the south.
void WriteMbTiles(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE metadata (name TEXT, value TEXT)")));
        QVERIFY(
            query.exec(QStringLiteral("INSERT INTO metadata VALUES ('name', 'Generated'), "
                                      "('format', 'png'), ('attribution', 'Test data')")));
        QVERIFY(
            query.exec(QStringLiteral("CREATE TABLE tiles (zoom_level INTEGER, tile_column "
                                      "INTEGER, tile_row INTEGER, tile_data BLOB)")));
        for (int x = 0; x < (1 << kZoom); ++x) {
            for (int y = 0; y < (1 << kZoom); ++y) {
                query.prepare(QStringLiteral("INSERT INTO tiles VALUES (?, ?, ?, ?)"));
                query.addBindValue(kZoom);
                query.addBindValue(x);
                query.addBindValue((1 << kZoom) - 1 - y);
                query.addBindValue(Encoded(x, y));
                QVERIFY(query.exec());
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
}

void WriteFolder(const QString& folder) {
    for (int x = 0; x < (1 << kZoom); ++x) {
        QDir().mkpath(QStringLiteral("%1/%2/%3").arg(folder).arg(kZoom).arg(x));
        for (int y = 0; y < (1 << kZoom); ++y) {
            GeneratedTile(kZoom, x, y)
                .save(QStringLiteral("%1/%2/%3/%4.png").arg(folder).arg(kZoom).arg(x).arg(y));
        }
    }
}

bool Near(QRgb a, QRgb b) {  // JPEG and WebP may move a channel by a step or two
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3
           && std::abs(qBlue(a) - qBlue(b)) <= 3;
}

/// The map of the source centred on a place: the pixel under it comes from the place's tile.
void CheckPlaces(TileSource& source) {
    QCOMPARE(source.Info().maxZoom, kZoom);
    for (const LatLon place :
         {LatLon{60.17, 24.94}, LatLon{-33.87, 151.21}, LatLon{40.71, -74.0}}) {
        MapView view(300, 300);
        view.SetZoomRange(source.Info().minZoom, source.Info().maxZoom);
        view.SetZoom(kZoom);
        view.SetCentre(ToWorld(place.latitude, place.longitude));
        MapScene scene;
        scene.view = &view;
        scene.tile = [&](const TileId& id) {
            return source.TileNow(id);
        };
        const QImage map = RenderMap(scene);
        const TileId tile = TileAt(place.latitude, place.longitude, kZoom);
        QVERIFY2(Near(map.pixel(150, 150), TileColour(kZoom, tile.x, tile.y)),
                 qPrintable(QStringLiteral("%1 %2").arg(tile.x).arg(tile.y)));
    }
}

}  // namespace

class OfflineTileSourceTest : public QObject {
    Q_OBJECT

private slots:
    void ConfiguredSourcesMergeByName() {
        QFile file(QStringLiteral(PELORIN_SOURCE_DIR "/res/tile-sources.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::vector<TileSourceInfo> installed = ParseTileSources(file.readAll());
        QCOMPARE(installed.size(), 2u);
        QCOMPARE(installed[0].url,
                 QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"));
        QCOMPARE(installed[0].maxZoom, 19);
        QCOMPARE(installed[1].subdomains, QStringList({"a", "b", "c"}));
        QCOMPARE(installed[1].maxZoom, 17);
        const std::vector<TileSourceInfo> user = ParseTileSources(
            "[{\"name\": \"OpenTopoMap\", \"url\": \"https://topo.example/{z}/{x}/{y}.png\"},"
            " {\"name\": \"Mine\", \"url\": \"https://mine.example/{z}/{x}/{y}.png\","
            "  \"maxZoom\": 99}, {\"url\": \"nameless\"}, 7]");
        const std::vector<TileSourceInfo> merged = MergeTileSources(installed, user);
        QCOMPARE(merged.size(), 3u);
        QCOMPARE(merged[1].url, QStringLiteral("https://topo.example/{z}/{x}/{y}.png"));
        QCOMPARE(merged[2].maxZoom, 24);  // beyond, tile numbers outgrow their key
        QString error;
        QVERIFY(ParseTileSources("{", &error).empty() && !error.isEmpty());
    }

    void MbTilesRowsCountFromTheSouth() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("generated.mbtiles"));
        WriteMbTiles(path);
        MbTilesSource source(path);
        QVERIFY(source.IsOpen());
        QCOMPARE(source.Info().name, QStringLiteral("Generated"));
        QCOMPARE(source.Info().attribution, QStringLiteral("Test data"));
        CheckPlaces(source);
        QVERIFY(MbTilesSource(dir.filePath(QStringLiteral("missing.mbtiles")))
                    .TileNow({3, 0, 0})
                    .isNull());
    }

    void FolderRowsCountFromTheNorth() {
        QTemporaryDir dir;
        WriteFolder(dir.path());
        FolderTileSource source(dir.path());
        CheckPlaces(source);
        QVERIFY(source.TileNow({4, 0, 0}).isNull());
    }
};

int RunOfflineTileSourceTest(int argc, char** argv) {
    OfflineTileSourceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OfflineTileSourceTest.moc"
