#pragma once

#include <cstddef>
#include <optional>

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "plot/PlanProjection.h"
#include "qt/StepwiseDrawing.h"

class CProfileWnd;

/// The track from above, with the point under the profile's cursor and the range selection.
class CPlanArea : public QWidget {
    Q_OBJECT

public:
    explicit CPlanArea(CProfileWnd& owner);
    ~CPlanArea() override;
    void Invalidate();
    /// Draws at the new size once a resize has come to rest, in steps between events.
    void Settle();
    /// Draws the next points of the picture being drawn; true when more steps are left.
    bool DrawStep(std::size_t points) { return m_drawing.Step(points); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CProfileWnd& m_owner;
    QImage m_picture;
    bool m_pictureValid = false;
    std::optional<PlanProjection> m_projection;  // the picture's
    QTimer m_settle;                             // as in the profile
    bool m_resizing = false;
    StepwiseDrawing m_drawing{this};  // the picture at rest
};
