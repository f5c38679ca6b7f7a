#include "ui/CPlanArea.h"

#include <QPainter>

#include "qt/MarkPen.h"
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
        PlanImage(points, count, *m_projection, size()),
        [this, version] { return version == m_owner.TrackVersion(); },  // its points are there
        [this](const QImage& image) {
            ShowTrack(image);
            m_resizing = false;
            update();
        });
}

void CPlanArea::Invalidate() {
    m_pictureValid = m_trackValid = false;
    if (m_drawing.IsDrawing()) {
        m_drawing.Cancel();
        m_resizing = false;
    }
    update();
}

void CPlanArea::RangeChanged() {
    m_pictureValid = false;
    update();
}

void CPlanArea::ShowTrack(const QImage& track) {
    m_track = track;
    m_trackValid = true;
    m_pictureValid = false;
    m_mapped.clear();
}

PlotPoint CPlanArea::Mapped(std::size_t i) {
    // A range of a long track maps most points again and again: they are mapped once.
    if (m_mapped.empty()) {
        const TrackPoint* points = m_owner.Points();
        m_mapped.resize(m_owner.Count());
        for (std::size_t k = 0; k < m_mapped.size(); ++k) {
            m_mapped[k] = m_projection->Map(points[k]);
        }
    }
    return m_mapped[i];
}

void CPlanArea::paintEvent(QPaintEvent*) {
    if (PaintStretched()) {
        return;
    }
    const TrackPoint* points = m_owner.Points();
    const std::size_t count = m_owner.Count();
    if (!m_trackValid) {
        // The projection walks every point: kept with the picture for the marks.
        m_projection.emplace(points, count, PlotRect{0, 0, width(), height()});
        const std::unique_ptr<SteppedImage> image = PlanImage(points, count, *m_projection, size());
        image->Step(2 * count);
        ShowTrack(image->Image());
    }
    if (!m_pictureValid) {
        m_picture = m_track;
        if (const auto& range = m_owner.Range()) {
            QPainter painter(&m_picture);
            DrawPlanRange(painter,
                          PathThrough(*range, [this](std::size_t i) { return Mapped(i); }));
        }
        m_pictureValid = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    if (const auto& cursor = m_owner.Cursor()) {
        const PlotPoint p = m_projection->Map(points[*cursor]);
        painter.setPen(MarkPen(kPlanCursorStyle));
        painter.drawEllipse(QPoint(p.x, p.y), kPlanCursorRadius, kPlanCursorRadius);
    }
}
