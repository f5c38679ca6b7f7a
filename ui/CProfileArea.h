#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include <QImage>

#include "plot/ProfilePicture.h"
#include "ui/CPictureArea.h"

class CProfileWnd;

/// The profile at the window's size with its axes; the readout's cursor, zoom and range
/// selection by mouse.
class CProfileArea : public CPictureArea {
    Q_OBJECT

public:
    explicit CProfileArea(CProfileWnd& owner);
    ~CProfileArea() override;
    /// The parts of the picture at the current size, zoom and track.
    const ProfilePictureParts& Parts();
    /// Drops the parts, and a picture at rest being drawn, after a change of zoom or track.
    void Invalidate();
    void Settle() override;
    /// Starts drawing the whole track's picture of the mode not shown, in steps between events,
    /// unless one of the current track and size is kept already; true when it started. The area
    /// does it when idle after showing a picture, so that the first switch of the mode finds
    /// its picture ready.
    bool DrawOtherMode();
    /// True when the whole track's picture of the mode is kept for the current track and size.
    bool HasWholePicture(bool overDistance) const {
        return IsCurrent(m_whole[overDistance ? 1 : 0]);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void SizeChanged() override { m_partsValid = false; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Pending {  // what the picture being drawn in steps is for
        bool overDistance;
        bool shown;   // to be shown once complete; else kept for a switch of the mode
        bool zoomed;  // not the whole track
    };
    struct Whole {  // the whole track's picture of each mode, kept for switching back
        QImage image;
        uint64_t version = 0;
    };
    void DrawPicture();
    void StartDrawing(const ProfileView& view, const ProfilePictureParts& parts, bool shown);
    /// The point under a pixel column; there must be points.
    std::size_t PointAt(int x);
    void Finished(const Pending& pending, uint64_t version, const QImage& image);
    bool IsCurrent(const Whole& whole) const;
    std::optional<Pending> PendingPicture() const;

    CProfileWnd& m_owner;
    std::optional<ProfilePictureParts> m_parts;
    bool m_partsValid = false;
    Whole m_whole[2];            // over time, over distance
    bool m_otherQueued = false;  // DrawOtherMode is waiting for the event loop
    Pending m_pending{};             // what m_drawing draws, while it draws
    std::optional<int> m_dragStart;  // pixel column where the button went down
    int m_dragEnd = 0;
    bool m_dragRange = false;  // Shift held: a range for the figures, else a span to zoom into
};
