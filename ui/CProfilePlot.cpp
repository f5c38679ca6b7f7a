#include "ui/CProfilePlot.h"

#include <cstring>

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "ui/ProfileDrawing.h"
#include "ui/QtPlotCanvas.h"
#include "ui/RepeatSkippingCanvas.h"

CProfilePlot::CProfilePlot(QWidget* parent) : QAbstractButton(parent) {}

CProfilePlot::~CProfilePlot() = default;

void CProfilePlot::SetProfile(const GrowArray<TrackPoint>& points) {
    const std::size_t count = points.GetSize();
    m_profile.points.SetSize(count);
    if (count != 0) {
        std::memcpy(static_cast<void*>(m_profile.points.GetData()), points.GetData(),
                    count * sizeof(TrackPoint));
    }
    ++m_profileVersion;
}

void CProfilePlot::DrawItem(QPainter& painter, const QRect& item) {
    DrawMode(painter, item, m_overDistance);
}

void CProfilePlot::DrawMode(QPainter& painter, const QRect& item, int32_t overDistance) {
    QtPlotCanvas canvas(painter);
    RepeatSkippingCanvas skipping(canvas);
    const PlotRect rect{item.left(), item.top(), item.right() + 1, item.bottom() + 1};
    DrawProfile(skipping, m_profile.points.GetData(), m_profile.points.GetSize(), overDistance != 0,
                rect);
}

bool CProfilePlot::IsCurrent(const Picture& picture) const {
    const qreal ratio = devicePixelRatioF();
    return picture.image.size() == size() * ratio && picture.image.devicePixelRatio() == ratio
           && picture.version == m_profileVersion;
}

void CProfilePlot::DrawPicture(Picture& picture, int32_t overDistance) {
    const qreal ratio = devicePixelRatioF();
    // Transparent where nothing is drawn, so the erased background shows through.
    picture.image = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.image.setDevicePixelRatio(ratio);
    picture.image.fill(Qt::transparent);
    QPainter painter(&picture.image);
    DrawMode(painter, rect(), overDistance);
    picture.version = m_profileVersion;
}

bool CProfilePlot::DrawOtherMode() {
    const int32_t other = m_overDistance != 0 ? 0 : 1;
    Picture& picture = m_pictures[other];
    if (IsCurrent(picture)) {
        return false;
    }
    DrawPicture(picture, other);
    return true;
}

void CProfilePlot::paintEvent(QPaintEvent*) {
    const int32_t mode = m_overDistance != 0 ? 1 : 0;
    Picture& picture = m_pictures[mode];
    if (!IsCurrent(picture)) {
        DrawPicture(picture, mode);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, picture.image);
    if (!m_otherQueued && !IsCurrent(m_pictures[1 - mode])) {
        m_otherQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_otherQueued = false;
            DrawOtherMode();
        });
    }
}

void CProfilePlot::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit DoubleClicked();
    }
}
