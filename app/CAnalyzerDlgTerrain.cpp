#include <QActionGroup>
#include <QMenu>

#include "analysis/ElevationChoice.h"
#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "dem/TerrainHeights.h"
#include "qt/QtText.h"
#include "res/Strings.h"
#include "ui/SettingsStore.h"

// The terrain heights: the folder of tiles, the heights of the loaded sections looked up once
// for each folder, and the elevation source the figures take. The folder chosen in the window
// (or none chosen there) wins over PELORIN_DEM, which serves until a choice is made.

void CAnalyzerDlg::CreateTerrainActions() {
    auto* sources = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* action = new QAction(QString::fromLatin1(kElevationChoices[i]), sources);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, i] { SetElevationSource(static_cast<ElevationSource>(i)); });
        m_actions.elevations[i] = action;
    }
    m_actions.terrainFolder = new QAction(QString::fromLatin1(kTerrainFolderEntry), this);
    connect(m_actions.terrainFolder, &QAction::triggered, this, [this] { OnTerrainFolder(); });
    m_actions.noTerrain = new QAction(QString::fromLatin1(kNoTerrainFolderEntry), this);
    connect(m_actions.noTerrain, &QAction::triggered, this, [this] { SetTerrainFolder({}); });
}

void CAnalyzerDlg::FillElevationMenu(QMenu& menu) {
    QMenu* elevation = menu.addMenu(QString::fromLatin1(kElevationEntry));
    for (int i = 0; i < 3; ++i) {
        m_actions.elevations[i]->setChecked(static_cast<int>(m_elevation) == i);
        m_actions.elevations[i]->setEnabled(m_terrain != nullptr);
        elevation->addAction(m_actions.elevations[i]);
    }
    elevation->addSeparator();
    elevation->addAction(m_actions.terrainFolder);
    m_actions.noTerrain->setEnabled(m_terrain != nullptr);
    elevation->addAction(m_actions.noTerrain);
}

void CAnalyzerDlg::RestoreTerrain() {
    const SettingsStore store;
    m_elevation = static_cast<ElevationSource>(store.Choice(SettingsStore::kElevation, 3, 0));
    const QVariant folder = store.Value(SettingsStore::kTerrainFolder);
    m_terrainFolder = folder.isValid() ? folder.toString() : qEnvironmentVariable("PELORIN_DEM");
    if (!m_terrainFolder.isEmpty()) {
        m_terrain = std::make_unique<TerrainModel>(ToStdString(m_terrainFolder));
    }
}

void CAnalyzerDlg::OnTerrainFolder() {
    const QString folder = ChooseFolder(
        this, QString::fromLatin1(kTerrainFolderEntry).remove(QLatin1Char('&')), m_terrainFolder);
    if (!folder.isEmpty()) {
        SetTerrainFolder(folder);
    }
}

void CAnalyzerDlg::SetTerrainFolder(const QString& folder) {
    SettingsStore().SetValue(SettingsStore::kTerrainFolder, folder);
    m_terrainFolder = folder;
    m_terrain.reset();
    RemoveTerrainHeights(m_sections);
    std::vector<std::string> messages;
    if (!folder.isEmpty()) {
        const BusyCursor busy;
        m_terrain = std::make_unique<TerrainModel>(ToStdString(folder));
        AddTerrainHeights(*m_terrain, m_sections, 0, messages);
    }
    for (const std::string& message : messages) {
        ShowWarningBox(ToQString(message));
    }
    TellWithoutTerrain();
    if (m_profileWnd) {
        m_profileWnd->SetTerrainAvailable(m_terrain != nullptr);
    }
    RecomputeTrack();
}

void CAnalyzerDlg::SetElevationSource(ElevationSource source) {
    if (source == m_elevation) {
        return;
    }
    m_elevation = source;
    SettingsStore().SetValue(SettingsStore::kElevation, static_cast<int>(source));
    TellWithoutTerrain();
    RecomputeTrack();
}

void CAnalyzerDlg::TellWithoutTerrain() {
    if (!m_terrain) {
        return;
    }
    for (std::size_t f = 0; f < m_files.size(); ++f) {
        const std::size_t end =
            f + 1 < m_files.size() ? m_files[f + 1].first : m_sections.GetSize();
        std::size_t without = 0;
        for (std::size_t s = m_files[f].first; s < end; ++s) {
            without += CountWithoutTerrain(m_sections[s], m_elevation);
        }
        if (without > 0) {
            ShowWarningBox(ToQString(NoTerrainMessage(m_files[f].second, without)));
        }
    }
}

void CAnalyzerDlg::AddFileTerrainHeights(TrackSectionList& read, const QString& path,
                                         std::vector<std::string>& messages) {
    if (m_terrain) {
        AddFileTerrain(*m_terrain, read, 0, ToStdString(path), m_elevation, messages);
    }
}
