#include "tiles/OpenTileSource.h"

#include <QFileInfo>
#include <QStringList>

#include "tiles/FolderTileSource.h"
#include "tiles/MbTilesSource.h"
#include "tiles/TileSourceList.h"

std::unique_ptr<TileSource> OpenTileSource(const QString& name, const OnlineTileSettings& settings,
                                           QString& error) {
    const QFileInfo file(name);
    if (!name.isEmpty() && file.isDir()) {
        return std::make_unique<FolderTileSource>(name);
    }
    if (!name.isEmpty() && file.isFile()) {
        auto source = std::make_unique<MbTilesSource>(name);
        if (!source->IsOpen()) {
            error = QStringLiteral("not an MBTiles file: ") + name;
            return nullptr;
        }
        return source;
    }
    const std::vector<TileSourceInfo> configured = ConfiguredTileSources();
    if (name.isEmpty() && !configured.empty()) {
        return std::make_unique<OnlineTileSource>(configured.front(), settings);
    }
    if (std::optional<TileSourceInfo> info = FindTileSource(configured, name)) {
        return std::make_unique<OnlineTileSource>(*info, settings);
    }
    QStringList names;
    for (const TileSourceInfo& info : configured) {
        names.append(info.name);
    }
    error =
        QStringLiteral("no tile file, folder or source named '%1' (configured: %2)")
            .arg(name, names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", ")));
    return nullptr;
}
