// The profile window: opened by a double-click on the plot, its readout and range figures.
#include <QComboBox>
#include <QDir>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "gui/GuiTestSupport.h"

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class ProfileWndTest : public QObject {
    Q_OBJECT

private slots:
    void doubleClickOpensTheProfileWithItsReadoutAndRangeFigures() {
        WindowDriver w;
        TempFile file(PltText("Hill").Leg(30, 30, 3, 10).Leg(30, 30, -3, 10).Text());
        QVERIFY(w.Load(file.Path()));
        QTest::mouseDClick(&w.dlg.m_plot, Qt::LeftButton);
        QTRY_VERIFY(w.dlg.m_profileWnd && w.dlg.m_profileWnd->isVisible());
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        CProfileArea* area = &profile.m_profileArea;
        QCOMPARE(profile.Count(), std::size_t{60});

        QSignalSpy readout(&profile, &CProfileWnd::ReadoutChanged);
        const int y = area->height() / 2;
        const int x = area->Parts().mapping.Map(profile.Points()[15]).x;
        SendMouse(area, QEvent::MouseMove, QPoint(x, y), Qt::NoModifier);
        QTRY_COMPARE(readout.count(), 1);
        QCOMPARE(profile.m_readout.text().split(QLatin1Char('\n')),
                 QStringList({"Distance: 0.45 km", "Time of day: 06:02:40", "Elapsed: 00:02:30",
                              "Elevation: 1048 m", "Speed: 10.8 km/h", "State: climbing",
                              "Stretch: -"}));

        const int end = area->Parts().mapping.Map(profile.Points()[45]).x;
        SendMouse(area, QEvent::MouseButtonPress, QPoint(x, y), Qt::ShiftModifier);
        SendMouse(area, QEvent::MouseMove, QPoint(end, y), Qt::ShiftModifier);
        SendMouse(area, QEvent::MouseButtonRelease, QPoint(end, y), Qt::ShiftModifier);
        QCOMPARE(profile.Range(), (std::pair<std::size_t, std::size_t>(15, 45)));
        const QAbstractItemModel* figures = profile.m_rangeList.model();
        QCOMPARE(figures->rowCount(), 31);
        QCOMPARE(WindowDriver::Cell(figures, 2, 1), QStringLiteral("00:05:00"));  // total time
        QCOMPARE(WindowDriver::Cell(figures, 12, 1), QStringLiteral("42"));       // total ascent
    }

    // The pictures drawn while idle, ahead of a switch of the mode, are those a switch would
    // draw. A saved picture replaces the file whole.
    void picturesDrawnAheadEqualFreshOnesAndAFailedSaveKeepsTheFile() {
        WindowDriver w;
        TempFile file(
            PltText("Hill").Leg(30, 30, 3, 10).Leg(10, 0.2, 0, 10).Leg(30, 30, -3, 10).Text());
        QVERIFY(w.Load(file.Path()));
        w.dlg.OnShowProfile();
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        const auto switchMode = [&w] {
            auto* combo = w.dlg.findChild<QComboBox*>(QStringLiteral("IDC_PLOT_MODE"));
            combo->setCurrentIndex(1 - combo->currentIndex());
            w.dlg.OnPlotModeSelEndOk();
        };
        const auto pictures = [&w, &profile] {
            return std::pair(w.dlg.m_plot.grab().toImage(), profile.m_profileArea.grab().toImage());
        };
        pictures();
        QTRY_VERIFY(profile.m_profileArea.HasWholePicture(!profile.OverDistance()));
        QVERIFY(!w.dlg.m_plot.DrawOtherMode());
        switchMode();
        const auto ahead = pictures();
        w.dlg.m_plot.SetProfile(w.dlg.m_plot.m_profile.points);  // nothing kept: drawn afresh
        profile.Follow(w.dlg.m_plot, AnalysisSettings{});
        QVERIFY(ahead == pictures());

        TempFile saved("old", "profile.png");
        QVERIFY(!profile.WritePicture(QString::fromStdString(saved.Path() + "/x.png"), false));
        QVERIFY(profile.WritePicture(QString::fromStdString(saved.Path()), false));
        QCOMPARE(QImage(QString::fromStdString(saved.Path())).size(), profile.m_pictureArea.size());
        QCOMPARE(QDir(QString::fromStdString(saved.Dir())).entryList(QDir::Files),
                 QStringList{"profile.png"});  // nothing left beside it
    }
};

int RunProfileWndTest(int argc, char** argv) {
    ProfileWndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProfileWndTest.moc"
