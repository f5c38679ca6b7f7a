#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "plot/PlanProjection.h"
#include "ui/CPictureArea.h"

class CProfileWnd;

/// The track from above, with the point under the profile's cursor and the range selection.
class CPlanArea : public CPictureArea {
    Q_OBJECT

public:
    explicit CPlanArea(CProfileWnd& owner);
    ~CPlanArea() override;
    /// Draws anew after a change of the track.
    void Invalidate();
    /// Draws the range anew over the track's picture, which stays.
    void RangeChanged();
    void Settle() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void SizeChanged() override { m_pictureValid = m_trackValid = false; }

private:
    void ShowTrack(const QImage& track);
    /// Where point i lies in the picture.
    PlotPoint Mapped(std::size_t i);

    CProfileWnd& m_owner;
    std::optional<PlanProjection> m_projection;  // the picture's
    QImage m_track;                              // the track alone; m_picture adds the range
    bool m_trackValid = false;
    std::vector<PlotPoint> m_mapped;  // every point's pixel, once a range asked for them
};
