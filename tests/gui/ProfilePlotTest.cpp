// The plot's pixels in the window: the empty cross and the colours of a known track.
#include <QImage>
#include <QTest>

#include "gui/GuiTestSupport.h"

namespace {

bool HasColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                return true;
            }
        }
    }
    return false;
}

QImage PlotImage(CAnalyzerDlg& dlg) {
    return dlg.m_plot.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class ProfilePlotTest : public QObject {
    Q_OBJECT

private slots:
    void emptyPlotShowsThePaleRedCross() {
        WindowDriver w;
        const QImage image = PlotImage(w.dlg);
        const QRgb cross = qRgb(210, 180, 180);
        const int w2 = image.width() / 2;
        const int h2 = image.height() / 2;
        QCOMPARE(image.pixel(w2, h2), cross);  // where the two diagonals meet
        QCOMPARE(image.pixel(4, 4), cross);    // the upper left corner of the inner rectangle
        QCOMPARE(image.pixel(image.width() - 5, 4), cross);
        QVERIFY(image.pixel(w2, 6) != cross);
        QVERIFY(image.pixel(0, h2) != cross);
    }

    void knownTrackShowsAscentDescentAndStoppedBand() {
        WindowDriver w;
        TempFile file(PltText("Hill")
                          .Leg(30, 30, 3, 10)   // climbing at 3 m/s
                          .Leg(10, 0.2, 0, 10)  // resting
                          .Leg(30, 30, -3, 10)  // descending
                          .Text());
        QVERIFY(w.Load(file.Path()));
        const QImage image = PlotImage(w.dlg);
        QVERIFY(HasColour(image, qRgb(120, 0, 0)));      // ascent line
        QVERIFY(HasColour(image, qRgb(0, 120, 0)));      // descent line
        QVERIFY(HasColour(image, qRgb(255, 255, 255)));  // stopped band
        QVERIFY(HasColour(image, qRgb(255, 0, 0)));      // steepest ascent band
        QVERIFY(HasColour(image, qRgb(210, 180, 180)));  // rise chord
        QVERIFY(HasColour(image, qRgb(180, 210, 180)));  // fall chord
    }

    void repaintShowsWhatAFreshDrawingWould() {
        WindowDriver w;
        TempFile file(
            PltText("Hill").Leg(30, 30, 3, 10).Leg(10, 0.2, 0, 10).Leg(30, 30, -3, 10).Text());
        QVERIFY(w.Load(file.Path()));
        CProfilePlot& plot = w.dlg.m_plot;
        const QImage first = PlotImage(w.dlg);
        const QImage repainted = PlotImage(w.dlg);
        plot.SetProfile(plot.m_profile);  // same points, but drawn afresh
        QCOMPARE(PlotImage(w.dlg), first);
        QCOMPARE(repainted, first);

        plot.m_overDistance = 0;  // a new mode or size is never served from the old picture
        const QImage overTime = PlotImage(w.dlg);
        QVERIFY(overTime != first);
        plot.resize(plot.width() - 40, plot.height());
        QCOMPARE(PlotImage(w.dlg).width(), first.width() - 40);
        plot.resize(plot.width() + 40, plot.height());
        QCOMPARE(PlotImage(w.dlg), overTime);
    }

    void flatTrackWithoutStopsHasNoStoppedBand() {
        WindowDriver w;
        TempFile file(PltText("Flat").Leg(30, 30, 0, 10).Text());
        QVERIFY(w.Load(file.Path()));
        const QImage image = PlotImage(w.dlg);
        QVERIFY(!HasColour(image, qRgb(255, 255, 255)));
        QVERIFY(!HasColour(image, qRgb(120, 0, 0)));
        QVERIFY(HasColour(image, qRgb(100, 100, 255)));  // level line
    }
};

int RunProfilePlotTest(int argc, char** argv) {
    ProfilePlotTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProfilePlotTest.moc"
