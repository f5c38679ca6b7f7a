#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include <QImage>

#include "qt/SteppedImage.h"

class QObject;

/// A picture drawn in steps between events: each step draws some points and returns to the
/// event loop, so that drawing a long track never holds a window up. The steps stop when the
/// drawing is dropped, completed, or no longer valid (its points are gone).
class StepwiseDrawing {
public:
    using Valid = std::function<bool()>;
    using Finished = std::function<void(const QImage& image)>;

    /// The steps run in the event loop of context, and end with it.
    explicit StepwiseDrawing(QObject* context) : m_context(context) {}
    StepwiseDrawing(const StepwiseDrawing&) = delete;
    StepwiseDrawing& operator=(const StepwiseDrawing&) = delete;

    /// Starts drawing in steps, dropping a drawing under way; finished takes the picture once
    /// it is complete.
    void Start(std::unique_ptr<SteppedImage> image, Valid valid, Finished finished);
    /// Drops the drawing under way.
    void Cancel() { m_image.reset(); }
    bool IsDrawing() const { return m_image != nullptr; }

    /// Draws about the given number of points now (the rest at once: twice the track's points);
    /// true when steps are left. A drawing that is no longer valid is dropped first.
    bool Step(std::size_t points);

    /// Points per step: some 10 to 20 ms of drawing a jittery recording.
    static constexpr std::size_t kStepPoints = 250000;

private:
    void Queue();

    QObject* m_context;
    std::unique_ptr<SteppedImage> m_image;
    Valid m_valid;
    Finished m_finished;
    bool m_queued = false;  // a step is waiting for the event loop
};
