#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <QImage>
#include <QPainter>

#include "ui/PlanView.h"
#include "ui/ProfilePicture.h"
#include "ui/QtPlotCanvas.h"
#include "ui/RepeatSkippingCanvas.h"

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

/// The profile with its axes as the parts lay them out, to be drawn in steps.
std::unique_ptr<SteppedImage> ProfileImage(const ProfilePictureParts& parts,
                                           const TrackPoint* points, std::size_t count,
                                           bool overDistance, QSize size);

/// The plan view: the track from above, and the range's points over it in a wide translucent
/// pen, to be drawn in steps.
std::unique_ptr<SteppedImage> PlanImage(const TrackPoint* points, std::size_t count,
                                        const PlanProjection& projection,
                                        std::optional<std::pair<std::size_t, std::size_t>> range,
                                        QSize size);

/// The profile's picture drawn at once.
QImage DrawProfileImage(const ProfilePictureParts& parts, const TrackPoint* points,
                        std::size_t count, bool overDistance, QSize size);
