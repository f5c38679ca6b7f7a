// The window's data flow: loading, choosing sections, the recompute timer and the lists.
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "analysis/Joining.h"
#include "gui/GuiTestSupport.h"
#include "report/ListFormat.h"
#include "res/ResourceIds.h"

namespace {

/// One file of three sections (two breaks), 20 points each.
std::string ThreeSections() {
    return PltText("Walk")
        .Leg(20, 30, 2, 10)
        .Break()
        .Leg(20, 30, 2, 10)
        .Break()
        .Leg(20, 30, 2, 10)
        .Text();
}

QStringList StatisticsValues(const CAnalyzerDlg& dlg) {
    return WindowDriver::Column(dlg.m_statsList.model(), 1);
}

void ClickRow(QTableView& view, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = view.visualRect(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cell.center());
}

int SelectedRowCount(const QTableView& view) {
    return static_cast<int>(view.selectionModel()->selectedRows().size());
}

}  // namespace

class AnalyzerDlgTest : public QObject {
    Q_OBJECT

private slots:
    void titleAtStartAndAfterLoad() {
        WindowDriver w;
        QCOMPARE(w.dlg.windowTitle(),
                 QStringLiteral("Pelorin - NO TRACK LOADED - PRES LOAD BUTTON !!!"));
        QVERIFY(w.Load(PELORIN_EXAMPLES "/alpine_hike.plt"));
        QCOMPARE(w.dlg.windowTitle(),
                 QStringLiteral("Pelorin - TRACK: Alpine hike   BEGIN: 2023-07-15 06:42:15   "
                                "END: 2023-07-15 11:37:18"));
    }

    void startShowsStatisticsOfTheEmptyTrack() {
        WindowDriver w;
        const QAbstractItemModel* stats = w.dlg.m_statsList.model();
        QCOMPARE(stats->rowCount(), 31);
        QCOMPARE(WindowDriver::Cell(stats, 10, 0), QStringLiteral("Min Elevation"));
        QCOMPARE(WindowDriver::Cell(stats, 10, 1), QStringLiteral("100000"));
        QCOMPARE(WindowDriver::Cell(stats, 11, 1), QStringLiteral("-100000"));
        QCOMPARE(WindowDriver::Cell(stats, 13, 1), QStringLiteral("-0"));
        QCOMPARE(WindowDriver::Cell(stats, 5, 2), QStringLiteral("km"));
        QCOMPARE(w.dlg.m_sectionsList.model()->rowCount(), 0);
    }

    void loadSelectsEveryRowAndRecomputesOnce() {
        WindowDriver w;
        TempFile file(ThreeSections());
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        w.files << QString::fromStdString(file.Path());
        w.Find<QPushButton>("IDC_LOAD")->click();

        QCOMPARE(recomputed.count(), 0);  // the timer first
        QCOMPARE(SelectedRowCount(w.dlg.m_sectionsList), 3);
        QVERIFY(recomputed.wait(1000));
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QCOMPARE(recomputed.count(), 1);
        QCOMPARE(w.dlg.m_track.points.GetSize(), std::size_t{60});
        QCOMPARE(w.dlg.m_plot.m_profile.points.GetSize(), std::size_t{60});
        QVERIFY(WindowDriver::Cell(w.dlg.m_statsList.model(), 5, 1) != QStringLiteral("0"));
    }

    void sectionsListShowsTheCoreRows() {
        WindowDriver w;
        TempFile file(ThreeSections());
        QVERIFY(w.Load(file.Path()));
        const QAbstractItemModel* sections = w.dlg.m_sectionsList.model();
        QCOMPARE(WindowDriver::Column(sections, 4),
                 (QStringList{"Walk (1)", "Walk (2)", "Walk (3)"}));
        QCOMPARE(WindowDriver::Column(sections, 2), (QStringList{"20", "20", "20"}));
        QCOMPARE(WindowDriver::Cell(sections, 0, 0), QStringLiteral("06:00:10"));
        QCOMPARE(WindowDriver::Cell(sections, 2, 1), QStringLiteral("06:10:00"));
        QCOMPARE(sections->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Distance"));
    }

    void fiveSelectionChangesGiveOneRecompute() {
        WindowDriver w;
        TempFile file(ThreeSections());
        QVERIFY(w.Load(file.Path()));
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        for (int row : {0, 1, 0, 2, 1}) {
            ClickRow(w.dlg.m_sectionsList, row, Qt::ControlModifier);
        }
        QCOMPARE(SelectedRowCount(w.dlg.m_sectionsList), 2);  // rows 0 and 1
        QVERIFY(recomputed.wait(1000));
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QCOMPARE(recomputed.count(), 1);
        QCOMPARE(w.dlg.m_track.points.GetSize(), std::size_t{40});
    }

    void clickAndShiftClickChooseRows() {
        WindowDriver w;
        TempFile file(ThreeSections());
        QVERIFY(w.Load(file.Path()));
        ClickRow(w.dlg.m_sectionsList, 2);
        QCOMPARE(SelectedRowCount(w.dlg.m_sectionsList), 1);
        ClickRow(w.dlg.m_sectionsList, 1, Qt::ShiftModifier);
        QCOMPARE(SelectedRowCount(w.dlg.m_sectionsList), 2);
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        QVERIFY(recomputed.wait(1000));
        QCOMPARE(w.dlg.m_track.points.GetSize(), std::size_t{40});
    }

    void appendAddsRowsWithNoneSelectedAndKeepsStatistics() {
        WindowDriver w;
        TempFile walk(ThreeSections());
        TempFile bike(PltText("Bike").Leg(10, 100, 0, 10).Text(), "bike.plt");
        QVERIFY(w.Load(walk.Path()));
        const QStringList before = StatisticsValues(w.dlg);
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        w.files << QString::fromStdString(bike.Path());
        w.Find<QPushButton>("IDC_APPEND")->click();

        QCOMPARE(WindowDriver::Column(w.dlg.m_sectionsList.model(), 4),
                 (QStringList{"Walk (1)", "Walk (2)", "Walk (3)", "Bike (1)"}));
        QCOMPARE(SelectedRowCount(w.dlg.m_sectionsList), 0);
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QCOMPARE(recomputed.count(), 0);
        QCOMPARE(StatisticsValues(w.dlg), before);
        QCOMPARE(w.dlg.m_track.points.GetSize(), std::size_t{60});
    }

    void clearEmptiesTheListAndKeepsStatistics() {
        WindowDriver w;
        TempFile walk(ThreeSections());
        QVERIFY(w.Load(walk.Path()));
        const QStringList before = StatisticsValues(w.dlg);
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        w.Find<QPushButton>("IDC_CLEAR")->click();

        QCOMPARE(w.dlg.m_sectionsList.model()->rowCount(), 0);
        QVERIFY(w.dlg.m_sections.IsEmpty());
        QCOMPARE(w.dlg.windowTitle(), QString::fromLatin1(kNoTrackTitle));
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QCOMPARE(recomputed.count(), 0);
        QCOMPARE(StatisticsValues(w.dlg), before);
        QCOMPARE(w.dlg.m_plot.m_profile.points.GetSize(), std::size_t{60});
    }

    void failedLoadEmptiesTheList() {
        WindowDriver w;
        TempFile walk(ThreeSections());
        QVERIFY(w.Load(walk.Path()));
        w.files << QStringLiteral("/nonexistent/lost.plt");
        w.dlg.OnLoadTrack();
        QCOMPARE(w.warnings.messages,
                 std::vector<std::string>{"Error opening file: /nonexistent/lost.plt"});
        QCOMPARE(w.dlg.m_sectionsList.model()->rowCount(), 0);
        QCOMPARE(w.dlg.windowTitle(), QString::fromLatin1(kNoTrackTitle));
    }

    void readErrorKeepsListAndSectionsInStep() {
        if (!QFile::exists(QStringLiteral("/proc/self/mem"))) {
            QSKIP("needs a file whose reading fails");
        }
        WindowDriver w;
        TempFile walk(ThreeSections());
        QVERIFY(w.Load(walk.Path()));
        w.files << QStringLiteral("/proc/self/mem");  // opens, but reading fails at once
        w.dlg.OnAppend();
        QCOMPARE(w.warnings.messages,
                 std::vector<std::string>{"An unknown error occurred while accessing "
                                          "/proc/self/mem."});
        QCOMPARE(static_cast<std::size_t>(w.dlg.m_sectionsList.model()->rowCount()),
                 w.dlg.m_sections.GetSize());
    }

    void cancelledLoadChangesNothing() {
        WindowDriver w;
        TempFile walk(ThreeSections());
        QVERIFY(w.Load(walk.Path()));
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        w.dlg.OnLoadTrack();  // the Open dialog answers with nothing
        QCOMPARE(w.dlg.m_sectionsList.model()->rowCount(), 3);
        QCOMPARE(SelectedRowCount(w.dlg.m_sectionsList), 3);
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QCOMPARE(recomputed.count(), 0);
    }

    // The plot keeps the points as the analysis left them; the display pass then adds the
    // statistics' stretch flags to the joined track alone. Here the steepest ascent covers the
    // start of the second section, so the statistics' fastest stretch runs across it.
    void plotDrawsTheCopyTakenBeforeTheDisplayPass() {
        WindowDriver w;
        QTest::keyClick(w.Find<QComboBox>("IDC_CONNECTION"), Qt::Key_Down);  // all connected
        QCOMPARE(w.dlg.m_connectionMode, 2);
        TempFile file(PltText("Ridge")
                          .Leg(40, 40, 4, 10)
                          .Leg(5, 40, 8, 10)
                          .Break()
                          .Leg(1, 200, 40, 10)
                          .Leg(5, 40, 8, 10)
                          .Leg(20, 40, 4, 10)
                          .Text());
        QVERIFY(w.Load(file.Path()));
        const std::size_t boundary = 45;
        const TrackPoint& plotted = w.dlg.m_plot.m_profile.points[boundary];
        QVERIFY((w.dlg.m_track.points[boundary].flags & FlagFastest) != 0);
        QCOMPARE(plotted.flags, FlagSectionStart | FlagSteepestAscent);

        TrackSection joined;
        const std::size_t rows[] = {0, 1};
        JoinSections(w.dlg.m_sections, rows, AnalysisSettings::FromKmh(ConnectAll, 15.0, 1.8),
                     joined);
        QCOMPARE(joined.points.GetSize(), w.dlg.m_plot.m_profile.points.GetSize());
        for (std::size_t i = 0; i < joined.points.GetSize(); ++i) {
            QCOMPARE(w.dlg.m_plot.m_profile.points[i].flags, joined.points[i].flags);
            QCOMPARE(w.dlg.m_plot.m_profile.points[i].state, joined.points[i].state);
        }
    }
};

int RunAnalyzerDlgTest(int argc, char** argv) {
    AnalyzerDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AnalyzerDlgTest.moc"
