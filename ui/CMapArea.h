#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QHash>
#include <QImage>
#include <QPointF>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "map/MapTrack.h"
#include "map/MapView.h"
#include "tiles/MapTrackLayer.h"
#include "tiles/TileSource.h"

class CProfileWnd;
class QMenu;

/// The track on map tiles, laid over the plan view and as large: the plan view shows instead
/// while no tile of the chosen source can be had (no source, or none reachable and nothing in
/// the cache or the file). Opens fitted to the track; the wheel zooms around the pointer, a drag
/// pans, a double-click or Escape fits again. The mouse near the track moves the profile's
/// cursor. Tiles are asked for on view changes only: the visible ones and one ring.
class CMapArea : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t kStepPoints = 20000;        // points of the track drawn per event
    static constexpr std::size_t kRangeStepPoints = 100000;  // points of the range per event

    CMapArea(CProfileWnd& owner, QWidget& planArea);
    ~CMapArea() override;

    /// Forgets the track's map after a change of the track and fits the new one.
    void Invalidate();
    void RangeChanged() { update(); }

    /// The sources offered: the configured ones by name, then the offline maps added, by path.
    QStringList SourceKeys() const;
    QString SourceKey() const { return m_sourceKey; }
    /// Switches to a source by its key and remembers the choice.
    void ChooseSource(const QString& key);
    /// Adds an MBTiles file or a tile folder to the sources and chooses it; false when it is
    /// neither.
    bool AddOfflineMap(const QString& path);
    /// Shows the tiles of a source without remembering it, e.g. for a benchmark.
    void UseSource(std::unique_ptr<TileSource> source, const QString& key);
    /// True while the map shows instead of the plan view.
    bool ShowsMap() const { return m_showsMap; }
    bool SaysOffline() const { return m_offline; }

    MapView& View() { return m_view; }
    void Fit();
    /// Moves the picture by pixels, as a drag does.
    void PanBy(double dx, double dy);
    /// Zooms by steps (+1: twice the scale) around a pixel, as the wheel does.
    void ZoomAround(QPointF at, double steps);
    /// Draws the pictures of the track and the range for the view at once, as though the wheel
    /// had rested.
    void FinishTrack();
    /// One frame of the map, as the widget paints it.
    void PaintFrame(QPainter& painter);

signals:
    /// A tile came in or the source changed: the picture shows more.
    void TilesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    /// The source remembered, else the first configured one, else the first offline map.
    void OpenRememberedSource();
    MapTrack* Track();
    void SizeTo(QSize size);
    /// Asks for the view's tiles, decides between map and plan view and redraws the track
    /// where the view left its picture; a zoom waits until the wheel rests.
    void ViewChanged(bool zoomed);
    void StartTrackPicture();
    void DrawTrackStep();
    QImage Tile(const TileId& id);
    /// Paints the range from its picture, drawn anew in steps where it no longer serves.
    void PaintRangePicture(QPainter& painter, std::pair<std::size_t, std::size_t> range);
    /// Starts drawing the range's picture where the one kept does not serve; true when the one
    /// kept shows this range.
    bool KeepRangePicture(std::pair<std::size_t, std::size_t> range);
    void StartRangePicture(std::pair<std::size_t, std::size_t> range);
    void DrawRangeStep();
    void OnTileArrived(const TileId& id, const QImage& image);
    void ShowMap(bool show);
    void ShowMenu(QPoint globalPos);
    void AddSourceEntries(QMenu& menu);

    CProfileWnd& m_owner;
    QWidget& m_plan;
    std::unique_ptr<TileSource> m_source;
    QString m_sourceKey;  // a configured source's name or an offline map's path
    std::unique_ptr<MapTrack> m_track;
    MapView m_view{0, 0};
    bool m_fitted = false;
    bool m_opened = false;  // the remembered source was opened
    MapTrackLayer m_layer;
    bool m_layerReady = false;  // the layer holds a picture of this track
    QTimer m_trackSteps;        // draws the layer between events
    QImage m_rangeImage;        // the range around the view, as the layer holds the track
    std::pair<std::size_t, std::size_t> m_rangeOf{};  // the range it shows
    double m_rangeZoom = 0.0;
    int m_rangeTileSize = 0;
    WorldPoint m_rangeOrigin;  // the world point at its top-left corner
    QImage m_rangeNext;        // the range's picture being drawn, for the view of m_rangeAround
    MapView m_rangeAround{0, 0};
    std::pair<std::size_t, std::size_t> m_rangeNextOf{};
    std::size_t m_rangeNextPoint = 0;  // the first point not drawn yet
    QTimer m_rangeSteps;               // draws m_rangeNext between events
    QTimer m_zoomRest;                 // runs out once the wheel rests
    QHash<quint64, QImage> m_tiles;    // decoded, around the view
    QSet<quint64> m_missing;           // not to be had now: not asked for again until they arrive
    std::vector<TileId> m_wanted;
    bool m_anyTile = false;  // a tile of this source and track was had
    bool m_showsMap = false;
    bool m_offline = false;
    std::optional<QPointF> m_dragFrom;
};
