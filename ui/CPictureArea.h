#pragma once

#include <cstddef>

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "qt/StepwiseDrawing.h"

/// A widget showing a picture of the track drawn for its size. While the size changes, the last
/// picture is shown stretched; once no resize came for a moment the picture is drawn anew at the
/// size it rests at, in steps between events.
class CPictureArea : public QWidget {
    Q_OBJECT

public:
    explicit CPictureArea(QWidget* parent = nullptr);
    ~CPictureArea() override;

    /// Draws at the new size once a resize has come to rest, in steps between events.
    virtual void Settle() = 0;
    /// Draws the next points of the picture being drawn; true when more steps are left.
    bool DrawStep(std::size_t points) { return m_drawing.Step(points); }
    /// The last picture is shown stretched until the size rests.
    bool IsStretched() const { return m_resizing; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    /// Drops what was worked out for the old size.
    virtual void SizeChanged() = 0;
    /// While the size changes: paints the last picture stretched and returns true.
    bool PaintStretched();

    QImage m_picture;  // shown
    bool m_pictureValid = false;
    bool m_resizing = false;  // the size changes: the picture is shown stretched
    QTimer m_settle;          // runs out once the size rests
    StepwiseDrawing m_drawing{this};
};
