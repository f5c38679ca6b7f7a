#include "ui/CProfileArea.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "plot/ProfileMapping.h"
#include "qt/MarkPen.h"
#include "qt/ProfileImage.h"
#include "ui/CProfileWnd.h"

namespace {

constexpr int kMinDrag = 3;         // pixels: a shorter drag is a click
constexpr double kWheelStep = 0.8;  // span factor per notch of the wheel

}  // namespace

CProfileArea::CProfileArea(CProfileWnd& owner) : m_owner(owner) {
    setObjectName(QStringLiteral("ProfileArea"));
    setMouseTracking(true);
    setMinimumSize(320, 200);
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
    StartDrawing(m_owner.View(), Parts(), true);
}

const ProfilePictureParts& CProfileArea::Parts() {
    if (!m_partsValid || !m_parts) {
        m_parts = ProfilePictureOf(m_owner.View(), width(), height());
        m_partsValid = true;
        m_pictureValid = false;
    }
    return *m_parts;
}

std::optional<CProfileArea::Pending> CProfileArea::PendingPicture() const {
    return m_drawing.IsDrawing() ? std::optional(m_pending) : std::nullopt;
}

void CProfileArea::Invalidate() {
    m_partsValid = false;
    if (const std::optional<Pending> pending = PendingPicture(); pending && pending->shown) {
        m_drawing.Cancel();
        m_resizing = false;
    }
}

bool CProfileArea::IsCurrent(const Whole& whole) const {
    return whole.version == m_owner.TrackVersion() && whole.image.size() == size();
}

void CProfileArea::StartDrawing(const ProfileView& view, const ProfilePictureParts& parts,
                                bool shown) {
    m_pending = {view.OverDistance(), shown, view.zoom.IsZoomed()};
    const uint64_t version = m_owner.TrackVersion();
    m_drawing.Start(
        ProfilePictureImage(parts, view, size()),
        [this, version] { return version == m_owner.TrackVersion(); },  // its points are there
        [this, pending = m_pending, version](const QImage& image) {
            Finished(pending, version, image);
        });
}

void CProfileArea::Finished(const Pending& pending, uint64_t version, const QImage& image) {
    if (!pending.zoomed) {
        m_whole[pending.overDistance ? 1 : 0] = {image, version};
    }
    if (pending.shown) {
        m_picture = image;
        m_pictureValid = true;
        m_resizing = false;
        update();
    }
}

void CProfileArea::DrawPicture() {
    const ProfilePictureParts& parts = Parts();
    const bool overDistance = m_owner.OverDistance();
    Whole& whole = m_whole[overDistance ? 1 : 0];
    const bool zoomed = m_owner.Zoom().IsZoomed();
    if (const std::optional<Pending> pending = PendingPicture();
        !zoomed && pending && pending->overDistance == overDistance) {
        while (m_drawing.Step(m_owner.Count() + 1)) {  // drawn ahead in part: the rest at once
        }
    }
    if (!zoomed && IsCurrent(whole)) {
        m_picture = whole.image;
    } else {
        m_picture = DrawProfilePicture(parts, m_owner.View(), size());
    }
    m_pictureValid = true;
    if (!zoomed) {
        whole = {m_picture, m_owner.TrackVersion()};
    }
}

bool CProfileArea::DrawOtherMode() {
    const bool overDistance = !m_owner.OverDistance();
    m_drawing.Step(0);  // drops a drawing of points gone
    if (m_resizing || m_drawing.IsDrawing() || IsCurrent(m_whole[overDistance ? 1 : 0])) {
        return false;
    }
    const ProfileView view = m_owner.WholeView(overDistance);
    StartDrawing(view, ProfilePictureOf(view, width(), height()), false);
    return true;
}

void CProfileArea::paintEvent(QPaintEvent*) {
    if (PaintStretched()) {
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
    const ProfileView view = m_owner.View();
    const auto span = [&](int a, int b, QColor colour) {
        painter.fillRect(QRect(std::min(a, b), r.top, std::abs(b - a) + 1, r.bottom - r.top),
                         colour);
    };
    if (const auto& range = m_owner.Range()) {
        const auto [left, right] = RangeColumns(parts, view, *range);
        span(left, right, MarkColour(kRangeSpanStyle));
    }
    if (m_dragStart) {
        span(*m_dragStart, m_dragEnd, m_dragRange ? QColor(0, 0, 255, 60) : QColor(0, 0, 0, 40));
    }
    if (const auto& cursor = m_owner.Cursor()) {
        const int x = CursorColumn(parts, view, *cursor);
        painter.setPen(MarkPen(kCursorStyle));
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
        m_owner.SetCursor(PointAt(x));
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
        m_owner.SetRange(PointAt(start), PointAt(end));
    } else {
        m_owner.Zoom().ZoomTo(mapping.ValueAt(start), mapping.ValueAt(end));
        m_owner.ZoomChanged();
    }
}

std::size_t CProfileArea::PointAt(int x) {
    const ProfileAxis& axis = m_owner.Axis(m_owner.OverDistance());
    return PointAtPixel(axis.Values(), axis.Count(), Parts().mapping, x);
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
