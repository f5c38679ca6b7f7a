#include "ui/CProfilePlot.h"

#include <memory>

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "plot/ProfileDrawing.h"
#include "plot/RepeatSkippingCanvas.h"
#include "qt/QtPlotCanvas.h"

CProfilePlot::CProfilePlot(QWidget* parent) : QAbstractButton(parent) {}

CProfilePlot::~CProfilePlot() = default;

void CProfilePlot::SetProfile(const TrackSection& track) {
    CopyPoints(track, m_profile);
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

/// A blank picture of the plot's size, transparent where nothing is drawn, so that the erased
/// background shows through.
QImage CProfilePlot::BlankPicture() const {
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

void CProfilePlot::DrawPicture(Picture& picture, int32_t overDistance) {
    picture.image = BlankPicture();
    QPainter painter(&picture.image);
    DrawMode(painter, rect(), overDistance);
    picture.version = m_profileVersion;
}

bool CProfilePlot::DrawOtherMode() {
    const int32_t other = m_overDistance != 0 ? 0 : 1;
    m_drawing.Step(0);  // drops a drawing of points or a size gone
    if (IsCurrent(m_pictures[other]) || m_drawing.IsDrawing()) {
        return false;
    }
    const std::size_t count = m_profile.points.GetSize();
    if (count < 2) {
        DrawPicture(m_pictures[other], other);  // nothing to walk
        return true;
    }
    const TrackPoint* points = m_profile.points.GetData();
    const QRect item = rect();
    auto steps = std::make_shared<ProfileSteps>(
        points, count,
        ProfileMapping(points, count, other != 0,
                       PlotRect{item.left(), item.top(), item.right() + 1, item.bottom() + 1}));
    const uint64_t version = m_profileVersion;
    const QSize size = this->size() * devicePixelRatioF();
    m_drawingMode = other;
    m_drawing.Start(
        std::make_unique<SteppedImage>(
            BlankPicture(),
            [steps](PlotCanvas& canvas, std::size_t n) { return steps->Step(canvas, n); }),
        [this, version, size] {  // its points and size are still the plot's
            return version == m_profileVersion && size == this->size() * devicePixelRatioF();
        },
        [this, other, version](const QImage& image) {
            m_pictures[other] = {image, version};
        });
    return true;
}

void CProfilePlot::paintEvent(QPaintEvent*) {
    const int32_t mode = m_overDistance != 0 ? 1 : 0;
    Picture& picture = m_pictures[mode];
    if (m_drawing.IsDrawing() && m_drawingMode == mode) {
        m_drawing.Step(2 * m_profile.points.GetSize());  // drawn ahead in part: the rest at once
    }
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
