#include <algorithm>

#include "analysis/Statistics.h"
#include "app/CAnalyzerDlg.h"
#include "app/DialogBuilder.h"
#include "qt/QtText.h"
#include "report/ListFormat.h"
#include "res/ResourceIds.h"
#include "ui/ReportColumns.h"
#include "ui/SettingsStore.h"

// The choices kept between runs, how the texts are shown, and the window's size.

void CAnalyzerDlg::RestoreChoices() {
    const SettingsStore store;
    m_plotMode = store.Choice(SettingsStore::kPlotMode, 2, 0);
    // "Don't select this option!" is never taken up again: it would end the program at once.
    m_connectionMode = store.Choice(SettingsStore::kConnectionMode, ConnectDontSelect, ConnectAuto);
    m_verticalThreshold = store.Threshold(SettingsStore::kVerticalThreshold, 15.0);
    m_speedThreshold = store.Threshold(SettingsStore::kSpeedThreshold, 1.8);
    m_plot.m_overDistance = m_plotMode == 0 ? 1 : 0;
    m_display = store.Display();
    m_sectionsModel.SetOptions(m_display);
    m_storedChoices = {m_plotMode, m_connectionMode, m_verticalThreshold, m_speedThreshold};
}

// Every reading of the controls comes here: the settings are written, which puts them in
// their file, only when a choice changed.
void CAnalyzerDlg::StoreChoices() {
    StoredChoices now{m_plotMode, m_storedChoices.connectionMode, m_verticalThreshold,
                      m_speedThreshold};
    if (m_connectionMode >= 0 && m_connectionMode < ConnectDontSelect) {
        now.connectionMode = m_connectionMode;
    }
    if (now == m_storedChoices) {
        return;
    }
    SettingsStore store;
    store.SetValue(SettingsStore::kPlotMode, now.plotMode);
    store.SetValue(SettingsStore::kConnectionMode, now.connectionMode);
    store.SetThreshold(SettingsStore::kVerticalThreshold, now.verticalThreshold);
    store.SetThreshold(SettingsStore::kSpeedThreshold, now.speedThreshold);
    m_storedChoices = now;
}

void CAnalyzerDlg::SetDisplay(const DisplayOptions& options) {
    m_display = options;
    SettingsStore().SetDisplay(options);
    m_sectionsModel.SetOptions(options);
    setWindowTitle(ToQString(FormatTitle(m_sections, m_display)));
    ShowStatistics();
    if (m_profileWnd) {
        m_profileWnd->Follow(m_plot, m_analysis, m_display);
    }
}

void CAnalyzerDlg::ShowStatistics() {
    if (m_statsVersion) {
        m_statsModel.SetRows(
            FormatStatisticsRows(m_statistics, m_channels, m_display, m_track.hasTimes));
    }
}

int CAnalyzerDlg::LeftColumnGrowth(int) const {
    // As far as the statistics list needs to show its columns whole, no further: taken from
    // the sections list and the plot when the window has no more room than the template's.
    const DialogItem* item = FindDialogItem(kAnalyzerDialog, IDC_STATISTICS);
    return std::max(0, m_statsWidth - DialogUnitsOf(font()).ToPixels(item->rect).width());
}

void CAnalyzerDlg::done(int result) {
    SettingsStore().SetValue(SettingsStore::kMainGeometry, saveGeometry());
    if (m_profileWnd && m_profileWnd->isVisible()) {
        m_profileWnd->SaveGeometry();
    }
    CTemplateDialog::done(result);
}
