#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "report/DisplayOptions.h"

/// The choices Pelorin keeps between runs, in the platform's usual place for settings (the
/// registry on Windows, ~/.config/Pelorin/Pelorin.conf on Linux); tests point QSettings at a
/// folder of their own. A remembered choice is a key below and, where its value needs a rule,
/// a pair of accessors here. Every value read back is checked: one that no longer reads
/// gives the default.
class SettingsStore {
public:
    // Keys, grouped by window.
    static constexpr char kMainGeometry[] = "window/geometry";
    static constexpr char kProfileGeometry[] = "profile/geometry";
    static constexpr char kProfileChannel[] = "profile/channel";  // what the second plot shows
    static constexpr char kPlotMode[] = "window/plotMode";
    static constexpr char kConnectionMode[] = "window/connectionMode";
    static constexpr char kVerticalThreshold[] = "window/verticalThreshold";  // metres
    static constexpr char kSpeedThreshold[] = "window/speedThreshold";        // km/h
    static constexpr char kRecentFiles[] = "window/recentFiles";
    static constexpr char kElevation[] = "window/elevation";  // an ElevationSource
    /// The folder of terrain tiles; empty once the user chose none. While the key is absent,
    /// PELORIN_DEM names the folder.
    static constexpr char kTerrainFolder[] = "terrain/folder";
    static constexpr char kMapSource[] = "map/source";  // a source's name or an offline map's path
    static constexpr char kOfflineMaps[] = "map/offlineMaps";  // the paths added, in order
    static constexpr char kMapDownload[] = "map/download";     // tiles may come from tile servers
    static constexpr char kUnits[] = "display/units";
    static constexpr char kTime[] = "display/time";
    static constexpr int kRecentFileCount = 10;

    SettingsStore();

    /// Keeps the settings of this process in a folder instead, as an INI file: for tests and
    /// the programs that make pictures, which start from the defaults and leave the user's
    /// settings alone.
    static void UseFolder(const QString& folder);

    QVariant Value(const char* key, const QVariant& fallback = {}) const;
    void SetValue(const char* key, const QVariant& value);
    /// Forgets every choice.
    void Clear();

    /// An entry of a choice of count entries; the fallback when the stored one is none of them.
    int Choice(const char* key, int count, int fallback) const;
    /// A threshold, stored as the edits show it; the fallback when the text no longer reads as
    /// a threshold.
    double Threshold(const char* key, double fallback) const;
    void SetThreshold(const char* key, double value);

    /// The files opened last, the latest first, at most kRecentFileCount.
    QStringList RecentFiles() const;
    void AddRecentFile(const QString& path);

    /// The folder a file dialog showed last; empty when there is none.
    QString LastFolder(const char* dialog) const;
    /// Remembers the folder of the file chosen in a file dialog.
    void SetLastFolder(const char* dialog, const QString& chosenFile);

    DisplayOptions Display() const;
    void SetDisplay(const DisplayOptions& options);

private:
    QSettings m_settings;
};
