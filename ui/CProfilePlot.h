#pragma once

#include <cstdint>

#include <QAbstractButton>
#include <QImage>

#include "qt/StepwiseDrawing.h"
#include "track/TrackSection.h"

class QPainter;

/// The altitude profile of the joined track. It draws its own copy of the points, which the
/// window replaces after every recompute, and paints no background of its own.
class CProfilePlot : public QAbstractButton {
    Q_OBJECT

public:
    explicit CProfilePlot(QWidget* parent = nullptr);
    ~CProfilePlot() override;

    TrackSection m_profile;      // copy of the joined track's points and channels
    int32_t m_overDistance = 1;  // 1: plot over distance, 0: over time

    /// Replaces the points and channels with copies of the track's, all fields.
    void SetProfile(const TrackSection& track);

    /// Counts the replacements of the points.
    uint64_t ProfileVersion() const { return m_profileVersion; }

    /// Draws the whole plot into the item rectangle, whatever state the button is in.
    void DrawItem(QPainter& painter, const QRect& item);

    /// Starts drawing the picture of the mode not shown, in steps between events, unless one
    /// of the current points and size is kept already; true when it started. The plot does it
    /// when idle after showing a new picture, so that the first switch finds it ready.
    bool DrawOtherMode();
    /// True when the picture of the mode is kept for the current points and size.
    bool HasPicture(bool overDistance) const { return IsCurrent(m_pictures[overDistance ? 1 : 0]); }
    /// Draws the next points of the picture being drawn; true when more steps are left.
    bool DrawStep(std::size_t points) { return m_drawing.Step(points); }

signals:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // A repaint of an unchanged plot (expose, resize back, focus, the mode switched back)
    // shows a picture drawn before instead of walking a long track again; it is drawn afresh
    // whenever the points or the size differ from those it was drawn with.
    // One picture per mode, so that switching back and forth draws each mode once.
    struct Picture {
        QImage image;
        uint64_t version = 0;
    };
    void DrawMode(QPainter& painter, const QRect& item, int32_t overDistance);
    QImage BlankPicture() const;
    bool IsCurrent(const Picture& picture) const;
    void DrawPicture(Picture& picture, int32_t overDistance);

    Picture m_pictures[2];            // over time, over distance
    uint64_t m_profileVersion = 0;    // counts the replacements of the points
    bool m_otherQueued = false;       // DrawOtherMode is waiting for the event loop
    StepwiseDrawing m_drawing{this};  // the other mode's picture
    int32_t m_drawingMode = 0;
};
