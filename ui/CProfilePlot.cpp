#include "ui/CProfilePlot.h"

#include <cstring>

#include <QMouseEvent>
#include <QPainter>

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
    QtPlotCanvas canvas(painter);
    RepeatSkippingCanvas skipping(canvas);
    const PlotRect rect{item.left(), item.top(), item.right() + 1, item.bottom() + 1};
    DrawProfile(skipping, m_profile.points.GetData(), m_profile.points.GetSize(),
                m_overDistance != 0, rect);
}

void CProfilePlot::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_picture.size() != pixels || m_picture.devicePixelRatio() != ratio
        || m_pictureVersion != m_profileVersion || m_pictureOverDistance != m_overDistance) {
        // Transparent where nothing is drawn, so the erased background shows through.
        m_picture = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        QPainter picture(&m_picture);
        DrawItem(picture, rect());
        m_pictureVersion = m_profileVersion;
        m_pictureOverDistance = m_overDistance;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void CProfilePlot::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit DoubleClicked();
    }
}
