#include <QItemSelectionModel>

#include "analysis/Classify.h"
#include "app/CAnalyzerApp.h"
#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "res/Strings.h"
#include "ui/QtText.h"

void CAnalyzerDlg::OnLoadTrack() {
    UpdateData(true);
    const QString path = ChooseTrackFile(this);
    if (path.isEmpty()) {
        return;
    }
    // The reader empties the sections first and may show a message box meanwhile: the list
    // must not show rows whose sections are gone.
    const BusyCursor busy;
    m_sectionsModel.Detach();
    m_sections.LoadTrackFile(ToStdString(path));
    m_sectionsChanged = true;
    UpdateData(false);
    m_sectionsList.selectAll();
}

void CAnalyzerDlg::OnAppend() {
    UpdateData(true);
    const QString path = ChooseTrackFile(this);
    if (path.isEmpty()) {
        return;
    }
    // Reading only adds sections, so the rows on show keep standing for theirs.
    const BusyCursor busy;
    m_sections.ReadTrackFile(ToStdString(path));
    m_sectionsChanged = true;
    UpdateData(false);
}

void CAnalyzerDlg::OnClear() {
    UpdateData(true);
    m_sectionsModel.Detach();
    m_sections.RemoveAll();
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
    OpenDocument(theApp.m_programDir + QLatin1Char('/') + QString::fromLatin1(kHelpFileName));
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
    g_verticalThreshold = m_verticalThreshold;
    g_speedThreshold = m_speedThreshold * kKmhToMetresPerSecond;
    const std::vector<std::size_t> rows = SelectedRows();
    const JoinResult joined = JoinSections(m_sections, rows, m_connectionMode, m_verticalThreshold,
                                           m_speedThreshold, m_track);
    ++m_trackVersion;
    if (joined == JoinResult::DontSelect) {
        ExitProcess(kDontSelectExitStatus);
        return;
    }
    // The plot keeps the points as the analysis left them: the display pass below adds the
    // statistics' stretch flags to m_track only.
    m_plot.SetProfile(m_track.points);
    UpdateData(false);
    emit TrackRecomputed();
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
