#include <algorithm>

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "plot/SvgCanvas.h"
#include "qt/PngFile.h"
#include "qt/QtText.h"
#include "report/FileText.h"
#include "report/ListFormat.h"
#include "report/Report.h"
#include "res/Strings.h"

// Results taken out of the window: rows copied for a spreadsheet, and the files that
// pelorin-cli writes for the same choice, byte for byte.

namespace {

/// The rows of a list as text: headings first, then the selected rows, or all when none is.
std::vector<std::vector<std::string>> ListCells(const QTableView& view) {
    const QAbstractItemModel* model = view.model();
    std::vector<int> rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    if (rows.empty()) {
        for (int row = 0; row < model->rowCount(); ++row) {
            rows.push_back(row);
        }
    }
    std::vector<std::vector<std::string>> cells(1);
    for (int column = 0; column < model->columnCount(); ++column) {
        cells[0].push_back(ToStdString(model->headerData(column, Qt::Horizontal).toString()));
    }
    for (int row : rows) {
        cells.emplace_back();
        for (int column = 0; column < model->columnCount(); ++column) {
            cells.back().push_back(ToStdString(model->index(row, column).data().toString()));
        }
    }
    return cells;
}

/// A warning box naming the file.
void Warn(const char* text, const QString& path) {
    ShowWarningBox(QString::fromLatin1(text).arg(path));
}

QString SuffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

}  // namespace

bool CAnalyzerDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool list = watched == &m_sectionsList || watched == &m_statsList;
    if (list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        OnCopyRows(*static_cast<QTableView*>(watched));
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        // Over a list (its rows or its headings) or the plot: the window's menu.
        QTableView* over = nullptr;
        for (QTableView* view : {&m_sectionsList, &m_statsList}) {
            if (watched == view || watched == view->viewport()
                || watched == view->horizontalHeader()) {
                over = view;
            }
        }
        ShowContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos(), over);
        return true;
    }
    return CTemplateDialog::eventFilter(watched, event);
}

void CAnalyzerDlg::OnCopyRows(const QTableView& list) {
    QApplication::clipboard()->setText(ToQString(WriteTsv(ListCells(list))));
}

TrackStatistics CAnalyzerDlg::AnalysedTrack(TrackSection& track) const {
    // The plot's copy holds the joined points as the analysis left them; the statistics run
    // over them once, as in pelorin-cli, while the display passes run them again and again.
    CopyPoints(m_plot.m_profile, track);
    return ComputeStatistics(track);
}

Report CAnalyzerDlg::CurrentReport() const {
    // Files carry the dates as pelorin-cli writes them, whatever the locale shows.
    const DateFormatter shown = SetDateFormatter({});
    Report report;
    DescribeSections(m_sections, report, m_display);
    TrackSection track;
    report.statistics = AnalysedTrack(track);
    report.rows = FormatStatisticsRows(report.statistics, ComputeChannelStatistics(track),
                                       m_display, track.hasTimes);
    SetDateFormatter(shown);
    return report;
}

void CAnalyzerDlg::OnExportStatistics() {
    const QString path =
        ChooseSaveFile(this, "exportStatistics", QString::fromLatin1(kExportStatisticsCaption),
                       {QStringLiteral("CSV (*.csv)"), QStringLiteral("JSON (*.json)")});
    if (path.isEmpty()) {
        return;
    }
    const QString suffix = SuffixOf(path);
    if (suffix != QLatin1String("csv") && suffix != QLatin1String("json")) {
        Warn(kStatisticsSuffixes, path);
        return;
    }
    const Report report = CurrentReport();
    const std::string text =
        suffix == QLatin1String("csv") ? WriteCsvReport(report) : WriteJsonReport(report);
    SaveOrWarn(path, [&text](const TextSink& sink) { return sink(text); });
}

void CAnalyzerDlg::OnExportPoints() {
    const QString path =
        ChooseSaveFile(this, "exportPoints", QString::fromLatin1(kExportPointsCaption),
                       {QStringLiteral("CSV (*.csv)")});
    if (path.isEmpty()) {
        return;
    }
    TrackSection track;
    AnalysedTrack(track);
    SaveOrWarn(path, [&track](const TextSink& sink) { return WritePointsCsv(sink, track); });
}

void CAnalyzerDlg::OnSaveProfile() {
    const QString path =
        ChooseSaveFile(this, "saveProfile", QString::fromLatin1(kSaveProfileCaption),
                       {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)")});
    if (path.isEmpty()) {
        return;
    }
    const QString suffix = SuffixOf(path);
    const QSize size = ProfilePictureSize();
    const TrackPoint* points = m_plot.m_profile.points.GetData();
    const std::size_t count = m_plot.m_profile.points.GetSize();
    const bool overDistance = m_plot.m_overDistance != 0;
    if (suffix == QLatin1String("png")) {
        if (!SaveProfilePng(ToStdString(path), points, count, overDistance, size)) {
            Warn(kCannotWriteFile, path);
        }
    } else if (suffix == QLatin1String("svg")) {
        const std::string svg =
            RenderProfileSvg(points, count, overDistance, size.width(), size.height());
        SaveOrWarn(path, [&svg](const TextSink& sink) { return sink(svg); });
    } else {
        Warn(kProfileSuffixes, path);
    }
}

QSize CAnalyzerDlg::ProfilePictureSize() const {
    const qreal ratio = m_plot.devicePixelRatioF();
    return {std::max(1, qRound(m_plot.width() * ratio)),
            std::max(1, qRound(m_plot.height() * ratio))};
}

void CAnalyzerDlg::SaveOrWarn(const QString& path,
                              const std::function<bool(const TextSink&)>& produce) {
    if (!WriteFileAtomically(ToStdString(path), produce)) {
        Warn(kCannotWriteFile, path);
    }
}
