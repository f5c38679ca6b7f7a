// The window's commands: thresholds, the two combo boxes, the ways to close, help and about.
#include <clocale>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "analysis/Classify.h"
#include "app/CAnalyzerApp.h"
#include "gui/GuiTestSupport.h"

namespace {

/// A climb, a long rest and a descent: over time the rest takes room, over distance none.
std::string WalkWithRest() {
    return PltText("Walk").Leg(30, 30, 3, 10).Leg(60, 0.2, 0, 10).Leg(30, 30, -3, 10).Text();
}

QLineEdit* Vertical(WindowDriver& w) {
    return w.Find<QLineEdit>("IDC_VERTICAL_THRESHOLD");
}
QLineEdit* Speed(WindowDriver& w) {
    return w.Find<QLineEdit>("IDC_SPEED_THRESHOLD");
}

/// Presses a key on whatever widget has the focus, as a user at the keyboard does.
void PressOnFocus(CAnalyzerDlg& dlg, Qt::Key key) {
    QWidget* target = dlg.focusWidget() != nullptr ? dlg.focusWidget() : &dlg;
    QTest::keyClick(target, key);
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void badThresholdShowsMessageOnceAndRestoresValue() {
        WindowDriver w;
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        Vertical(w)->setText(QStringLiteral("abc"));
        w.Find<QPushButton>("IDC_UPDATE")->click();
        QCOMPARE(w.warnings.messages, std::vector<std::string>{"Please enter a number."});
        QCOMPARE(Vertical(w)->text(), QStringLiteral("15"));
        QVERIFY(recomputed.wait(1000));
        QCOMPARE(w.warnings.messages.size(), std::size_t{1});
        QCOMPARE(w.dlg.m_analysis.verticalThreshold, 15.0);
    }

    void failedReadFocusesTheEditAndSkipsTheRest() {
        WindowDriver w;
        w.dlg.activateWindow();
        w.Find<QComboBox>("IDC_PLOT_MODE")->setCurrentIndex(1);
        Vertical(w)->setText(QStringLiteral(" 1,5"));
        Speed(w)->setText(QStringLiteral("3"));
        QVERIFY(!w.dlg.UpdateData(true));
        QCOMPARE(w.dlg.m_plotMode, 1);             // the combo boxes come first
        QCOMPARE(w.dlg.m_speedThreshold, 1.8);     // read after the failing edit
        QCOMPARE(w.dlg.m_plot.m_overDistance, 1);  // set only after a complete read
        QCOMPARE(w.dlg.focusWidget(), Vertical(w));
        QCOMPARE(Vertical(w)->selectedText(), QStringLiteral(" 1,5"));
    }

    void negativeThresholdIsAccepted() {
        WindowDriver w;
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        Vertical(w)->setText(QStringLiteral("-5"));
        Speed(w)->setText(QStringLiteral("  0.0\t"));
        w.Find<QPushButton>("IDC_UPDATE")->click();
        QVERIFY(w.warnings.messages.empty());
        QVERIFY(recomputed.wait(1000));
        QCOMPARE(w.dlg.m_analysis.verticalThreshold, -5.0);
        QCOMPARE(w.dlg.m_analysis.speedThreshold, 0.0);
        QCOMPARE(Vertical(w)->text(), QStringLiteral("-5"));
        QCOMPARE(Speed(w)->text(), QStringLiteral("0"));
    }

    void thresholdsReadAndShownWithoutTheLocale() {
        WindowDriver w;
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        Speed(w)->setText(QStringLiteral("3.6"));
        w.Find<QPushButton>("IDC_UPDATE")->click();
        QVERIFY(recomputed.wait(1000));
        QCOMPARE(w.dlg.m_analysis.speedThreshold, 3.6 * 0.2777777777777778);
        w.dlg.m_verticalThreshold = 1.0 / 3.0;
        w.dlg.UpdateData(false);
        QCOMPARE(Vertical(w)->text(), QStringLiteral("0.333333333333333"));
        QCOMPARE(Speed(w)->text(), QStringLiteral("3.6"));
        // The application object has put the environment's numeric locale in force.
        if (qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("de_DE"))) {
            QCOMPARE(std::localeconv()->decimal_point[0], ',');
        }
    }

    void plotOverTimeRepaintsWithoutRecompute() {
        WindowDriver w;
        TempFile file(WalkWithRest());
        QVERIFY(w.Load(file.Path()));
        const QImage overDistance = w.dlg.m_plot.grab().toImage();
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        QTest::keyClick(w.Find<QComboBox>("IDC_PLOT_MODE"), Qt::Key_Down);
        QCOMPARE(w.dlg.m_plotMode, 1);
        QCOMPARE(w.dlg.m_plot.m_overDistance, 0);
        QVERIFY(w.dlg.m_plot.grab().toImage() != overDistance);
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QCOMPARE(recomputed.count(), 0);
    }

    void connectionChoiceRecomputesWithTheNewMode() {
        WindowDriver w;
        TempFile file(PltText("Walk").Leg(10, 30, 0, 10).Break().Leg(10, 30, 0, 10).Text());
        QVERIFY(w.Load(file.Path()));
        QCOMPARE(w.dlg.m_track.points[10].state, StateLevel);  // joined automatically
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        QTest::keyClick(w.Find<QComboBox>("IDC_CONNECTION"), Qt::Key_Up);
        QVERIFY(recomputed.wait(1000));
        QCOMPARE(w.dlg.m_connectionMode, 0);
        QCOMPARE(w.dlg.m_track.points[10].state, StateRunStart);
    }

    void connectionEntryThreeEndsTheProgramAtTheNextRecompute() {
        WindowDriver w;
        auto* combo = w.Find<QComboBox>("IDC_CONNECTION");
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 3);
        QVERIFY(w.exits.empty());
        QTRY_COMPARE_WITH_TIMEOUT(w.exits, std::vector<int>{42}, 1000);
    }

    void programmaticComboChangeStartsNothing() {
        WindowDriver w;
        w.dlg.m_connectionMode = 3;
        w.dlg.UpdateData(false);
        QCOMPARE(w.Find<QComboBox>("IDC_CONNECTION")->currentIndex(), 3);
        QVERIFY(!w.dlg.IsRecomputePending());  // nothing more can come
        QVERIFY(w.exits.empty());
    }

    void exitStatusIs42ForTheRealProcess() {
        QProcess probe;
        probe.start(QStringLiteral(PELORIN_EXIT_PROBE), {});
        QVERIFY(probe.waitForFinished(10000));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 42);
    }

    void exitEscapeAndCloseBoxEndTheWindow() {
        {
            WindowDriver w;
            w.Find<QPushButton>("IDCANCEL")->click();
            QVERIFY(!w.dlg.isVisible());
            QCOMPARE(w.dlg.result(), int(QDialog::Rejected));
        }
        {
            WindowDriver w;
            QTest::keyClick(&w.dlg, Qt::Key_Escape);
            QVERIFY(!w.dlg.isVisible());
        }
        {
            WindowDriver w;
            QVERIFY(w.dlg.close());
            QVERIFY(!w.dlg.isVisible());
        }
    }

    void enterInAnEditIsTheOkCommand() {
        WindowDriver w;
        Vertical(w)->setFocus();
        Vertical(w)->setText(QStringLiteral("abc"));
        QTest::keyClick(Vertical(w), Qt::Key_Return);
        QVERIFY(w.dlg.isVisible());  // the thresholds did not read
        QCOMPARE(w.warnings.messages.size(), std::size_t{1});
        Vertical(w)->setText(QStringLiteral("20"));
        QTest::keyClick(Vertical(w), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!w.dlg.isVisible());
        QCOMPARE(w.dlg.result(), int(QDialog::Accepted));
        QCOMPARE(w.dlg.m_verticalThreshold, 20.0);
    }

    void enterOnAPushButtonClicksIt() {
        WindowDriver w;
        w.dlg.activateWindow();
        QCOMPARE(w.dlg.focusWidget(), w.Find<QPushButton>("IDCANCEL"));  // Exit has the focus
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        w.Find<QPushButton>("IDC_UPDATE")->setFocus();
        PressOnFocus(w.dlg, Qt::Key_Return);
        QVERIFY(recomputed.wait(1000));
        QVERIFY(w.dlg.isVisible());
    }

    void helpOpensThePageBesideTheProgram() {
        WindowDriver w;
        theApp.m_programDir = CAnalyzerApp::DirectoryOf(QStringLiteral("/opt/pelorin/pelorin"));
        w.Find<QPushButton>("ID_HELP")->click();
        QCOMPARE(w.opened, QStringList{QStringLiteral("/opt/pelorin/help.html")});
    }

    void programDirectoryHasNoTrailingSeparator() {
        QCOMPARE(CAnalyzerApp::DirectoryOf(QStringLiteral("/usr/bin/pelorin")),
                 QStringLiteral("/usr/bin"));
        QCOMPARE(CAnalyzerApp::DirectoryOf(QStringLiteral("/pelorin")), QString());
        QCOMPARE(CAnalyzerApp::DirectoryOf(QStringLiteral("C:\\pelorin.exe")),
                 QStringLiteral("C:"));
        QCOMPARE(CAnalyzerApp::DirectoryOf(QStringLiteral("C:/Tools/P/pelorin.exe")),
                 QStringLiteral("C:/Tools/P"));
    }

    void aboutBoxFromTheContextMenuOfAFreeArea() {
        WindowDriver w;
        QString entry;
        QString aboutCaption;
        QTimer::singleShot(100, &w.dlg, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || menu->actions().isEmpty()) {
                return;
            }
            QAction* about = menu->actions().constLast();  // after the export entries
            entry = about->text();
            QTimer::singleShot(100, &w.dlg, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    aboutCaption = box->windowTitle();
                    QTest::keyClick(box, Qt::Key_Escape);
                }
            });
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(about).center());
        });
        const QPoint free(w.dlg.width() - 4, w.dlg.height() - 2);  // below the plot
        QVERIFY(w.dlg.childAt(free) == nullptr);
        QContextMenuEvent event(QContextMenuEvent::Mouse, free, w.dlg.mapToGlobal(free));
        QApplication::sendEvent(&w.dlg, &event);
        QCOMPARE(entry, QStringLiteral("&About Pelorin..."));
        QCOMPARE(aboutCaption, QStringLiteral("About Pelorin"));
        QVERIFY(w.dlg.isVisible());
    }

    void noAboutMenuOverAControl() {
        WindowDriver w;
        bool menuShown = false;
        QTimer::singleShot(100, &w.dlg, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                popup->close();
            }
        });
        QWidget* load = w.Find<QWidget>("IDC_LOAD");
        const QPoint inside = load->geometry().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, inside, w.dlg.mapToGlobal(inside));
        QApplication::sendEvent(&w.dlg, &event);  // a menu would hold it until the timer closed it
        QVERIFY(!menuShown);
    }
};

int RunCommandsTest(int argc, char** argv) {
    CommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CommandsTest.moc"
