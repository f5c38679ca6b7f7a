// The Qt canvas draws without any application object, as the command-line tool uses it.

#include <vector>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "ui/QtPlotCanvas.h"

namespace {

QRgb Rgb(PlotPen pen) {
    const PenStyle& style = GetPenStyle(pen);
    return qRgb(style.red, style.green, style.blue);
}

/// Draws on a fresh 20 by 20 image of the dialog background.
template <typename Drawing>
QImage DrawOn(Drawing drawing) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kPlotBackground);
    QPainter painter(&image);
    {
        QtPlotCanvas canvas(painter);
        drawing(canvas);
    }
    painter.end();
    return image;
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(QtPlotCanvas, ThinLinesLeaveTheirEndPointUnpainted) {
    const QImage image = DrawOn([](QtPlotCanvas& canvas) {
        canvas.SelectPen(PlotPen::RunMarker);
        canvas.MoveTo(3, 2);
        canvas.LineTo(3, 6);
        canvas.MoveTo(10, 10);
        canvas.LineTo(14, 12);  // Bresenham: 4 pixels, the end excluded
        EXPECT_EQ(canvas.GetCurrentPosition(), (PlotPoint{14, 12}));
    });
    const QRgb marker = Rgb(PlotPen::RunMarker);
    for (int y = 2; y < 6; ++y) {
        EXPECT_EQ(image.pixel(3, y), marker) << y;
    }
    EXPECT_EQ(image.pixel(3, 6), kPlotBackground);
    EXPECT_EQ(image.pixel(10, 10), marker);
    EXPECT_EQ(image.pixel(14, 12), kPlotBackground);
    EXPECT_EQ(CountPixels(image, marker), 8);
}

TEST(QtPlotCanvas, LinesOfNoLengthPaintNothing) {
    const QImage image = DrawOn([](QtPlotCanvas& canvas) {
        canvas.SelectPen(PlotPen::RiseChord);
        canvas.MoveTo(10, 10);
        canvas.LineTo(10, 10);
        canvas.SelectPen(PlotPen::RunMarker);
        canvas.LineTo(10, 10);
    });
    EXPECT_EQ(CountPixels(image, kPlotBackground), 400);
}

TEST(QtPlotCanvas, WidePensPaintRoundSolidLines) {
    const QImage image = DrawOn([](QtPlotCanvas& canvas) {
        canvas.SelectPen(PlotPen::SteepestAscentBand);
        canvas.MoveTo(4, 10);
        canvas.LineTo(16, 10);
    });
    const QRgb red = Rgb(PlotPen::SteepestAscentBand);
    EXPECT_EQ(image.pixel(10, 8), red);  // 6 pixels wide
    EXPECT_EQ(image.pixel(10, 12), red);
    EXPECT_EQ(image.pixel(2, 10), red);  // round cap beyond the start
    EXPECT_EQ(image.pixel(10, 2), kPlotBackground);
    EXPECT_EQ(CountPixels(image, red) + CountPixels(image, kPlotBackground), 400);  // no blend
}

TEST(QtPlotCanvas, FarOffCoordinatesStillDrawTheVisiblePart) {
    const QImage image = DrawOn([](QtPlotCanvas& canvas) {
        canvas.SelectPen(PlotPen::LevelLine);
        canvas.MoveTo(-16777216, 5);
        canvas.LineTo(16777216, 5);
        canvas.SelectPen(PlotPen::RunMarker);
        canvas.MoveTo(7, -16777216);
        canvas.LineTo(7, 16777216);
    });
    EXPECT_EQ(image.pixel(0, 5), Rgb(PlotPen::LevelLine));
    EXPECT_EQ(image.pixel(19, 5), Rgb(PlotPen::LevelLine));
    EXPECT_EQ(image.pixel(7, 0), Rgb(PlotPen::RunMarker));
    EXPECT_EQ(image.pixel(7, 19), Rgb(PlotPen::RunMarker));
}

TEST(QtPlotCanvas, ImageOfAnEmptyTrackShowsTheCrossOnTheDialogBackground) {
    const QImage image = RenderProfileImage(nullptr, 0, true, QSize(100, 60));
    EXPECT_EQ(image.size(), QSize(100, 60));
    EXPECT_EQ(image.pixel(50, 1), kPlotBackground);
    EXPECT_EQ(qRed(kPlotBackground), 240);
    EXPECT_EQ(image.pixel(50, 30), Rgb(PlotPen::RiseChord));  // where the arms cross
    EXPECT_EQ(image.pixel(3, 3), Rgb(PlotPen::RiseChord));

    TrackPoint one;
    one.state = StateRunStart;
    const QImage nothing = RenderProfileImage(&one, 1, true, QSize(100, 60));
    EXPECT_EQ(CountPixels(nothing, kPlotBackground), 6000);
}
