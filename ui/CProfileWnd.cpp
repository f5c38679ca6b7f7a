#include "ui/CProfileWnd.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "analysis/RangeCut.h"
#include "analysis/Statistics.h"
#include "res/Strings.h"
#include "ui/CProfilePlot.h"
#include "ui/ProfileImage.h"
#include "ui/QtPlotCanvas.h"
#include "ui/QtSaveFile.h"
#include "ui/QtText.h"
#include "ui/RepeatSkippingCanvas.h"
#include "ui/ReportView.h"

namespace {

constexpr int kMinDrag = 3;         // pixels: a shorter drag is a click
constexpr double kWheelStep = 0.8;  // span factor per notch of the wheel
constexpr int kSettleDelay = 100;   // milliseconds without a resize before drawing anew

/// The zoom that shows the whole track in the mode.
ProfileZoom WholeZoom(const TrackPoint* points, std::size_t count, bool overDistance) {
    const ProfileMapping whole(points, count, overDistance, PlotRect{0, 0, 1, 1});
    ProfileZoom zoom;
    zoom.Reset(whole.XMin(), whole.XMax(), overDistance);
    return zoom;
}

}  // namespace

void SetUpSettleTimer(QTimer& timer, QWidget* widget, std::function<void()> settle) {
    timer.setSingleShot(true);
    timer.setInterval(kSettleDelay);
    QObject::connect(&timer, &QTimer::timeout, widget, std::move(settle));
}

CProfileArea::CProfileArea(CProfileWnd& owner) : m_owner(owner) {
    setObjectName(QStringLiteral("ProfileArea"));
    setMouseTracking(true);
    setMinimumSize(320, 200);
    SetUpSettleTimer(m_settle, this, [this] { Settle(); });
}

CProfileArea::~CProfileArea() = default;

void CProfileArea::Settle() {
    m_settle.stop();
    const bool zoomed = m_owner.Zoom().IsZoomed();
    if (m_owner.Count() < 2 || (!zoomed && IsCurrent(m_whole[m_owner.OverDistance() ? 1 : 0]))) {
        m_resizing = false;
        update();
        return;
    }
    // The stretched picture stays while the new one is drawn between events.
    StartDrawing(m_owner.OverDistance(), Parts(), true);
}

const ProfilePictureParts& CProfileArea::Parts() {
    if (!m_partsValid || !m_parts) {
        m_parts = ProfilePictureOf(m_owner.Points(), m_owner.Count(), m_owner.OverDistance(),
                                   m_owner.Zoom(), width(), height());
        m_partsValid = true;
        m_pictureValid = false;
    }
    return *m_parts;
}

void CProfileArea::Invalidate() {
    m_partsValid = false;
    if (m_pending && m_pending->shown) {
        m_pending.reset();
        m_resizing = false;
    }
}

void CProfileArea::resizeEvent(QResizeEvent*) {
    m_partsValid = false;
    m_pending.reset();
    if (!m_picture.isNull()) {
        m_resizing = true;
        m_settle.start();
    }
}

bool CProfileArea::IsCurrent(const Whole& whole) const {
    return whole.version == m_owner.TrackVersion() && whole.image.size() == size();
}

void CProfileArea::StartDrawing(bool overDistance, const ProfilePictureParts& parts, bool shown) {
    m_pending.reset();
    m_pending.emplace(
        Pending{ProfileImage(parts, m_owner.Points(), m_owner.Count(), overDistance, size()),
                overDistance, shown, m_owner.Zoom().IsZoomed() && shown, m_owner.TrackVersion()});
    QueueStep();
}

void CProfileArea::QueueStep() {
    if (m_stepQueued) {
        return;
    }
    m_stepQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_stepQueued = false;
        if (DrawStep(kStepPoints)) {
            QueueStep();
        }
    });
}

bool CProfileArea::DrawStep(std::size_t points) {
    if (!m_pending) {
        return false;
    }
    Pending& pending = *m_pending;
    if (pending.version != m_owner.TrackVersion()) {
        m_pending.reset();  // the points it walks are gone
        return false;
    }
    if (!pending.drawing->Step(points)) {
        return true;
    }
    const QImage image = pending.drawing->Image();
    if (!pending.zoomed) {
        m_whole[pending.overDistance ? 1 : 0] = {image, pending.version};
    }
    if (pending.shown) {
        m_picture = image;
        m_pictureValid = true;
        m_resizing = false;
        update();
    }
    m_pending.reset();
    return false;
}

void CProfileArea::DrawPicture() {
    const ProfilePictureParts& parts = Parts();
    const bool overDistance = m_owner.OverDistance();
    Whole& whole = m_whole[overDistance ? 1 : 0];
    const bool zoomed = m_owner.Zoom().IsZoomed();
    if (!zoomed && m_pending && m_pending->overDistance == overDistance) {
        DrawStep(2 * m_owner.Count());  // drawn ahead in part: the rest at once
    }
    if (!zoomed && IsCurrent(whole)) {
        m_picture = whole.image;
    } else {
        m_picture =
            DrawProfileImage(parts, m_owner.Points(), m_owner.Count(), overDistance, size());
    }
    m_pictureValid = true;
    if (!zoomed) {
        whole = {m_picture, m_owner.TrackVersion()};
    }
}

bool CProfileArea::DrawOtherMode() {
    const bool overDistance = !m_owner.OverDistance();
    if (m_pending && m_pending->version != m_owner.TrackVersion()) {
        m_pending.reset();  // of points gone
    }
    if (m_resizing || m_pending || IsCurrent(m_whole[overDistance ? 1 : 0])) {
        return false;
    }
    const TrackPoint* points = m_owner.Points();
    const std::size_t count = m_owner.Count();
    StartDrawing(overDistance,
                 ProfilePictureOf(points, count, overDistance,
                                  WholeZoom(points, count, overDistance), width(), height()),
                 false);
    return true;
}

void CProfileArea::paintEvent(QPaintEvent*) {
    if (m_resizing) {
        QPainter(this).drawImage(rect(), m_picture);
        return;
    }
    const ProfilePictureParts& parts = Parts();
    if (!m_pictureValid) {
        DrawPicture();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    if (!m_otherQueued && !IsCurrent(m_whole[m_owner.OverDistance() ? 0 : 1])) {
        m_otherQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_otherQueued = false;
            DrawOtherMode();
        });
    }
    const PlotRect& r = parts.mapping.Rect();
    const TrackPoint* points = m_owner.Points();
    const auto span = [&](int a, int b, QColor colour) {
        painter.fillRect(QRect(std::min(a, b), r.top, std::abs(b - a) + 1, r.bottom - r.top),
                         colour);
    };
    if (const auto& range = m_owner.Range()) {
        span(parts.mapping.Map(points[range->first]).x, parts.mapping.Map(points[range->second]).x,
             QColor(0, 0, 255, 28));
    }
    if (m_dragStart) {
        span(*m_dragStart, m_dragEnd, m_dragRange ? QColor(0, 0, 255, 60) : QColor(0, 0, 0, 40));
    }
    if (const auto& cursor = m_owner.Cursor()) {
        const int x = parts.mapping.Map(points[*cursor]).x;
        painter.setPen(QPen(QColor(kMarkerColour), 1));
        painter.drawLine(x, r.top, x, r.bottom);
    }
}

void CProfileArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragStart = event->position().toPoint().x();
        m_dragEnd = *m_dragStart;
        m_dragRange = (event->modifiers() & Qt::ShiftModifier) != 0;
    }
}

void CProfileArea::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (m_owner.Count() != 0) {
        m_owner.SetCursor(PointAtPixel(m_owner.Points(), m_owner.Count(), Parts().mapping, x));
    }
    if (m_dragStart) {
        m_dragEnd = x;
        update();
    }
}

void CProfileArea::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragStart || event->button() != Qt::LeftButton) {
        return;
    }
    const int start = *m_dragStart;
    const int end = event->position().toPoint().x();
    m_dragStart.reset();
    update();
    if (std::abs(end - start) < kMinDrag || m_owner.Count() == 0) {
        return;
    }
    const ProfileMapping mapping = Parts().mapping;
    if (m_dragRange) {
        m_owner.SetRange(PointAtPixel(m_owner.Points(), m_owner.Count(), mapping, start),
                         PointAtPixel(m_owner.Points(), m_owner.Count(), mapping, end));
    } else {
        m_owner.Zoom().ZoomTo(mapping.ValueAt(start), mapping.ValueAt(end));
        m_owner.ZoomChanged();
    }
}

void CProfileArea::mouseDoubleClickEvent(QMouseEvent*) {
    m_dragStart.reset();
    m_owner.Zoom().ZoomOut();
    m_owner.ZoomChanged();
}

void CProfileArea::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y();
    if (notches == 0) {
        return;
    }
    const double value = Parts().mapping.ValueAt(event->position().toPoint().x());
    m_owner.Zoom().ZoomAround(value, std::pow(kWheelStep, notches / 120.0));
    m_owner.ZoomChanged();
}

CProfileWnd::CProfileWnd(QWidget* parent)
    : QWidget(parent, Qt::Window), m_profileArea(*this), m_planArea(*this) {
    setObjectName(QStringLiteral("ProfileWindow"));
    setWindowTitle(QString::fromLatin1(kProfileCaption));
    m_profileArea.setParent(&m_pictureArea);
    m_planArea.setParent(&m_pictureArea);
    auto* picture = new QHBoxLayout(&m_pictureArea);
    picture->setContentsMargins(0, 0, 0, 0);
    picture->setSpacing(0);
    picture->addWidget(&m_profileArea, 3);
    picture->addWidget(&m_planArea, 1);
    m_readout.setObjectName(QStringLiteral("Readout"));
    m_readout.setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_rangeList.setObjectName(QStringLiteral("RangeList"));
    m_rangeList.setModel(&m_rangeModel);
    m_rangeList.setMinimumWidth(360);
    SetUpReportColumns(
        m_rangeList, kStatisticsColumns, [](int pixels) { return pixels * 5 / 4; },
        StatisticsColumnTexts);
    m_savePicture.setText(QString::fromLatin1(kSavePicture));
    connect(&m_savePicture, &QPushButton::clicked, this, [this] { OnSavePicture(); });
    auto* side = new QVBoxLayout;
    side->addWidget(&m_readout);
    side->addWidget(&m_rangeList, 1);
    side->addWidget(&m_savePicture);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(&m_pictureArea, 1);
    layout->addLayout(side);
    resize(1280, 600);
}

CProfileWnd::~CProfileWnd() = default;

const TrackPoint* CProfileWnd::Points() const {
    return m_track != nullptr ? m_track->points.GetData() : nullptr;
}

std::size_t CProfileWnd::Count() const {
    return m_track != nullptr ? m_track->points.GetSize() : 0;
}

void CProfileWnd::Follow(const CProfilePlot& plot, int connectionMode, double verticalThreshold,
                         double speedThresholdKmh) {
    const bool overDistance = plot.m_overDistance != 0;
    const bool newTrack = m_track != &plot.m_profile || m_version != plot.ProfileVersion();
    if (!newTrack && overDistance == m_overDistance) {
        return;
    }
    m_track = &plot.m_profile;
    m_version = plot.ProfileVersion();
    m_overDistance = overDistance;
    m_zoom = WholeZoom(Points(), Count(), overDistance);
    if (newTrack) {
        // The thresholds the points were analysed with, for the figures of a range.
        m_connectionMode = connectionMode;
        m_verticalThreshold = verticalThreshold;
        m_speedThreshold = speedThresholdKmh;
        m_cursor.reset();
        m_range.reset();
        m_rangeModel.SetRows({});
        m_readout.clear();
        m_planArea.Invalidate();
    }
    ZoomChanged();
}

void CProfileWnd::SetCursor(std::size_t i) {
    if (i >= Count() || m_cursor == i) {
        return;
    }
    m_cursor = i;
    const double firstDay = std::floor(Points()[0].time);
    QStringList lines;
    for (const std::string& line : ReadoutLines(ReadoutOf(Points(), Count(), i, firstDay))) {
        lines << ToQString(line);
    }
    m_readout.setText(lines.join(QLatin1Char('\n')));
    m_profileArea.update();
    m_planArea.update();
    emit ReadoutChanged();
}

void CProfileWnd::SetRange(std::size_t first, std::size_t last) {
    if (Count() == 0) {
        return;
    }
    TrackSection range;
    CutRange(*m_track, first, last, m_connectionMode, m_verticalThreshold, m_speedThreshold, range);
    m_rangeModel.SetRows(FormatStatisticsRows(ComputeStatistics(range)));
    m_range = std::pair(std::min(first, last), std::min(std::max(first, last), Count() - 1));
    m_planArea.Invalidate();
    m_profileArea.update();
}

void CProfileWnd::ZoomChanged() {
    m_profileArea.Invalidate();
    m_profileArea.update();
}

void CProfileWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_zoom.ZoomOut();
        ZoomChanged();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CProfileWnd::OnSavePicture() {
    QString filter;
    const QString filters = QStringList{QString::fromLatin1(kPictureFileFilters[0]),
                                        QString::fromLatin1(kPictureFileFilters[1])}
                                .join(QStringLiteral(";;"));
    QString path =
        QFileDialog::getSaveFileName(this, QString::fromLatin1(kSavePicture), {}, filters, &filter);
    if (path.isEmpty()) {
        return;
    }
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)
                     || (filter == QString::fromLatin1(kPictureFileFilters[1])
                         && !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive));
    if (!WritePicture(path, svg)) {
        QMessageBox::warning(
            this, windowTitle(),
            QString::fromLatin1(kCannotWriteFile).arg(QDir::toNativeSeparators(path)));
    }
}

bool CProfileWnd::WritePicture(const QString& path, bool svg) {
    if (!svg) {
        return SavePng(path, m_pictureArea.grab().toImage());
    }
    const std::string text =
        RenderProfilePictureSvg(Points(), Count(), m_overDistance, m_zoom, m_profileArea.width(),
                                m_profileArea.height(), m_planArea.width());
    return SaveTextFile(path, [&text](const TextSink& sink) { return sink(text); });
}
