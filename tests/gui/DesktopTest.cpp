// The window among other programs: files from the command line and from drops, copied rows,
// exported files, the help page without a browser.
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/CAnalyzerApp.h"
#include "gui/GuiTestSupport.h"

namespace {

const QString kExample = QStringLiteral(PELORIN_EXAMPLES "/alpine_hike.plt");

void Drop(CAnalyzerDlg& dlg, const QList<QUrl>& urls, Qt::KeyboardModifiers modifiers) {
    QMimeData data;
    data.setUrls(urls);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, modifiers);
    // Straight to the window: the application delivers drops only inside a drag it runs.
    static_cast<QObject&>(dlg).event(&event);
}

int SelectedRows(const CAnalyzerDlg& dlg) {
    return static_cast<int>(dlg.m_sectionsList.selectionModel()->selectedRows().size());
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

/// What pelorin-cli writes to standard output, or into the file named after out.
QByteArray CliOutput(QStringList args, const QString& file = {}) {
    QProcess cli;
    cli.start(QStringLiteral(PELORIN_CLI), args << kExample);
    cli.waitForFinished(20000);
    return file.isEmpty() ? cli.readAllStandardOutput() : Contents(file);
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void commandLineAndDropsLoadFirstAndAppendTheRest() {
        WindowDriver w;
        TempFile three(PltText("Walk").Leg(5, 30, 2, 10).Break().Leg(5, 30, 2, 10).Text());
        const QString two = QString::fromStdString(three.Path());
        CAnalyzerDlg started;
        started.m_startFiles = {two, kExample};
        started.Create();
        QSignalSpy recomputed(&started, &CAnalyzerDlg::TrackRecomputed);
        QVERIFY(recomputed.wait(5000));
        QCOMPARE(started.m_sections.GetSize(), std::size_t{4});
        QCOMPARE(SelectedRows(started), 4);
        QCOMPARE(started.m_track.points.GetSize(), std::size_t{10 + 3280});

        QSignalSpy dropped(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        Drop(w.dlg, {QUrl(QStringLiteral("https://example.org/a.plt")), QUrl::fromLocalFile(two)},
             {});
        QVERIFY(dropped.wait(2000));
        QCOMPARE(w.dlg.m_sections.GetSize(), std::size_t{2});
        Drop(w.dlg,
             {QUrl::fromLocalFile(kExample), QUrl::fromLocalFile(QStringLiteral("/no/x.plt"))},
             Qt::ControlModifier);
        QCOMPARE(w.dlg.m_sections.GetSize(), std::size_t{4});  // appended, the rest read on
        QCOMPARE(SelectedRows(w.dlg), 0);
        QCOMPARE(w.warnings.messages.size(), std::size_t{1});
    }

    void helpShowsThePageItselfWhenNoProgramOpensIt() {
        WindowDriver w;
        w.documentsOpen = false;
        theApp.m_programDir = QStringLiteral(PELORIN_SOURCE_DIR "/res");
        w.Find<QPushButton>("ID_HELP")->click();
        auto* browser = w.dlg.findChild<QTextBrowser*>();
        QVERIFY(browser != nullptr);
        QTRY_VERIFY(browser->isVisible());
        QVERIFY(browser->toPlainText().contains(QStringLiteral("-nan")));
    }

    // Settings are kept in a temporary folder (GuiTestMain): a second window takes them up.
    void choicesAreRememberedBetweenRuns() {
        QSize grown;
        {
            WindowDriver w;
            w.Find<QComboBox>("IDC_PLOT_MODE")->setCurrentIndex(1);
            w.Find<QComboBox>("IDC_CONNECTION")->setCurrentIndex(0);
            w.Find<QLineEdit>("IDC_VERTICAL_THRESHOLD")->setText(QStringLiteral("20"));
            w.Find<QLineEdit>("IDC_SPEED_THRESHOLD")->setText(QStringLiteral(" 3.5"));
            w.dlg.OnUpdate();
            w.dlg.SetDisplay({UnitSystem::Imperial, TimeReference::Utc});
            grown = w.dlg.size() + QSize(120, 80);
            w.dlg.resize(grown);
            w.dlg.reject();
        }
        const auto reopened = [] {
            auto dlg = std::make_unique<CAnalyzerDlg>();
            dlg->Create();
            return dlg;
        };
        std::unique_ptr<CAnalyzerDlg> dlg = reopened();
        QCOMPARE(dlg->m_plotMode, 1);
        QCOMPARE(dlg->m_plot.m_overDistance, 0);
        QCOMPARE(dlg->m_connectionMode, 0);
        QCOMPARE(dlg->m_verticalThreshold, 20.0);
        QCOMPARE(dlg->m_speedThreshold, 3.5);
        QCOMPARE(WindowDriver::Cell(dlg->m_statsList.model(), 5, 2), QStringLiteral("mi"));
        QCOMPARE(dlg->size(), grown);
        SettingsStore store;
        store.SetValue(SettingsStore::kVerticalThreshold, QStringLiteral("-0"));
        store.SetValue(SettingsStore::kConnectionMode, 3);  // would end the program
        dlg = reopened();
        QCOMPARE(dlg->m_verticalThreshold, 15.0);
        QCOMPARE(dlg->m_connectionMode, 1);
    }

    void programAnswersHelpAndVersionOnTheTerminal() {
        for (const char* option : {"--help", "--version"}) {
            QProcess program;
            program.setProcessEnvironment(QProcessEnvironment());  // no display at all
            program.start(QStringLiteral(PELORIN_PROGRAM), {QString::fromLatin1(option)});
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitCode(), 0);
            const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
            QVERIFY2(
                out.contains(option[2] == 'h' ? QStringLiteral("[FILE...]")
                                              : QStringLiteral("Pelorin " PELORIN_VERSION_TEXT)),
                qPrintable(out));
        }
    }

    void helpPageListsEveryShortcut() {
        WindowDriver w;
        QFile page(QStringLiteral(PELORIN_SOURCE_DIR "/res/help.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(page.readAll());
        QCOMPARE(w.dlg.actions().size(), 8);
        for (const QAction* action : w.dlg.actions()) {
            const QString keys = action->shortcut().toString(QKeySequence::PortableText);
            QVERIFY2(help.contains(QStringLiteral("<kbd>%1</kbd>").arg(keys)), qPrintable(keys));
        }
    }

    void ctrlCCopiesRowsWithHeadings() {
        WindowDriver w;
        QVERIFY(w.Load(kExample.toStdString()));
        w.dlg.m_sectionsList.clearSelection();
        QTest::keySequence(&w.dlg.m_sectionsList, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Begin\tEnd\tNum Points\tDistance\tName\n"
                                "06:42:15\t10:19:13\t2480\t13.7895\tAlpine hike (1)\n"
                                "10:27:19\t11:37:18\t800\t4.77343\tAlpine hike (2)\n"));
        const QAbstractItemModel* stats = w.dlg.m_statsList.model();
        w.dlg.m_statsList.selectRow(6);
        QTest::keySequence(&w.dlg.m_statsList, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Property\tValue\tUnits\nDistance 3D\t%1\tkm\n")
                     .arg(WindowDriver::Cell(stats, 6, 1)));
    }

    void exportsAreTheFilesOfTheCommandLineTool() {
        WindowDriver w;
        QVERIFY(w.Load(kExample.toStdString()));
        auto* plotMode = w.Find<QComboBox>("IDC_PLOT_MODE");
        plotMode->setCurrentIndex(1);
        w.dlg.OnPlotModeSelEndOk();
        const QTemporaryDir dir;
        const auto path = [&dir](const char* name) {
            return dir.filePath(QString::fromLatin1(name));
        };
        w.saveAs = {path("w.csv"), path("w.json"), path("p.csv"), path("w.png"), path("w.svg")};
        w.dlg.OnExportStatistics();
        w.dlg.OnExportStatistics();
        w.dlg.OnExportPoints();
        w.dlg.OnSaveProfile();
        w.dlg.OnSaveProfile();
        const QSize size = w.dlg.m_plot.size() * w.dlg.m_plot.devicePixelRatioF();
        const QString side = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        QCOMPARE(Contents(path("w.csv")), CliOutput({QStringLiteral("--format=csv")}));
        QCOMPARE(Contents(path("w.json")), CliOutput({QStringLiteral("--format=json")}));
        QCOMPARE(Contents(path("p.csv")), CliOutput({"--points", path("c.csv")}, path("c.csv")));
        for (const char* picture : {"png", "svg"}) {
            const QString mine = path("w.") + QLatin1String(picture);
            const QString cli = path("c.") + QLatin1String(picture);
            QCOMPARE(Contents(mine),
                     CliOutput({"--plot", cli, "--over=time", "--size", side}, cli));
        }
        w.saveAs = {path("missing/w.csv")};
        w.dlg.OnExportStatistics();
        QCOMPARE(w.warnings.messages,
                 std::vector<std::string>{"Cannot write the file "
                                          + path("missing/w.csv").toStdString() + "."});
    }
};

int RunDesktopTest(int argc, char** argv) {
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopTest.moc"
