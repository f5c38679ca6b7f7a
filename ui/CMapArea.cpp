#include "ui/CMapArea.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "plot/ProfilePicture.h"
#include "qt/MarkPen.h"
#include "tiles/MapRenderer.h"
#include "ui/CProfileWnd.h"

namespace {

constexpr int kZoomRestDelay = 150;  // milliseconds without a wheel turn before the track is drawn
constexpr double kWheelNotch = 120.0;      // angle delta of one notch: one zoom level
constexpr qsizetype kMissingLimit = 4096;  // tiles remembered as not to be had
constexpr int kFontSize = 11;              // pixels
constexpr char kOffline[] = "offline";

}  // namespace

CMapArea::CMapArea(CProfileWnd& owner, QWidget& planArea)
    : QWidget(&planArea), m_owner(owner), m_plan(planArea) {
    setObjectName(QStringLiteral("MapArea"));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
    m_plan.installEventFilter(this);
    m_trackSteps.setInterval(0);
    connect(&m_trackSteps, &QTimer::timeout, this, [this] { DrawTrackStep(); });
    m_rangeSteps.setInterval(0);
    connect(&m_rangeSteps, &QTimer::timeout, this, [this] { DrawRangeStep(); });
    m_zoomRest.setSingleShot(true);
    m_zoomRest.setInterval(kZoomRestDelay);
    connect(&m_zoomRest, &QTimer::timeout, this, [this] { ViewChanged(false); });
    setGeometry(m_plan.rect());
}

CMapArea::~CMapArea() = default;

void CMapArea::Invalidate() {
    m_rangeSteps.stop();
    m_rangeImage = QImage();
    if (!m_opened) {
        m_opened = true;  // not before: the window is built once the track comes
        OpenRememberedSource();
    }
    m_track.reset();
    m_layer.Clear();
    m_layerReady = false;
    m_trackSteps.stop();
    m_anyTile = false;
    m_fitted = false;
    Fit();
}

MapTrack* CMapArea::Track() {
    if (!m_track && m_owner.Count() > 0) {
        m_track = std::make_unique<MapTrack>(m_owner.Points(), m_owner.Count());
    }
    return m_track.get();
}

void CMapArea::SizeTo(QSize size) {
    setGeometry(QRect(QPoint(0, 0), size));
    m_view.Resize(size.width(), size.height());
    if (!m_fitted) {
        Fit();
    } else {
        ViewChanged(false);
    }
}

void CMapArea::Fit() {
    MapTrack* track = Track();
    if (track == nullptr || !m_source || !track->Box() || m_view.Width() <= 0) {
        ViewChanged(false);
        return;
    }
    m_view.FitTo(*track->Box());
    m_fitted = true;
    ViewChanged(true);
}

void CMapArea::PanBy(double dx, double dy) {
    m_view.Pan(dx, dy);
    ViewChanged(false);
}

void CMapArea::ZoomAround(QPointF at, double steps) {
    m_view.ZoomAround(at.x(), at.y(), steps);
    ViewChanged(true);
}

void CMapArea::ViewChanged(bool zoomed) {
    if (!m_source || Track() == nullptr || m_view.Width() <= 0 || m_view.Height() <= 0) {
        ShowMap(false);
        return;
    }
    std::vector<TileId> wanted;
    for (const TilePlacement& tile : m_view.Tiles(1)) {
        wanted.push_back(tile.id);
    }
    if (wanted != m_wanted) {
        m_wanted = wanted;
        m_source->Want(wanted);
        // Decoded tiles are kept about the view only, so that memory stays bounded.
        if (m_tiles.size() > 2 * static_cast<qsizetype>(wanted.size()) + 32) {
            QHash<quint64, QImage> kept;
            for (const TileId& id : wanted) {
                if (const auto it = m_tiles.constFind(TileKey(id)); it != m_tiles.cend()) {
                    kept.insert(it.key(), it.value());
                }
            }
            m_tiles.swap(kept);
        }
        if (m_missing.size() > kMissingLimit) {
            m_missing.clear();
        }
    }
    for (std::size_t i = 0; !m_anyTile && i < wanted.size(); ++i) {
        Tile(wanted[i]);
    }
    ShowMap(m_anyTile);
    if (!m_showsMap) {
        return;
    }
    if (zoomed && m_layerReady) {
        m_zoomRest.start();  // the old picture serves, scaled, until the wheel rests
    } else if (!m_layer.Covers(m_view) && !m_layer.IsDrawing() && !m_zoomRest.isActive()) {
        StartTrackPicture();
    }
    if (m_layer.IsDrawing() && !m_trackSteps.isActive()) {
        m_trackSteps.start();  // a drawing left while the plan view showed goes on
    }
    update();
}

void CMapArea::StartTrackPicture() {
    m_layer.Begin(*Track(), m_view);
    m_trackSteps.start();
}

void CMapArea::DrawTrackStep() {
    if (!m_layer.Step(kStepPoints)) {
        return;
    }
    m_trackSteps.stop();
    m_layerReady = true;
    if (!m_layer.Covers(m_view) && !m_zoomRest.isActive()) {
        StartTrackPicture();  // the view moved on meanwhile
    }
    update();
}

void CMapArea::FinishTrack() {
    m_zoomRest.stop();
    if (m_showsMap && !m_layer.Covers(m_view) && !m_layer.IsDrawing()) {
        StartTrackPicture();
    }
    while (m_layer.IsDrawing()) {
        DrawTrackStep();
    }
    if (m_layerReady && m_owner.Range()) {
        KeepRangePicture(*m_owner.Range());
    }
    while (m_rangeSteps.isActive()) {
        DrawRangeStep();
    }
}

QImage CMapArea::Tile(const TileId& id) {
    const quint64 key = TileKey(id);
    if (const auto it = m_tiles.constFind(key); it != m_tiles.cend()) {
        return *it;
    }
    if (!m_source || m_missing.contains(key)) {
        return {};
    }
    QImage image = m_source->TileNow(id);
    if (image.isNull()) {
        m_missing.insert(key);
        return {};
    }
    m_tiles.insert(key, image);
    m_anyTile = true;
    return image;
}

void CMapArea::OnTileArrived(const TileId& id, const QImage& image) {
    if (image.isNull()) {
        return;
    }
    m_tiles.insert(TileKey(id), image);
    m_missing.remove(TileKey(id));
    m_offline = false;
    if (!m_anyTile) {
        m_anyTile = true;
        ViewChanged(false);
    }
    update();
    emit TilesChanged();
}

void CMapArea::ShowMap(bool show) {
    if (show == m_showsMap) {
        return;
    }
    m_showsMap = show;
    setVisible(show);
    if (!show) {
        m_trackSteps.stop();
    }
}

void CMapArea::PaintFrame(QPainter& painter) {
    MapScene scene;
    scene.view = &m_view;
    // Until the track's first picture is drawn, in steps, the tiles show alone.
    scene.track = m_layerReady ? m_track.get() : nullptr;
    scene.tile = [this](const TileId& id) {
        return Tile(id);
    };
    if (m_source) {
        const TileSourceInfo& info = m_source->Info();
        scene.attribution = info.attribution.isEmpty() ? info.name : info.attribution;
    }
    scene.range = m_owner.Range();
    scene.layer = &m_layer;
    if (scene.track != nullptr && scene.range) {
        scene.rangePicture = [this, range = *scene.range](QPainter& target) {
            PaintRangePicture(target, range);
        };
    }
    PaintMap(painter, scene);
    if (m_track && m_owner.Cursor() && *m_owner.Cursor() < m_track->Count()) {
        const PlotPoint p = m_view.PixelOf(m_track->WorldOf(*m_owner.Cursor()));
        painter.setPen(MarkPen(kPlanCursorStyle));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPoint(p.x, p.y), kPlanCursorRadius, kPlanCursorRadius);
    }
    if (m_offline) {
        QFont font = painter.font();
        font.setPixelSize(kFontSize);
        painter.setFont(font);
        painter.setPen(QColor(96, 96, 96));
        painter.drawText(rect().adjusted(0, 4, -6, 0), Qt::AlignTop | Qt::AlignRight,
                         QString::fromLatin1(kOffline));
    }
}

void CMapArea::PaintRangePicture(QPainter& painter, std::pair<std::size_t, std::size_t> range) {
    if (KeepRangePicture(range)) {
        painter.save();
        painter.setOpacity(kRangeAlpha / 255.0);
        PaintPicture(painter, m_view, m_rangeImage, m_rangeZoom, m_rangeOrigin);
        painter.restore();
    }
}

bool CMapArea::KeepRangePicture(std::pair<std::size_t, std::size_t> range) {
    const bool same =
        !m_rangeImage.isNull() && m_rangeOf == range && m_rangeTileSize == m_view.TileSize();
    // A long range takes longer to draw than a frame may: drawn in steps once per zoom and half
    // a view, the old picture serving meanwhile.
    if (!same
        || (!m_zoomRest.isActive()
            && !PictureCovers(m_view, m_rangeImage, m_rangeZoom, m_rangeTileSize, m_rangeOrigin))) {
        StartRangePicture(range);
    }
    return same;
}

void CMapArea::StartRangePicture(std::pair<std::size_t, std::size_t> range) {
    if (m_rangeSteps.isActive() && m_rangeNextOf == range
        && PictureCovers(m_view, m_rangeNext, m_rangeAround.Zoom(), m_rangeAround.TileSize(),
                         m_rangeAround.ToWorld(0.0, 0.0))) {
        return;  // the picture being drawn will serve
    }
    m_rangeAround = AroundView(m_view);
    m_rangeNext =
        QImage(m_rangeAround.Width(), m_rangeAround.Height(), QImage::Format_ARGB32_Premultiplied);
    m_rangeNext.fill(Qt::transparent);
    m_rangeNextOf = range;
    m_rangeNextPoint = range.first;
    m_rangeSteps.start();
}

void CMapArea::DrawRangeStep() {
    const std::size_t last = std::min(m_rangeNextOf.second, m_rangeNextPoint + kRangeStepPoints);
    QPainter painter(&m_rangeNext);
    PaintRange(painter, *m_track, m_rangeAround, m_rangeNextPoint, last, true);
    painter.end();
    m_rangeNextPoint = last;
    if (last < m_rangeNextOf.second) {
        return;
    }
    m_rangeSteps.stop();
    m_rangeImage = std::move(m_rangeNext);
    m_rangeNext = QImage();
    m_rangeOf = m_rangeNextOf;
    m_rangeZoom = m_rangeAround.Zoom();
    m_rangeTileSize = m_rangeAround.TileSize();
    m_rangeOrigin = m_rangeAround.ToWorld(0.0, 0.0);
    update();
}

void CMapArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintFrame(painter);
}

bool CMapArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_plan && event->type() == QEvent::Resize) {
        SizeTo(m_plan.size());
    } else if (watched == &m_plan && event->type() == QEvent::ContextMenu) {
        ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CMapArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
    }
}

void CMapArea::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        const QPointF by = event->position() - *m_dragFrom;
        m_dragFrom = event->position();
        PanBy(by.x(), by.y());
        return;
    }
    if (MapTrack* track = Track()) {
        if (const auto nearest =
                track->NearestPoint(m_view, event->position().x(), event->position().y())) {
            m_owner.SetCursor(*nearest);
        }
    }
}

void CMapArea::mouseReleaseEvent(QMouseEvent*) {
    m_dragFrom.reset();
}

void CMapArea::mouseDoubleClickEvent(QMouseEvent*) {
    Fit();
}

void CMapArea::wheelEvent(QWheelEvent* event) {
    ZoomAround(event->position(), event->angleDelta().y() / kWheelNotch);
}

void CMapArea::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Fit();
        return;
    }
    QWidget::keyPressEvent(event);
}
