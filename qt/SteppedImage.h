#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QPainter>

#include "plot/PlotCanvas.h"
#include "plot/RepeatSkippingCanvas.h"
#include "qt/QtPlotCanvas.h"

/// A picture of the profile window drawn in steps of some points each, so that a long track
/// is drawn between events without holding the window up: the canvas, its repeat skipping
/// and the painter live from step to step and see the same operations however the steps are
/// cut. Once the steps are done, the finish draws on top with the painter.
class SteppedImage {
public:
    using Steps = std::function<bool(PlotCanvas& canvas, std::size_t points)>;
    using Finish = std::function<void(QPainter& painter)>;

    /// On the window's background, with lines wholly beyond the surface left out.
    SteppedImage(QSize size, Steps steps, Finish finish);
    /// On the given image, every line handed on.
    SteppedImage(QImage image, Steps steps);
    SteppedImage(const SteppedImage&) = delete;
    SteppedImage& operator=(const SteppedImage&) = delete;

    /// The canvas, for drawing before the first step.
    PlotCanvas& Canvas() { return *m_skipping; }
    /// Draws about the given number of points more; true once the picture is complete.
    bool Step(std::size_t points);
    /// Complete once Step returned true.
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
    QPainter m_painter;
    std::optional<QtPlotCanvas> m_canvas;
    std::optional<RepeatSkippingCanvas> m_skipping;
    Steps m_steps;
    Finish m_finish;
    bool m_complete = false;
};
