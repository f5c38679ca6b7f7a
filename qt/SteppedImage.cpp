#include "qt/SteppedImage.h"

#include <utility>

namespace {

QImage BlankPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPlotBackground);
    return image;
}

}  // namespace

SteppedImage::SteppedImage(QSize size, Steps steps, Finish finish)
    : m_image(BlankPicture(size)),
      m_painter(&m_image),
      m_steps(std::move(steps)),
      m_finish(std::move(finish)) {
    m_canvas.emplace(m_painter);
    m_skipping.emplace(*m_canvas, PlotRect{0, 0, size.width(), size.height()});
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
    if (m_finish) {
        m_finish(m_painter);
    }
    m_painter.end();
    m_complete = true;
    return true;
}
