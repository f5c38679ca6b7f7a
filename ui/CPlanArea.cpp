#include <QPainter>

#include "ui/CProfileWnd.h"

CPlanArea::CPlanArea(CProfileWnd& owner) : m_owner(owner) {
    setObjectName(QStringLiteral("PlanArea"));
    setMinimumSize(160, 160);
    SetUpSettleTimer(m_settle, this, [this] { Settle(); });
}

CPlanArea::~CPlanArea() = default;

void CPlanArea::Settle() {
    m_settle.stop();
    const TrackPoint* points = m_owner.Points();
    const std::size_t count = m_owner.Count();
    m_projection.emplace(points, count, PlotRect{0, 0, width(), height()});
    m_drawing = PlanImage(points, count, *m_projection, m_owner.Range(), size());
    m_drawingVersion = m_owner.TrackVersion();
    QueueStep();
}

void CPlanArea::QueueStep() {
    if (m_stepQueued) {
        return;
    }
    m_stepQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_stepQueued = false;
        if (DrawStep(CProfileArea::kStepPoints)) {
            QueueStep();
        }
    });
}

bool CPlanArea::DrawStep(std::size_t points) {
    if (!m_drawing) {
        return false;
    }
    if (m_drawingVersion != m_owner.TrackVersion()) {
        m_drawing.reset();  // the points it walks are gone
        return false;
    }
    if (!m_drawing->Step(points)) {
        return true;
    }
    m_picture = m_drawing->Image();
    m_pictureValid = true;
    m_resizing = false;
    m_drawing.reset();
    update();
    return false;
}

void CPlanArea::Invalidate() {
    m_pictureValid = false;
    if (m_drawing) {
        m_drawing.reset();
        m_resizing = false;
    }
    update();
}

void CPlanArea::resizeEvent(QResizeEvent*) {
    m_pictureValid = false;
    m_drawing.reset();
    if (!m_picture.isNull()) {
        m_resizing = true;
        m_settle.start();
    }
}

void CPlanArea::paintEvent(QPaintEvent*) {
    if (m_resizing) {
        QPainter(this).drawImage(rect(), m_picture);
        return;
    }
    const TrackPoint* points = m_owner.Points();
    const std::size_t count = m_owner.Count();
    if (!m_pictureValid) {
        // The projection walks every point: kept with the picture for the cursor's mark.
        m_projection.emplace(points, count, PlotRect{0, 0, width(), height()});
        const std::unique_ptr<SteppedImage> image =
            PlanImage(points, count, *m_projection, m_owner.Range(), size());
        image->Step(2 * count);
        m_picture = image->Image();
        m_pictureValid = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    if (const auto& cursor = m_owner.Cursor()) {
        const PlotPoint p = m_projection->Map(points[*cursor]);
        painter.setPen(QPen(QColor(kMarkerColour), 2));
        painter.drawEllipse(QPoint(p.x, p.y), 5, 5);
    }
}
