// The map's sources: the configured ones and the offline maps added, the one remembered, and
// the context menu that chooses them.
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

#include "tiles/OpenTileSource.h"
#include "tiles/TileSourceList.h"
#include "ui/CMapArea.h"
#include "ui/FileDialogs.h"
#include "ui/SettingsStore.h"

namespace {

constexpr char kAddOfflineMap[] = "Add Offline Map...";
constexpr char kAddTileFolder[] = "Add Tile Folder...";
constexpr char kDownloadTiles[] = "Download Tiles";
constexpr char kFitTrack[] = "Fit Track";
constexpr char kNotAMap[] = "%1 is neither an MBTiles file nor a folder of map tiles.";

/// The source of a key, fetching from the network only where the user allows it.
std::unique_ptr<TileSource> OpenByKey(const QString& key, bool highDpi) {
    OnlineTileSettings settings = UserTileSettings();
    settings.network = SettingsStore().Value(SettingsStore::kMapDownload, true).toBool();
    settings.highDpi = highDpi;
    QString error;
    return OpenTileSource(key, settings, error);
}

}  // namespace

QStringList CMapArea::SourceKeys() const {
    QStringList keys;
    for (const TileSourceInfo& info : ConfiguredTileSources()) {
        keys << info.name;
    }
    for (const QString& path : SettingsStore().Value(SettingsStore::kOfflineMaps).toStringList()) {
        if (!keys.contains(path)) {
            keys << path;
        }
    }
    return keys;
}

void CMapArea::ChooseSource(const QString& key) {
    SettingsStore().SetValue(SettingsStore::kMapSource, key);
    OpenRememberedSource();
}

bool CMapArea::AddOfflineMap(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo::exists(absolute)) {
        return false;
    }
    std::unique_ptr<TileSource> source = OpenByKey(absolute, false);
    if (!source) {
        return false;
    }
    SettingsStore store;
    QStringList added = store.Value(SettingsStore::kOfflineMaps).toStringList();
    if (!added.contains(absolute)) {
        store.SetValue(SettingsStore::kOfflineMaps, added << absolute);
    }
    store.SetValue(SettingsStore::kMapSource, absolute);
    UseSource(std::move(source), absolute);
    return true;
}

void CMapArea::OpenRememberedSource() {
    QStringList keys = SourceKeys();
    const QString chosen = SettingsStore().Value(SettingsStore::kMapSource).toString();
    if (!chosen.isEmpty()) {
        keys.prepend(chosen);
    }
    const bool highDpi = devicePixelRatioF() > 1.0;
    for (const QString& key : keys) {
        if (std::unique_ptr<TileSource> source = OpenByKey(key, highDpi)) {
            UseSource(std::move(source), key);
            return;
        }
    }
    UseSource(nullptr, QString());
}

void CMapArea::UseSource(std::unique_ptr<TileSource> source, const QString& key) {
    if (m_source) {
        m_source->disconnect(this);
        m_source->Want({});
    }
    m_source = std::move(source);
    m_sourceKey = key;
    m_tiles.clear();
    m_missing.clear();
    m_wanted.clear();
    m_anyTile = false;
    m_offline = false;
    if (!m_source) {
        ShowMap(false);
        return;
    }
    connect(m_source.get(), &TileSource::TileArrived, this, &CMapArea::OnTileArrived);
    connect(m_source.get(), &TileSource::WentOffline, this, [this] {
        m_offline = true;
        update();
    });
    const TileSourceInfo& info = m_source->Info();
    // The view stays where it was when the new tiles have the old size: the user compares maps.
    if (!m_fitted || m_view.TileSize() != info.tileSize) {
        m_view = MapView(width(), height(), info.tileSize);
        m_layer.Clear();
        m_layerReady = false;
        m_fitted = false;
    }
    m_view.SetZoomRange(0.0, info.maxZoom);
    if (m_fitted) {
        ViewChanged(true);
    } else {
        Fit();
    }
    emit TilesChanged();
}

void CMapArea::contextMenuEvent(QContextMenuEvent* event) {
    ShowMenu(event->globalPos());
}

void CMapArea::AddSourceEntries(QMenu& menu) {
    auto* group = new QActionGroup(&menu);
    const QStringList added = SettingsStore().Value(SettingsStore::kOfflineMaps).toStringList();
    for (const QString& key : SourceKeys()) {
        const QString text = added.contains(key) ? QFileInfo(key).fileName() : key;
        QAction* entry = menu.addAction(text, this, [this, key] { ChooseSource(key); });
        entry->setCheckable(true);
        entry->setChecked(key == m_sourceKey);
        entry->setToolTip(key);
        group->addAction(entry);
    }
}

void CMapArea::ShowMenu(QPoint globalPos) {
    QMenu menu(this);
    AddSourceEntries(menu);
    menu.addSeparator();
    const auto add = [this](bool folder) {
        const QString path = RunOpenMapDialog(this, folder);
        if (!path.isEmpty() && !AddOfflineMap(path)) {
            QMessageBox::warning(this, window()->windowTitle(),
                                 QString::fromLatin1(kNotAMap).arg(path));
        }
    };
    menu.addAction(QString::fromLatin1(kAddOfflineMap), this, [add] { add(false); });
    menu.addAction(QString::fromLatin1(kAddTileFolder), this, [add] { add(true); });
    menu.addSeparator();
    QAction* download = menu.addAction(QString::fromLatin1(kDownloadTiles), this, [this](bool on) {
        SettingsStore().SetValue(SettingsStore::kMapDownload, on);
        OpenRememberedSource();
    });
    download->setCheckable(true);
    download->setChecked(SettingsStore().Value(SettingsStore::kMapDownload, true).toBool());
    if (m_showsMap) {
        menu.addAction(QString::fromLatin1(kFitTrack), this, [this] { Fit(); });
    }
    menu.exec(globalPos);
}
