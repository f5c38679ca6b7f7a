// The profile window: opened by a double-click on the plot, its readout and range figures.
#include <QComboBox>
#include <QDir>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "gui/GuiTestSupport.h"
#include "qt/ProfileImage.h"

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

    // Zoomed in, the profile stays within its plot area: no pen of it in the margins.
    void zoomedProfileIsClippedToThePlotArea() {
        WindowDriver w;
        TempFile file(PltText("Hill").Leg(40, 30, 3, 10).Leg(40, 30, -3, 10).Text());
        QVERIFY(w.Load(file.Path()));
        w.dlg.OnShowProfile();
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        profile.Zoom().ZoomTo(600.0, 1800.0);
        profile.ZoomChanged();
        const PlotRect clip = ProfileClip(profile.m_profileArea.Parts());
        const QImage image =
            profile.m_profileArea.grab().toImage().convertToFormat(QImage::Format_RGB32);
        std::vector<QRgb> pens;
        for (std::size_t pen = 0; pen < kPlotPenCount; ++pen) {
            const PenStyle& style = GetPenStyle(static_cast<PlotPen>(pen));
            pens.push_back(qRgb(style.red, style.green, style.blue));
        }
        int inside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool pen = std::count(pens.begin(), pens.end(), image.pixel(x, y)) != 0;
                const bool within =
                    x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                QVERIFY2(!pen || within, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                inside += pen ? 1 : 0;
            }
        }
        QVERIFY(inside > 100);
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
        w.dlg.m_plot.SetProfile(w.dlg.m_plot.m_profile);  // nothing kept: drawn afresh
        profile.Follow(w.dlg.m_plot, AnalysisSettings{}, {});
        QVERIFY(ahead == pictures());

        TempFile saved("old", "profile.png");
        QVERIFY(!profile.WritePicture(QString::fromStdString(saved.Path() + "/x.png"), false));
        QVERIFY(profile.WritePicture(QString::fromStdString(saved.Path()), false));
        QCOMPARE(QImage(QString::fromStdString(saved.Path())).size(), profile.m_pictureArea.size());
        QCOMPARE(QDir(QString::fromStdString(saved.Dir())).entryList(QDir::Files),
                 QStringList{"profile.png"});  // nothing left beside it
    }

    // While the window is resized, each picture shows its last one stretched; once the size
    // rests it is drawn anew at that size.
    void resizedPicturesStretchUntilTheSizeRests() {
        WindowDriver w;
        TempFile file(PltText("Hill").Leg(30, 30, 3, 10).Leg(30, 30, -3, 10).Text());
        QVERIFY(w.Load(file.Path()));
        w.dlg.OnShowProfile();
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        profile.m_pictureArea.grab();
        profile.resize(profile.width() + 60, profile.height() + 40);
        QTRY_VERIFY(profile.m_profileArea.IsStretched() && profile.m_channelArea.IsStretched());
        QTRY_VERIFY(!profile.m_profileArea.IsStretched() && !profile.m_channelArea.IsStretched());
        const QImage fresh = DrawProfilePicture(profile.m_profileArea.Parts(), profile.View(),
                                                profile.m_profileArea.size());
        QCOMPARE(profile.m_profileArea.grab().toImage().convertToFormat(QImage::Format_RGB32),
                 fresh.convertToFormat(QImage::Format_RGB32));
    }

    // The second plot offers the speed and the channels the track has, and shows the one
    // chosen last where the track has it; the readout lists every channel's sample.
    void secondPlotOffersTheChannelsOfTheTrackAndTheReadoutTheirSamples() {
        WindowDriver w;
        const std::string gpx = PELORIN_REAL_DATA "/gpx/gcheetah_urbanbiker_2019.gpx";
        QVERIFY(w.Load(gpx));
        w.dlg.OnShowProfile();
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        CChannelArea& plot = profile.m_channelArea;
        const auto offered = [&plot] {
            QStringList items;
            for (int k = 0; k < plot.m_chooser.count(); ++k) {
                items << plot.m_chooser.itemText(k);
            }
            return items;
        };
        QCOMPARE(offered(),
                 QStringList({"Speed", "Heart Rate", "Cadence", "Power", "Temperature"}));
        plot.m_chooser.setCurrentIndex(1);
        QCOMPARE(plot.Parts().verticalCaption, std::string("Heart Rate (bpm)"));

        QSignalSpy readout(&profile, &CProfileWnd::ReadoutChanged);
        SendMouse(&plot, QEvent::MouseMove, QPoint(plot.width() / 2, 50), Qt::NoModifier);
        QTRY_COMPARE(readout.count(), 1);
        QVERIFY(profile.Cursor().has_value());
        const auto samples = [&profile](std::size_t i) {
            profile.SetCursor(i);
            return profile.m_readout.text().split(QLatin1Char('\n')).mid(7);
        };
        QCOMPARE(samples(1000), QStringList({"Heart Rate: 114 bpm", "Cadence: 77 rpm",
                                             "Power: 259 W", "Temperature: 35.3 °C"}));
        QCOMPARE(samples(136).first(), QStringLiteral("Heart Rate: --"));
        profile.SetRange(900, 1100);  // the 31 figures and the channels' 9
        QCOMPARE(profile.m_rangeList.model()->rowCount(), 40);

        TempFile plt(PltText("Hill").Leg(30, 30, 3, 10).Text());
        QVERIFY(w.Load(plt.Path()));
        QCOMPARE(offered(), QStringList{"Speed"});
        QCOMPARE(plot.Series(), PlotSeries::Speed);
        QVERIFY(w.Load(gpx));
        QCOMPARE(plot.Series(), PlotSeries::HeartRate);
    }
};

int RunProfileWndTest(int argc, char** argv) {
    ProfileWndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProfileWndTest.moc"
