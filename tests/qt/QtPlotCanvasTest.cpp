// The Qt canvas draws without any application object, as the command-line tool uses it.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "analysis/Classify.h"
#include "analysis/Joining.h"
#include "plot/ProfileDrawing.h"
#include "plot/RepeatSkippingCanvas.h"
#include "qt/ProfileImage.h"
#include "qt/QtPlotCanvas.h"

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

namespace {

/// How a zoomed picture is drawn: every operation handed to the painter; with repeated and
/// off-surface lines left out; or as the profile window draws it in steps, from the packed
/// points and their pixels worked out ahead, walking only the points that can show and paint.
enum class Way { Every, Skipping, Screen };

/// The middle third of the track drawn at the given size, clipped to the plot area as in the
/// profile window.
QImage RenderZoomed(const TrackSection& track, bool overDistance, QSize size, Way way) {
    const PlotRect item{0, 0, size.width(), size.height()};
    const TrackPoint* points = track.points.GetData();
    const std::size_t count = track.points.GetSize();
    const ProfileMapping whole(points, count, overDistance, item);
    const double third = (whole.XMax() - whole.XMin()) / 3.0;
    const ProfileMapping zoomed(overDistance, item, whole.XMin() + third, whole.XMax() - third,
                                whole.AltMin(), whole.AltMax());
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPlotBackground);
    QPainter painter(&image);
    const PlotRect& r = zoomed.Rect();
    painter.setClipRect(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
    {
        QtPlotCanvas canvas(painter);
        if (way == Way::Every) {
            DrawProfile(canvas, points, count, zoomed);
        } else if (way == Way::Skipping) {
            RepeatSkippingCanvas skipper(canvas, item);
            DrawProfile(skipper, points, count, zoomed);
        } else {
            std::vector<double> values(count);
            for (std::size_t i = 0; i < count; ++i) {
                values[i] = zoomed.Value(points[i]);
            }
            const bool sorted =
                std::is_sorted(values.begin(), values.end()) && zoomed.HasHorizontalScale();
            const std::size_t first =
                FirstNotBelow(values.data(), count, zoomed.ValueAt(r.left - 8));
            const std::size_t last =
                FirstNotBelow(values.data(), count, zoomed.ValueAt(r.right + 8));
            const ProfilePoints packed(points, count);
            RepeatSkippingCanvas skipper(canvas, item);
            ProfileSteps steps(packed, values.data(), zoomed, sorted && first > 0 ? first - 1 : 0,
                               sorted ? last + 1 : count);
            while (!steps.Step(skipper, 997)) {  // in steps, as between events
            }
        }
    }
    painter.end();
    return image;
}

/// Every operation of the drawing handed to the painter, none left out.
QImage RenderEveryOperation(const TrackSection& track, bool overDistance, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPlotBackground);
    QPainter painter(&image);
    {
        QtPlotCanvas canvas(painter);
        DrawProfile(canvas, track.points.GetData(), track.points.GetSize(), overDistance,
                    PlotRect{0, 0, size.width(), size.height()});
    }
    painter.end();
    return image;
}

/// A walk with GPS jitter: steps of 1 to 10 m on a wandering heading, noisy altitudes, stops
/// where only the noise moves the fix, and a break now and then.
TrackSection JitteryTrack(int count) {
    TrackSection track;
    track.points.SetSize(static_cast<std::size_t>(count));
    uint64_t seed = 12345;
    const auto random = [&seed] {  // 0 to 1
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    double north = 0.0;
    double east = 0.0;
    double along = 0.0;
    double heading = 0.0;
    for (int i = 0; i < count; ++i) {
        const bool stopped = (i / 300) % 5 == 4;
        const double step = stopped ? 0.0 : 1.0 + 9.0 * random();
        heading += (random() - 0.5) * 0.3;
        along += step;
        north += step * std::cos(heading) + (random() - 0.5);
        east += step * std::sin(heading) + (random() - 0.5);
        TrackPoint& p = track.points[static_cast<std::size_t>(i)];
        p.latitude = 47.0 + north / 111317.0;
        p.longitude = 11.0 + east / 75900.0;
        p.altitude = 1200.0 + 300.0 * std::sin(along / 3000.0) + 30.0 * std::sin(along / 130.0)
                     + 3.0 * (random() - 0.5);
        p.time = 40000.0 + i / 86400.0 + (i > count / 2 ? 0.01 : 0.0);
        p.state = i == 0 || i % 7000 == 0 ? StateRunStart : StateConnected;
    }
    track.Analyze({ConnectNone, 15.0, 0.5});
    // States no analysis gives draw nothing and leave the position where it was.
    for (std::size_t i = 0; i < 40; ++i) {
        track.points[static_cast<std::size_t>(count) / 2 + i].state = i % 2 == 0 ? 9 : -3;
    }
    return track;
}

std::vector<TrackSection> RealTracks() {
    std::vector<TrackSection> tracks;
    const std::string dir = std::string(PELORIN_REAL_DATA) + "/plt";
    if (std::filesystem::is_directory(dir)) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            TrackSectionList sections;
            sections.LoadTrackFile(entry.path().string());
            std::vector<std::size_t> rows(sections.GetSize());
            for (std::size_t i = 0; i < rows.size(); ++i) {
                rows[i] = i;
            }
            tracks.emplace_back();
            JoinSections(sections, rows, AnalysisSettings::FromKmh(ConnectAuto, 15.0, 1.8),
                         tracks.back());
        }
    }
    tracks.push_back(JitteryTrack(60000));
    return tracks;
}

}  // namespace

// The drawing leaves out repeated lines; the picture must not show it, at the window's plot
// size and at a large one.
TEST(QtPlotCanvas, LeavingOutRepeatedLinesKeepsEveryPixel) {
    const std::vector<TrackSection> tracks = RealTracks();
    EXPECT_GE(tracks.size(), 2u);
    for (const TrackSection& track : tracks) {
        for (const QSize size : {QSize(856, 169), QSize(1500, 600)}) {
            for (const bool overDistance : {true, false}) {
                const QImage fast = RenderProfileImage(track.points.GetData(),
                                                       track.points.GetSize(), overDistance, size);
                ASSERT_TRUE(fast == RenderEveryOperation(track, overDistance, size))
                    << track.points.GetSize() << " points, " << size.width() << " wide, "
                    << (overDistance ? "distance" : "time");
                const QImage every = RenderZoomed(track, overDistance, size, Way::Every);
                ASSERT_TRUE(RenderZoomed(track, overDistance, size, Way::Skipping) == every)
                    << track.points.GetSize() << " points zoomed, " << size.width() << " wide";
                ASSERT_TRUE(RenderZoomed(track, overDistance, size, Way::Screen) == every)
                    << track.points.GetSize() << " points as on screen, " << size.width()
                    << " wide";
            }
        }
    }
}
