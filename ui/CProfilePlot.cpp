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
    Picture& picture = m_pictures[m_overDistance != 0 ? 1 : 0];
    if (picture.image.size() != pixels || picture.image.devicePixelRatio() != ratio
        || picture.version != m_profileVersion) {
        // Transparent where nothing is drawn, so the erased background shows through.
        picture.image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        picture.image.setDevicePixelRatio(ratio);
        picture.image.fill(Qt::transparent);
        QPainter painter(&picture.image);
        DrawItem(painter, rect());
        picture.version = m_profileVersion;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, picture.image);
}

void CProfilePlot::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit DoubleClicked();
    }
}
