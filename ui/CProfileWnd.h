#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWidget>

#include "track/TrackSection.h"
#include "ui/CStatisticsModel.h"
#include "ui/PlanView.h"
#include "ui/ProfileImage.h"
#include "ui/ProfilePicture.h"
#include "ui/ProfileView.h"

class CProfilePlot;
class CProfileWnd;

inline constexpr QRgb kMarkerColour = 0xFF000000;  // cursor marks and axes

/// Makes the timer call settle once no resize came for a moment.
void SetUpSettleTimer(QTimer& timer, QWidget* widget, std::function<void()> settle);

/// The profile at the window's size with its axes; the readout's cursor, zoom and range
/// selection by mouse.
class CProfileArea : public QWidget {
    Q_OBJECT

public:
    explicit CProfileArea(CProfileWnd& owner);
    ~CProfileArea() override;
    /// The parts of the picture at the current size, zoom and track.
    const ProfilePictureParts& Parts();
    /// Drops the parts, and a picture at rest being drawn, after a change of zoom or track.
    void Invalidate();
    /// Draws at the new size once a resize has come to rest, in steps between events.
    void Settle();
    /// Starts drawing the whole track's picture of the mode not shown, in steps between events,
    /// unless one of the current track and size is kept already; true when it started. The area
    /// does it when idle after showing a picture, so that the first switch of the mode finds
    /// its picture ready.
    bool DrawOtherMode();
    /// Draws the next points of the picture being drawn; true when more steps are left.
    bool DrawStep(std::size_t points);
    /// True when the whole track's picture of the mode is kept for the current track and size.
    bool HasWholePicture(bool overDistance) const {
        return IsCurrent(m_whole[overDistance ? 1 : 0]);
    }

    /// Points per step: some 10 to 20 ms of drawing a jittery recording.
    static constexpr std::size_t kStepPoints = 250000;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Pending {  // a picture being drawn in steps
        std::unique_ptr<SteppedImage> drawing;
        bool overDistance;
        bool shown;   // to be shown once complete; else kept for a switch of the mode
        bool zoomed;  // not the whole track
        uint64_t version;
    };
    void DrawPicture();
    void StartDrawing(bool overDistance, const ProfilePictureParts& parts, bool shown);
    void QueueStep();

    CProfileWnd& m_owner;
    std::optional<ProfilePictureParts> m_parts;
    bool m_partsValid = false;
    QImage m_picture;
    bool m_pictureValid = false;
    // While the size changes, the last picture is shown stretched; the track is drawn again at
    // the new size when no resize came for a moment.
    QTimer m_settle;
    bool m_resizing = false;
    struct Whole {  // the whole track's picture of each mode, kept for switching back
        QImage image;
        uint64_t version = 0;
    };
    bool IsCurrent(const Whole& whole) const;

    Whole m_whole[2];            // over time, over distance
    bool m_otherQueued = false;  // DrawOtherMode is waiting for the event loop
    std::optional<Pending> m_pending;
    bool m_stepQueued = false;       // DrawStep is waiting for the event loop
    std::optional<int> m_dragStart;  // pixel column where the button went down
    int m_dragEnd = 0;
    bool m_dragRange = false;  // Shift held: a range for the figures, else a span to zoom into
};

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
    bool DrawStep(std::size_t points);

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
    std::unique_ptr<SteppedImage> m_drawing;  // the picture at rest being drawn
    uint64_t m_drawingVersion = 0;
    bool m_stepQueued = false;

    void QueueStep();
};

/// A window of its own with the profile up close: axes, a readout under the cursor, zoom,
/// the figures of a range and the plan view. It follows the main window's plot: its points
/// and its mode, and the thresholds they were analysed with.
class CProfileWnd : public QWidget {
    Q_OBJECT

public:
    explicit CProfileWnd(QWidget* parent);
    ~CProfileWnd() override;

    /// Takes up the plot's current points and mode; cheap when neither changed.
    void Follow(const CProfilePlot& plot, int connectionMode, double verticalThreshold,
                double speedThresholdKmh);

    const TrackPoint* Points() const;
    std::size_t Count() const;
    bool OverDistance() const { return m_overDistance; }
    ProfileZoom& Zoom() { return m_zoom; }
    const std::optional<std::size_t>& Cursor() const { return m_cursor; }
    const std::optional<std::pair<std::size_t, std::size_t>>& Range() const { return m_range; }
    uint64_t TrackVersion() const { return m_version; }

    void SetCursor(std::size_t i);
    /// Analyses the points first to last on their own and lists their figures.
    void SetRange(std::size_t first, std::size_t last);
    /// Redraws after the zoom changed.
    void ZoomChanged();
    void OnSavePicture();
    /// Writes the profile and plan at the window's size as SVG or PNG, never in part; false
    /// when it failed, leaving the file as it was.
    bool WritePicture(const QString& path, bool svg);

    QWidget m_pictureArea;  // profile and plan, as "Save Picture..." writes them; before them
    CProfileArea m_profileArea;
    CPlanArea m_planArea;
    QLabel m_readout;
    QTableView m_rangeList;
    QPushButton m_savePicture;

signals:
    /// The readout shows a new point.
    void ReadoutChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const TrackSection* m_track = nullptr;
    uint64_t m_version = 0;  // the plot's count of replacements of its points
    bool m_overDistance = true;
    int m_connectionMode = 0;
    double m_verticalThreshold = 15.0;  // metres
    double m_speedThreshold = 1.8;      // km/h
    ProfileZoom m_zoom;
    std::optional<std::size_t> m_cursor;
    std::optional<std::pair<std::size_t, std::size_t>> m_range;
    CStatisticsModel m_rangeModel;
};
