#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

#include "analysis/AnalysisSettings.h"
#include "analysis/Statistics.h"
#include "plot/ProfileAxis.h"
#include "plot/ProfilePicture.h"
#include "plot/ProfileZoom.h"
#include "report/DisplayOptions.h"
#include "track/TrackSection.h"
#include "ui/CChannelArea.h"
#include "ui/CMapArea.h"
#include "ui/CPlanArea.h"
#include "ui/CProfileArea.h"
#include "ui/CStatisticsModel.h"

class CProfilePlot;

inline constexpr QRgb kMarkerColour = 0xFF000000;  // cursor marks and axes

/// A window of its own with the profile up close: axes, a readout under the cursor, zoom,
/// the figures of a range and the plan view. It follows the main window's plot: its points
/// and its mode, the settings they were analysed with and how the texts are shown. Jumps
/// between runs that are not connected take a narrow gap on its axis.
class CProfileWnd : public QWidget {
    Q_OBJECT

public:
    explicit CProfileWnd(QWidget* parent);
    ~CProfileWnd() override;

    /// Takes up the plot's current points and mode; cheap when nothing changed. The settings
    /// are those the points were analysed with, for the figures of a range.
    void Follow(const CProfilePlot& plot, const AnalysisSettings& settings,
                const DisplayOptions& options);

    const TrackSection* Track() const { return m_track; }
    const TrackPoint* Points() const;
    std::size_t Count() const;
    bool OverDistance() const { return m_overDistance; }
    ProfileZoom& Zoom() { return m_zoom; }
    /// The axis of a mode, worked out when first asked for.
    const ProfileAxis& Axis(bool overDistance);
    /// What the pictures show in the current mode and zoom, or of the whole track in a mode.
    ProfileView View();
    ProfileView WholeView(bool overDistance);
    ProfileMarks Marks() const { return {m_range, m_cursor}; }
    const std::optional<std::size_t>& Cursor() const { return m_cursor; }
    const std::optional<std::pair<std::size_t, std::size_t>>& Range() const { return m_range; }
    /// Counts the changes of what the pictures show besides the zoom: the track and the options.
    uint64_t TrackVersion() const { return m_version; }
    const AnalysisSettings& Settings() const { return m_settings; }

    void SetCursor(std::size_t i);
    /// Analyses the points first to last on their own and lists their figures.
    void SetRange(std::size_t first, std::size_t last);
    /// Redraws after the zoom changed.
    void ZoomChanged();
    void OnSavePicture();
    /// Writes the profile, the second plot and the plan at the window's size as SVG or PNG, never
    /// in part; false when it failed, leaving the file as it was.
    bool WritePicture(const QString& path, bool svg);
    /// Remembers where the window stands and how large it is.
    void SaveGeometry();
    /// Lets the elevation choice be made here while there is a terrain folder.
    void SetTerrainAvailable(bool available) { m_elevationChoice.setEnabled(available); }

    QWidget m_pictureArea;  // profile and plan, as "Save Picture..." writes them; before them
    CProfileArea m_profileArea;
    CPlanArea m_planArea;
    CMapArea m_mapArea;  // over the plan view while it has tiles
    CChannelArea m_channelArea;  // the second plot, under the profile
    QLabel m_readout;
    QTableView m_rangeList;
    QPushButton m_savePicture;
    QComboBox m_elevationChoice;  // the elevation source, beside Save Picture

signals:
    /// The readout shows a new point.
    void ReadoutChanged();
    /// The user chose another elevation source here.
    void ElevationChosen(ElevationSource source);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowRangeFigures();
    /// The view with the heights the track has besides its altitudes.
    ProfileView WithElevations(ProfileView view) const;

    const TrackSection* m_track = nullptr;
    uint64_t m_plotVersion = 0;  // the plot's count of replacements of its points
    uint64_t m_version = 0;
    bool m_overDistance = true;
    AnalysisSettings m_settings;
    DisplayOptions m_options;
    TrackBreaks m_breaks;
    ProfilePoints m_packed;                // what the pictures read of each point
    std::optional<ProfileAxis> m_axes[2];  // over time, over distance
    ProfileZoom m_zoom;
    std::optional<std::size_t> m_cursor;
    std::optional<std::pair<std::size_t, std::size_t>> m_range;
    TrackSection m_rangeTrack;  // the range cut out and analysed; its storage serves again
    TrackStatistics m_rangeStatistics{};
    ChannelStatistics m_rangeChannels;
    CStatisticsModel m_rangeModel;
};
