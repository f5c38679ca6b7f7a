#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QIcon>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <QTimer>

#include "analysis/AnalysisSettings.h"
#include "app/CTemplateDialog.h"
#include "dem/TerrainModel.h"
#include "report/DisplayOptions.h"
#include "report/Report.h"
#include "report/ReportFile.h"
#include "track/TrackSectionList.h"
#include "ui/CProfilePlot.h"
#include "ui/CProfileWnd.h"
#include "ui/CSectionsModel.h"
#include "ui/CStatisticsModel.h"

class QAction;
class QMenu;
class QTextBrowser;

/// The fourth entry of the connection combo: choosing it ends the program at the next
/// recompute with exit status 42.
inline constexpr int ConnectDontSelect = 3;
inline constexpr int kDontSelectExitStatus = 42;

/// The main window: the loaded sections, the choice of sections and modes, the joined track
/// with its statistics and profile. It owns all the data and lives as long as the program.
class CAnalyzerDlg : public CTemplateDialog {
    Q_OBJECT

public:
    explicit CAnalyzerDlg(QWidget* parent = nullptr);
    ~CAnalyzerDlg() override;

    QTableView m_statsList;              // statistics list, control 1020
    CProfilePlot m_plot;                 // profile plot, control 1016
    QTableView m_sectionsList;           // sections list, control 1000; row i is m_sections[i]
    int m_plotMode = 0;                  // 0 over distance, 1 over time
    int m_connectionMode = ConnectAuto;  // index of the connection entry
    double m_verticalThreshold = 15.0;   // metres
    double m_speedThreshold = 1.8;       // km/h
    bool m_sectionsChanged = false;      // the next display pass refills the sections list
    QIcon m_hIcon;
    std::unique_ptr<CProfileWnd> m_profileWnd;  // created when first shown
    TrackSectionList m_sections;                // the loaded sections, in reading order
    TrackSection m_track;                       // the joined and analysed track
    AnalysisSettings m_analysis;                // the settings m_track was analysed with
    DisplayOptions m_display;                   // units and time zone of the texts
    ElevationSource m_elevation = ElevationSource::Recorded;  // the heights the figures take
    QString m_terrainFolder;                  // of the terrain tiles; empty when none
    std::unique_ptr<TerrainModel> m_terrain;  // its tiles, while there is a folder
    QStringList m_startFiles;                 // files named on the command line, opened once shown

    void OnLoadTrack();
    void OnAppend();
    /// The Open dialog for several files, appended to the loaded sections.
    void OnAppendFiles();
    /// Loads a file of the recent ones.
    void OnOpenRecent(const QString& path);
    /// Ends the window as Exit does.
    void OnQuit();
    void OnClear();
    void OnUpdate();
    void OnPlotModeSelEndOk();
    void OnSectionsItemChanged();
    void OnHelpButton();
    void OnTimer();
    void OnSysCommand(int command);
    /// Opens the profile window, or brings it to the front.
    void OnShowProfile();
    void OnCopyRows(const QTableView& list);
    void OnExportStatistics();
    void OnExportPoints();
    void OnSaveProfile();
    /// Shows the texts in other units or another time zone, and remembers the choice.
    void SetDisplay(const DisplayOptions& options);
    /// The folder dialog for the terrain tiles.
    void OnTerrainFolder();
    /// Takes the terrain heights from another folder (none when empty), looks up every loaded
    /// section again, remembers the choice and recomputes.
    void SetTerrainFolder(const QString& folder);
    /// Computes the figures from other heights, and remembers the choice.
    void SetElevationSource(ElevationSource source);
    /// Reads files as Load and Append do: the first that gives sections replaces the loaded
    /// ones and every section is selected afterwards, unless appendAll adds them all to the
    /// loaded ones. A file that gives no sections changes nothing.
    void OpenFiles(const QStringList& paths, bool appendAll);
    /// The entries of the window's context menu, the same wherever it opens; list: the list it
    /// opened over, whose rows Copy takes.
    void FillContextMenu(QMenu& menu, QTableView* list);
    /// Joins the chosen sections, analyses them and shows the result.
    void RecomputeTrack();
    /// Whether the recompute timer runs: a recompute is still to come.
    bool IsRecomputePending() const { return m_timer.isActive(); }

    /// How the sections are joined for an entry of the connection combo other than the last.
    static ConnectionMode ConnectionModeOf(int entry);

    /// The period of the recompute timer, restarted by every change of the choice.
    static constexpr int kRecomputeDelay = 100;  // milliseconds

signals:
    /// A recompute has finished, its display pass included.
    void TrackRecomputed();

protected:
    bool OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;
    int LeftColumnGrowth(int extraWidth) const override;
    void done(int result) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    struct Actions {  // the commands with their shortcuts, in the menu and on the keyboard
        QAction* load;
        QAction* appendFiles;
        QAction* showProfile;
        QAction* exportStatistics;
        QAction* exportPoints;
        QAction* saveProfile;
        QAction* help;
        QAction* quit;
        QAction* units[2];       // metric, imperial
        QAction* times[2];       // GMT, local
        QAction* elevations[3];  // by ElevationSource
        QAction* terrainFolder;
        QAction* noTerrain;
    };

    void ConnectCommands();
    void CreateActions();
    void CreateTerrainActions();
    void FillElevationMenu(QMenu& menu);
    /// The terrain folder remembered, else that of PELORIN_DEM; opens its model.
    void RestoreTerrain();
    /// Looks up the terrain heights of a file's sections just read; what it says goes to
    /// messages.
    void AddFileTerrainHeights(TrackSectionList& read, const QString& path,
                               std::vector<std::string>& messages);
    /// Tells for each loaded file how many of its points the elevation source would give a
    /// terrain height but have none.
    void TellWithoutTerrain();
    void AddAboutEntry();
    void RestoreChoices();
    void StoreChoices();
    void ShowContextMenu(const QPoint& globalPos, QTableView* list);
    bool ReadThreshold(int id, double& value);
    void WriteThreshold(int id, double value);
    void ShowData();
    /// The statistics list from the figures, in the display options.
    void ShowStatistics();
    std::vector<std::size_t> SelectedRows() const;
    void RestartTimer();
    void ReadFiles(const QStringList& paths, bool appendAll);
    void ShowHelpWindow(const QString& page);
    TrackStatistics AnalysedTrack(TrackSection& track) const;
    Report CurrentReport() const;
    QSize ProfilePictureSize() const;
    void SaveOrWarn(const QString& path, const std::function<bool(const TextSink&)>& produce);

    CSectionsModel m_sectionsModel{m_sections};
    std::vector<std::pair<std::size_t, std::string>> m_files;  // first section of each file, path
    CStatisticsModel m_statsModel;
    Actions m_actions{};
    QTimer m_timer;
    QPointer<QTextBrowser> m_helpWindow;
    uint64_t m_trackVersion = 0;             // counts the joins into m_track
    std::optional<uint64_t> m_statsVersion;  // the join the statistics list shows
    TrackStatistics m_statistics{};          // its figures
    ChannelStatistics m_channels;            // and those of its channels
    int m_statsWidth = 0;                    // pixels the statistics list needs for its columns
    struct StoredChoices {                   // as last written to the settings
        int plotMode = 0;
        int connectionMode = ConnectAuto;
        double verticalThreshold = 15.0;  // metres
        double speedThreshold = 1.8;      // km/h
        bool operator==(const StoredChoices&) const = default;
    } m_storedChoices;
};
