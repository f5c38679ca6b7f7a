#include <cmath>
#include <vector>

#include <QTest>

#include "TileServer.h"
#include "tiles/MapRenderer.h"
#include "tiles/MapTrackLayer.h"

class MapRendererTest : public QObject {
    Q_OBJECT

private slots:
    void TheLayerGivesTheTrackAsDrawnDirectly() {
        std::vector<TrackPoint> points(20000);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double t = static_cast<double>(i);
            points[i].state =
                i == 0 ? StateRunStart : StateLevel + static_cast<int32_t>(i / 50 % 5);
            points[i].flags = i / 700 % 9 == 0 ? FlagFastest : 0;
            points[i].longitude = 8.0 + 0.02 * std::sin(t / 3000.0) + 1e-5 * std::sin(t);
            points[i].latitude = 46.5 + 0.01 * std::cos(t / 2000.0);
        }
        MapTrack track(points.data(), points.size());
        MapView view(401, 301);  // odd sizes: the layer must not shift by half a pixel
        view.SetZoomRange(0.0, 19.0);
        view.FitTo(*track.Box());
        view.SetZoom(view.Zoom() + 1.0);
        MapTrackLayer layer;
        layer.Begin(track, view);
        int steps = 0;
        while (!layer.Step(1000)) {
            ++steps;
        }
        QVERIFY(steps > 5);
        MapScene scene;
        scene.view = &view;
        scene.track = &track;
        scene.tile = [](const TileId& id) {
            return GeneratedTile(id.zoom, id.x, id.y);
        };
        scene.range = {{5000, 9000}};
        for (const QPointF drag : {QPointF(0, 0), QPointF(37, -21), QPointF(-150, 90)}) {
            view.Pan(drag.x(), drag.y());
            QVERIFY(layer.Covers(view));
            scene.layer = &layer;
            const QImage fromLayer = RenderMap(scene);
            scene.layer = nullptr;
            QCOMPARE(fromLayer, RenderMap(scene));
        }
        view.Pan(402, 0);  // half a view more: beyond the layer
        QVERIFY(!layer.Covers(view));
    }
};

int RunMapRendererTest(int argc, char** argv) {
    MapRendererTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MapRendererTest.moc"
