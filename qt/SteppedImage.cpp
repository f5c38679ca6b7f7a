#include "qt/SteppedImage.h"

#include <utility>

namespace {

QImage BlankPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPlotBackground);
    return image;
}

}  // namespace

SteppedImage::SteppedImage(QSize size, Steps steps, Finish finish, std::optional<PlotRect> clip)
    : m_image(BlankPicture(size)),
      m_painter(&m_image),
      m_steps(std::move(steps)),
      m_finish(std::move(finish)) {
    if (clip) {
        m_painter.setClipRect(
            QRect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top));
    }
    m_canvas.emplace(m_painter);
    m_skipping.emplace(*m_canvas, clip.value_or(PlotRect{0, 0, size.width(), size.height()}));
}

SteppedImage::SteppedImage(QImage image, Steps steps)
    : m_image(std::move(image)), m_painter(&m_image), m_steps(std::move(steps)) {
    m_canvas.emplace(m_painter);
    m_skipping.emplace(*m_canvas);
}

bool SteppedImage::Step(std::size_t points) {
    if (m_complete || !m_steps(*m_skipping, points)) {
        return m_complete;
    }
    m_skipping.reset();  // hands on the lines held back
    m_canvas.reset();
    m_painter.setClipping(false);
    if (m_finish) {
        m_finish(m_painter);
    }
    m_painter.end();
    m_complete = true;
    return true;
}
