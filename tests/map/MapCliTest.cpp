#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "TileServer.h"
#include "map/MapView.h"

namespace {

constexpr int kZoom = 12;
const LatLon kStart{46.5, 8.0};
const LatLon kEnd{46.51, 8.02};

void WriteTrack(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
        "<trk><trkseg>"
        "<trkpt lat=\"46.5\" lon=\"8.0\"><time>2023-07-15T06:00:00Z</time></trkpt>"
        "<trkpt lat=\"46.505\" lon=\"8.01\"><time>2023-07-15T06:10:00Z</time></trkpt>"
        "<trkpt lat=\"46.51\" lon=\"8.02\"><time>2023-07-15T06:20:00Z</time></trkpt>"
        "</trkseg></trk></gpx>\n");
}

/// Plain tiles of the zoom level around the track, and the folder's attribution.
void WriteTiles(const QString& folder) {
    const TileId centre = TileAt(kStart.latitude, kStart.longitude, kZoom);
    for (int x = centre.x - 3; x <= centre.x + 3; ++x) {
        QDir().mkpath(QStringLiteral("%1/%2/%3").arg(folder).arg(kZoom).arg(x));
        for (int y = centre.y - 3; y <= centre.y + 3; ++y) {
            QImage tile(256, 256, QImage::Format_RGB32);
            tile.fill(TileColour(kZoom, x, y));
            tile.save(QStringLiteral("%1/%2/%3/%4.png").arg(folder).arg(kZoom).arg(x).arg(y));
        }
    }
    QFile metadata(folder + QStringLiteral("/metadata.json"));
    QVERIFY(metadata.open(QIODevice::WriteOnly));
    metadata.write("{\"attribution\": \"Generated tiles\"}");
}

}  // namespace

class MapCliTest : public QObject {
    Q_OBJECT

private slots:
    void MapOfATileFolder() {
        QTemporaryDir dir;
        WriteTrack(dir.filePath(QStringLiteral("walk.gpx")));
        WriteTiles(dir.filePath(QStringLiteral("tiles")));
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), dir.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(PELORIN_CLI),
                  {QStringLiteral("--map"), dir.filePath(QStringLiteral("map.png")),
                   QStringLiteral("--tiles"), dir.filePath(QStringLiteral("tiles")),
                   QStringLiteral("--size"), QStringLiteral("400x300"),
                   dir.filePath(QStringLiteral("walk.gpx"))});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QImage map(dir.filePath(QStringLiteral("map.png")));
        QCOMPARE(map.size(), QSize(400, 300));
        // The map as the tool fits it; well above the track lies a known tile.
        MapView view(400, 300);
        view.SetZoomRange(kZoom, kZoom);
        const WorldPoint start = ToWorld(kStart.latitude, kStart.longitude);
        const WorldPoint end = ToWorld(kEnd.latitude, kEnd.longitude);
        view.FitTo({start.x, end.y, end.x, start.y});
        const WorldPoint above = view.ToWorld(200, 40);
        const int x = static_cast<int>(above.x * (1 << kZoom));
        const int y = static_cast<int>(above.y * (1 << kZoom));
        QCOMPARE(map.pixel(200, 40), TileColour(kZoom, x, y));
        const WorldPoint corner = view.ToWorld(399, 299);
        const QRgb under = TileColour(kZoom, static_cast<int>(corner.x * (1 << kZoom)),
                                      static_cast<int>(corner.y * (1 << kZoom)));
        const QRgb attribution = map.pixel(399, 299);  // a light panel over the tile
        QVERIFY(attribution != under);
        QVERIFY(qRed(attribution) >= qRed(under) && qGreen(attribution) >= qGreen(under)
                && qBlue(attribution) >= qBlue(under) && qGray(attribution) > 200);
        // No other map was drawn by mistake: the scale bar's corner is also light.
        QVERIFY(qGray(map.pixel(5, 295)) > 200);
    }
};

int RunMapCliTest(int argc, char** argv) {
    MapCliTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MapCliTest.moc"
