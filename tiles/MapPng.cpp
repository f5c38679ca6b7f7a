#include "tiles/MapPng.h"

#include <clocale>
#include <memory>

#include <QEventLoop>
#include <QGuiApplication>
#include <QHash>
#include <QTimer>

#include "qt/PngFile.h"
#include "tiles/MapRenderer.h"
#include "tiles/OpenTileSource.h"

namespace {

constexpr int kFetchTimeout = 60000;  // milliseconds for all tiles of the picture

/// The application object that fonts and plugins need, when there is none yet.
std::unique_ptr<QGuiApplication> MakeApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 3;
    static char name[] = "pelorin";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // Qt took the user's locale: numbers stay C
    return application;
}

/// Fetches the missing tiles and waits until each arrived or failed, or the time is up.
QHash<quint64, QImage> FetchTiles(TileSource& source, const std::vector<TileId>& tiles) {
    QHash<quint64, QImage> arrived;
    QEventLoop loop;
    QObject::connect(&source, &TileSource::TileArrived, &loop,
                     [&](TileId id, const QImage& image) { arrived.insert(TileKey(id), image); });
    const auto quitWhenDone = [&] {
        if (!source.IsFetching()) {
            loop.quit();
        }
    };
    QObject::connect(&source, &TileSource::TileArrived, &loop, quitWhenDone, Qt::QueuedConnection);
    QObject::connect(&source, &TileSource::TileFailed, &loop, quitWhenDone, Qt::QueuedConnection);
    QTimer::singleShot(kFetchTimeout, &loop, &QEventLoop::quit);
    source.Want(tiles);
    if (source.IsFetching()) {
        loop.exec();
    }
    source.Want({});
    return arrived;
}

}  // namespace

bool WriteMapPng(const MapPngRequest& request, const TrackPoint* points, std::size_t count,
                 std::string& error) {
    const std::unique_ptr<QGuiApplication> application = MakeApplication();
    OnlineTileSettings settings = UserTileSettings();
    settings.network = request.online;
    QString message;
    const std::unique_ptr<TileSource> source =
        OpenTileSource(QString::fromStdString(request.tiles), settings, message);
    if (!source) {
        error = message.toStdString();
        return false;
    }
    const TileSourceInfo& info = source->Info();
    MapTrack track(points, count);
    MapView view(request.width, request.height, info.tileSize);
    view.SetZoomRange(info.minZoom, info.maxZoom);
    if (const std::optional<WorldBox> box = track.Box()) {
        view.FitTo(*box);
    }
    std::vector<TileId> visible;
    for (const TilePlacement& tile : view.Tiles(0)) {
        visible.push_back(tile.id);
    }
    const QHash<quint64, QImage> fetched =
        request.online ? FetchTiles(*source, visible) : QHash<quint64, QImage>();
    MapScene scene;
    scene.view = &view;
    scene.track = &track;
    scene.tile = [&](const TileId& id) {
        const auto it = fetched.constFind(TileKey(id));
        return it != fetched.cend() ? *it : source->TileNow(id);
    };
    scene.attribution = info.attribution.isEmpty() ? info.name : info.attribution;
    if (!SavePng(request.path, RenderMap(scene))) {
        error = "cannot write " + request.path;
        return false;
    }
    return true;
}
