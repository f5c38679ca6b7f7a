#include "qt/StepwiseDrawing.h"

#include <utility>

#include <QTimer>

void StepwiseDrawing::Start(std::unique_ptr<SteppedImage> image, Valid valid, Finished finished) {
    m_image = std::move(image);
    m_valid = std::move(valid);
    m_finished = std::move(finished);
    Queue();
}

bool StepwiseDrawing::Step(std::size_t points) {
    if (!m_image) {
        return false;
    }
    if (m_valid && !m_valid()) {
        m_image.reset();
        return false;
    }
    if (!m_image->Step(points)) {
        return true;
    }
    // Taken out first: the receiver may start the next drawing.
    const std::unique_ptr<SteppedImage> done = std::move(m_image);
    const Finished finished = std::move(m_finished);
    finished(done->Image());
    return false;
}

void StepwiseDrawing::Queue() {
    if (m_queued) {
        return;
    }
    m_queued = true;
    QTimer::singleShot(0, m_context, [this] {
        m_queued = false;
        if (Step(kStepPoints)) {
            Queue();
        }
    });
}
