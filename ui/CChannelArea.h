#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QComboBox>

#include "plot/ChannelPicture.h"
#include "plot/ChannelSeries.h"
#include "ui/CPictureArea.h"

class CProfileWnd;

/// The profile window's second plot, under the profile at its width: the speed or a channel
/// of the track over the same axis and zoom, with the range and the cursor line. Moving the
/// mouse over it moves the readout's cursor. Its picture is drawn at once: a few strokes a
/// pixel column.
class CChannelArea : public CPictureArea {
    Q_OBJECT

public:
    explicit CChannelArea(CProfileWnd& owner);
    ~CChannelArea() override;

    /// Drops the picture after a change of zoom, track or options; after a new track or
    /// options, offers the track's series again and shows the remembered one, else the speed.
    void Invalidate();
    PlotSeries Series() const { return m_series; }
    /// What the plot shows, at the area's height.
    ChannelPlot Plot();
    /// The parts of the picture at the current size, zoom and track.
    const ProfilePictureParts& Parts();
    void Settle() override;

    QComboBox m_chooser;  // the series shown; the window lays it out beside the readout

protected:
    void paintEvent(QPaintEvent* event) override;
    void SizeChanged() override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void OfferSeries();
    void Show(PlotSeries series);
    /// One value per point, or null without points.
    const double* Values();

    CProfileWnd& m_owner;
    uint64_t m_version = 0;  // the owner's track version the chooser offers the series of
    PlotSeries m_series = PlotSeries::Speed;
    std::vector<double> m_speeds;  // in the shown unit; worked out when the speed is first shown
    bool m_speedsValid = false;
    std::optional<ProfilePictureParts> m_parts;
};
