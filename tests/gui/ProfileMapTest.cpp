// The map in the profile window: tiles of an offline map drawn as pelorin-cli --map draws them,
// the plan view without a source or server, the mouse and the keys, the source remembered.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "gui/GuiTestSupport.h"
#include "tiles/TileSourceList.h"

namespace {

constexpr int kZoom = 14;

/// A folder of plain tiles around the track's start, of one shade per folder.
QString WriteTiles(const QTemporaryDir& dir, const QString& name, int shade) {
    const QString folder = dir.filePath(name);
    const TileId centre = TileAt(46.0, 8.0, kZoom);
    for (int x = centre.x - 4; x <= centre.x + 4; ++x) {
        QDir().mkpath(QStringLiteral("%1/%2/%3").arg(folder).arg(kZoom).arg(x));
        for (int y = centre.y - 6; y <= centre.y + 4; ++y) {
            QImage tile(256, 256, QImage::Format_RGB32);
            tile.fill(qRgb(shade, 100 + (x * 37) % 150, 100 + (y * 53) % 150));
            tile.save(QStringLiteral("%1/%2/%3/%4.png").arg(folder).arg(kZoom).arg(x).arg(y));
        }
    }
    QFile metadata(folder + QStringLiteral("/metadata.json"));
    metadata.open(QIODevice::WriteOnly);
    metadata.write("{\"attribution\": \"Generated tiles\"}");
    return folder;
}

}  // namespace

class ProfileMapTest : public QObject {
    Q_OBJECT

private slots:
    void offlineMapShowsTheTrackAsTheToolDrawsItAndTheMouseMovesTheCursor() {
        WindowDriver w;
        TempFile file(PltText("Hill").Leg(40, 20, 2, 10).Text());
        QVERIFY(w.Load(file.Path()));
        w.dlg.OnShowProfile();
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        CMapArea& map = profile.m_mapArea;
        QVERIFY(!map.ShowsMap());  // no source: the plan view as ever
        QVERIFY(map.isHidden() && profile.m_planArea.isVisible());

        const QTemporaryDir dir;
        const QString tiles = WriteTiles(dir, QStringLiteral("tiles"), 200);
        QVERIFY(map.AddOfflineMap(tiles));
        QVERIFY(map.ShowsMap() && map.isVisible());
        QCOMPARE(map.size(), profile.m_planArea.size());
        map.FinishTrack();
        const QImage shown = map.grab().toImage().convertToFormat(QImage::Format_RGB32);

        QProcess cli;
        const QString png = dir.filePath(QStringLiteral("map.png"));
        cli.start(
            QStringLiteral(PELORIN_CLI),
            {QStringLiteral("--map"), png, QStringLiteral("--tiles"), tiles,
             QStringLiteral("--size"), QStringLiteral("%1x%2").arg(map.width()).arg(map.height()),
             QString::fromStdString(file.Path())});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        // Tiles, track, markers, scale bar and attribution, pixel for pixel.
        QVERIFY(shown == QImage(png).convertToFormat(QImage::Format_RGB32));

        const TrackPoint& point = profile.Points()[15];
        const PlotPoint at = map.View().PixelOf(ToWorld(point.latitude, point.longitude));
        const QPointF near(at.x + 2, at.y);
        QMouseEvent move(QEvent::MouseMove, near, map.mapToGlobal(near), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&map, &move);
        QCOMPARE(profile.Cursor(), std::optional<std::size_t>(15));

        const double fitted = map.View().Zoom();
        QWheelEvent wheel(near, map.mapToGlobal(near), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&map, &wheel);
        QCOMPARE(map.View().Zoom(), fitted - 1.0);
        QTest::keyClick(&map, Qt::Key_Escape);
        QCOMPARE(map.View().Zoom(), fitted);
    }

    // A tile server that cannot be reached: the plan view, and the map notes it is offline.
    void unreachableServerLeavesThePlanView() {
        const QString list = UserTileSourcesPath();
        QDir().mkpath(QFileInfo(list).path());
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[{\"name\": \"Closed\", \"url\": \"http://127.0.0.1:9/{z}/{x}/{y}.png\"}]");
        file.close();
        struct Remove {
            QString path;
            ~Remove() { QFile::remove(path); }
        } remove{list};
        WindowDriver w;
        TempFile track(PltText("Hill").Leg(40, 20, 2, 10).Text());
        QVERIFY(w.Load(track.Path()));
        w.dlg.OnShowProfile();
        const CMapArea& map = w.dlg.m_profileWnd->m_mapArea;
        QCOMPARE(map.SourceKey(), QStringLiteral("Closed"));
        QTRY_VERIFY(map.SaysOffline());
        QVERIFY(!map.ShowsMap() && w.dlg.m_profileWnd->m_planArea.isVisible());
    }

    void theChosenSourceIsRemembered() {
        WindowDriver w;
        TempFile file(PltText("Hill").Leg(40, 20, 2, 10).Text());
        QVERIFY(w.Load(file.Path()));
        w.dlg.OnShowProfile();
        const QTemporaryDir dir;
        const QString first = WriteTiles(dir, QStringLiteral("first"), 10);
        const QString second = WriteTiles(dir, QStringLiteral("second"), 250);
        QVERIFY(!w.dlg.m_profileWnd->m_mapArea.AddOfflineMap(dir.filePath(QStringLiteral("no"))));
        QVERIFY(w.dlg.m_profileWnd->m_mapArea.AddOfflineMap(first));
        QVERIFY(w.dlg.m_profileWnd->m_mapArea.AddOfflineMap(second));
        w.dlg.m_profileWnd->m_mapArea.ChooseSource(first);
        w.dlg.m_profileWnd.reset();
        w.dlg.OnShowProfile();
        const CMapArea& map = w.dlg.m_profileWnd->m_mapArea;
        QCOMPARE(map.SourceKey(), first);
        QCOMPARE(map.SourceKeys(), QStringList({first, second}));
        QVERIFY(map.ShowsMap());
    }
};

int RunProfileMapTest(int argc, char** argv) {
    ProfileMapTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProfileMapTest.moc"
