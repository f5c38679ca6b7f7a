#include "ui/CPlanArea.h"

#include <QPainter>

#include "qt/ProfileImage.h"
#include "ui/CProfileWnd.h"

CPlanArea::CPlanArea(CProfileWnd& owner) : m_owner(owner) {
    setObjectName(QStringLiteral("PlanArea"));
    setMinimumSize(160, 160);
}

CPlanArea::~CPlanArea() = default;

void CPlanArea::Settle() {
    m_settle.stop();
    const TrackPoint* points = m_owner.Points();
    const std::size_t count = m_owner.Count();
    m_projection.emplace(points, count, PlotRect{0, 0, width(), height()});
    const uint64_t version = m_owner.TrackVersion();
    m_drawing.Start(
        PlanImage(points, count, *m_projection, m_owner.Range(), size()),
        [this, version] { return version == m_owner.TrackVersion(); },  // its points are there
        [this](const QImage& image) {
            m_picture = image;
            m_pictureValid = true;
            m_resizing = false;
            update();
        });
}

void CPlanArea::Invalidate() {
    m_pictureValid = false;
    if (m_drawing.IsDrawing()) {
        m_drawing.Cancel();
        m_resizing = false;
    }
    update();
}

void CPlanArea::paintEvent(QPaintEvent*) {
    if (PaintStretched()) {
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
