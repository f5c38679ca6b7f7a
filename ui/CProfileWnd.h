#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

#include "analysis/AnalysisSettings.h"
#include "plot/ProfileZoom.h"
#include "track/TrackSection.h"
#include "ui/CPlanArea.h"
#include "ui/CProfileArea.h"
#include "ui/CStatisticsModel.h"

class CProfilePlot;

inline constexpr QRgb kMarkerColour = 0xFF000000;  // cursor marks and axes

/// A window of its own with the profile up close: axes, a readout under the cursor, zoom,
/// the figures of a range and the plan view. It follows the main window's plot: its points
/// and its mode, and the settings they were analysed with.
class CProfileWnd : public QWidget {
    Q_OBJECT

public:
    explicit CProfileWnd(QWidget* parent);
    ~CProfileWnd() override;

    /// Takes up the plot's current points and mode; cheap when neither changed. The settings
    /// are those the points were analysed with, for the figures of a range.
    void Follow(const CProfilePlot& plot, const AnalysisSettings& settings);

    const TrackPoint* Points() const;
    std::size_t Count() const;
    bool OverDistance() const { return m_overDistance; }
    ProfileZoom& Zoom() { return m_zoom; }
    const std::optional<std::size_t>& Cursor() const { return m_cursor; }
    const std::optional<std::pair<std::size_t, std::size_t>>& Range() const { return m_range; }
    uint64_t TrackVersion() const { return m_version; }
    const AnalysisSettings& Settings() const { return m_settings; }

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
    AnalysisSettings m_settings;
    ProfileZoom m_zoom;
    std::optional<std::size_t> m_cursor;
    std::optional<std::pair<std::size_t, std::size_t>> m_range;
    CStatisticsModel m_rangeModel;
};
