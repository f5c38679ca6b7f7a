#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTextBrowser>
#include <QUrl>

#include "analysis/Joining.h"
#include "app/CAnalyzerApp.h"
#include "app/CAnalyzerDlg.h"
#include "app/DialogBuilder.h"
#include "app/QtPlatform.h"
#include "qt/QtText.h"
#include "res/Strings.h"
#include "ui/SettingsStore.h"

void CAnalyzerDlg::OnLoadTrack() {
    UpdateData(true);
    const QString path = ChooseTrackFile(this);
    if (!path.isEmpty()) {
        ReadFiles({path}, false);
    }
}

void CAnalyzerDlg::OnAppend() {
    UpdateData(true);
    const QString path = ChooseTrackFile(this);
    if (!path.isEmpty()) {
        ReadFiles({path}, true);
    }
}

void CAnalyzerDlg::OnAppendFiles() {
    UpdateData(true);
    const QStringList paths = ChooseTrackFiles(this);
    if (!paths.isEmpty()) {
        ReadFiles(paths, true);
    }
}

void CAnalyzerDlg::OnOpenRecent(const QString& path) {
    OpenFiles({path}, false);
}

void CAnalyzerDlg::OnQuit() {
    reject();
}

void CAnalyzerDlg::OpenFiles(const QStringList& paths, bool appendAll) {
    if (!paths.isEmpty()) {
        UpdateData(true);
        ReadFiles(paths, appendAll);
    }
}

// Reads as Load does for the first file that gives sections and as Append does for the
// others, after the controls were read. Each file is read into a list of its own, so that one
// that gives nothing (it cannot be opened, or holds no track) leaves the loaded sections, the
// choice and the figures as they were.
void CAnalyzerDlg::ReadFiles(const QStringList& paths, bool appendAll) {
    const BusyCursor busy;
    bool loaded = appendAll;  // the loaded sections have been replaced, or are to stay
    bool changed = false;
    for (const QString& path : paths) {
        TrackSectionList read;
        ReadResult result = read.ReadTrackFile(ToStdString(path));
        AddFileTerrainHeights(read, path, result.messages);
        for (const std::string& message : result.messages) {
            ShowWarningBox(ToQString(message));
        }
        if (read.IsEmpty()) {
            continue;
        }
        SettingsStore().AddRecentFile(path);
        if (!loaded) {
            // The rows on show stand for the sections about to go.
            m_sectionsModel.Detach();
            m_sections = std::move(read);
            m_files = {{0, ToStdString(path)}};
            loaded = true;
        } else {
            m_files.emplace_back(m_sections.GetSize(), ToStdString(path));
            for (std::size_t i = 0; i < read.GetSize(); ++i) {
                m_sections.Add() = std::move(read[i]);
            }
        }
        changed = true;
    }
    if (!changed) {
        return;
    }
    m_sectionsChanged = true;
    UpdateData(false);
    if (!appendAll) {
        m_sectionsList.selectAll();
    }
}

void CAnalyzerDlg::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CAnalyzerDlg::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    if (paths.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    OpenFiles(paths, event->modifiers().testFlag(Qt::ControlModifier));
}

void CAnalyzerDlg::OnClear() {
    UpdateData(true);
    m_sectionsModel.Detach();
    m_sections.RemoveAll();
    m_files.clear();
    m_sectionsChanged = true;
    UpdateData(false);
}

void CAnalyzerDlg::OnUpdate() {
    UpdateData(true);
    RestartTimer();
    UpdateData(false);
}

void CAnalyzerDlg::OnPlotModeSelEndOk() {
    UpdateData(true);
    UpdateData(false);
}

void CAnalyzerDlg::OnSectionsItemChanged() {
    RestartTimer();
}

void CAnalyzerDlg::OnHelpButton() {
    const QString page = CAnalyzerApp::HelpPagePath(theApp.m_programDir);
    if (!OpenDocument(page)) {
        ShowHelpWindow(page);
    }
}

// Without a program to open the page, Pelorin shows it itself.
void CAnalyzerDlg::ShowHelpWindow(const QString& page) {
    if (m_helpWindow.isNull()) {
        m_helpWindow = new QTextBrowser(this);
        m_helpWindow->setWindowFlags(Qt::Window);
        m_helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_helpWindow->setWindowTitle(QString::fromLatin1(kHelpCaption));
        m_helpWindow->setOpenExternalLinks(true);
        m_helpWindow->resize(DialogUnitsOf(font()).ToPixels(320, 300));
    }
    if (QFileInfo::exists(page)) {
        m_helpWindow->setSource(QUrl::fromLocalFile(page));
    } else {
        m_helpWindow->setPlainText(QString::fromLatin1(kHelpPageMissing).arg(page));
    }
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void CAnalyzerDlg::OnTimer() {
    m_timer.stop();
    RecomputeTrack();
}

void CAnalyzerDlg::RestartTimer() {
    m_timer.start();
}

void CAnalyzerDlg::RecomputeTrack() {
    // A threshold that does not read keeps its previous value; the recompute goes on.
    UpdateData(true);
    const BusyCursor busy;
    m_analysis = AnalysisSettings::FromKmh(ConnectionModeOf(m_connectionMode), m_verticalThreshold,
                                           m_speedThreshold);
    m_analysis.elevation = m_elevation;
    CopyChosenSections(m_sections, SelectedRows(), m_track);
    ++m_trackVersion;
    if (m_connectionMode == ConnectDontSelect) {
        ExitProcess(kDontSelectExitStatus);
        return;
    }
    ConnectAndAnalyze(m_track, m_analysis);
    // The plot keeps the points as the analysis left them: the display pass below adds the
    // statistics' stretch flags to m_track only.
    m_plot.SetProfile(m_track);
    UpdateData(false);
    emit TrackRecomputed();
}

ConnectionMode CAnalyzerDlg::ConnectionModeOf(int entry) {
    // No choice at all (-1) joins nothing, as the first entry.
    return entry == ConnectAuto || entry == ConnectAll ? static_cast<ConnectionMode>(entry)
                                                       : ConnectNone;
}

std::vector<std::size_t> CAnalyzerDlg::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (const QItemSelectionRange& range : m_sectionsList.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(static_cast<std::size_t>(row));
        }
    }
    return rows;
}
