#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "plot/PlanDrawing.h"
#include "plot/ProfileDrawing.h"
#include "support/RecordingCanvas.h"

namespace {

using Line = RecordingCanvas::Line;

struct PointInfo {
    int32_t state;
    double altitude;  // metres
    int32_t flags = 0;
};

/// Points 100 m apart. With ItemFor, x of point i is 2 + 10 i and, for integer altitudes
/// spanning 0 to 50 m, y is 52 - altitude.
std::vector<TrackPoint> Track(std::initializer_list<PointInfo> infos) {
    std::vector<TrackPoint> points;
    for (const PointInfo& info : infos) {
        TrackPoint p;
        p.state = info.state;
        p.altitude = info.altitude;
        p.flags = info.flags;
        p.distance = 100.0 * static_cast<double>(points.size());
        p.time = 40000.0 + static_cast<double>(points.size()) / 1440.0;
        points.push_back(p);
    }
    return points;
}

/// Item rectangle whose plot rectangle R is (2, 2, 2 + 10 (n - 1), 52).
PlotRect ItemFor(std::size_t n) {
    return {0, 0, 4 + 10 * static_cast<int>(n - 1), 54};
}

PlotPoint At(int i, int altitude) {
    return {2 + 10 * i, 52 - altitude};
}

RecordingCanvas Draw(const std::vector<TrackPoint>& points, bool overDistance = true,
                     const PlotRect* item = nullptr) {
    RecordingCanvas canvas;
    DrawProfile(canvas, points.data(), points.size(), overDistance,
                item != nullptr ? *item : ItemFor(points.size()));
    return canvas;
}

std::vector<Line> LinesWithAny(const RecordingCanvas& canvas, std::initializer_list<PlotPen> pens) {
    std::vector<Line> result;
    for (const Line& line : canvas.lines) {
        for (PlotPen pen : pens) {
            if (line.pen == pen) {
                result.push_back(line);
            }
        }
    }
    return result;
}

}  // namespace

TEST(ProfileDrawing, PensHaveTheirColoursAndWidths) {
    const PenStyle& rise = GetPenStyle(PlotPen::RiseChord);
    EXPECT_EQ((std::vector<int>{rise.red, rise.green, rise.blue, rise.width}),
              (std::vector<int>{210, 180, 180, 6}));
    const PenStyle& fall = GetPenStyle(PlotPen::FallChord);
    EXPECT_EQ((std::vector<int>{fall.red, fall.green, fall.blue}),
              (std::vector<int>{180, 210, 180}));
    EXPECT_EQ(GetPenStyle(PlotPen::StoppedBand).blue, 255);
    EXPECT_EQ(GetPenStyle(PlotPen::SteepestDescentBand).green, 255);
    EXPECT_EQ(GetPenStyle(PlotPen::FastestBand).blue, 0);
    EXPECT_EQ(GetPenStyle(PlotPen::LevelLine).blue, 255);
    EXPECT_EQ(GetPenStyle(PlotPen::AscentLine).red, 120);
    EXPECT_EQ(GetPenStyle(PlotPen::DescentLine).green, 120);
    EXPECT_EQ(GetPenStyle(PlotPen::DescentLine).width, 2);
    const PenStyle& marker = GetPenStyle(PlotPen::RunMarker);
    EXPECT_EQ((std::vector<int>{marker.red, marker.green, marker.blue, marker.width}),
              (std::vector<int>{130, 130, 178, 1}));
}

TEST(ProfileDrawing, NoPointsDrawOnlyTheCrossCornerToCornerOfTheDeflatedItem) {
    const PlotRect item{10, 20, 110, 70};
    const RecordingCanvas canvas = Draw({}, true, &item);
    const std::vector<CanvasCall> expected = {
        {CanvasCall::Pen, PlotPen::RiseChord, 0, 0},
        {CanvasCall::Move, PlotPen::RiseChord, 12, 22},
        {CanvasCall::Line, PlotPen::RiseChord, 108, 68},
        {CanvasCall::Move, PlotPen::RiseChord, 108, 22},
        {CanvasCall::Line, PlotPen::RiseChord, 12, 68},
    };
    EXPECT_EQ(canvas.calls, expected);
}

TEST(ProfileDrawing, OnePointDrawsNothingWhateverItsState) {
    for (int32_t state : {StateRunStart, StateRising, StateFalling, StateLevel, StateStopped}) {
        for (bool overDistance : {true, false}) {
            const RecordingCanvas canvas = Draw(Track({{state, 120.0, FlagFastest}}), overDistance);
            EXPECT_TRUE(canvas.lines.empty()) << "state " << state;
        }
    }
}

TEST(ProfileDrawing, PixelsAddAHalfThenTruncate) {
    std::vector<TrackPoint> points = Track({{1, 100.0}, {3, 150.6}, {3, 200.0}});
    points[1].distance = 333.0;
    points[2].distance = 1000.0;
    const PlotRect item{0, 0, 104, 54};  // R: 100 by 50 pixels
    const RecordingCanvas canvas = Draw(points, true, &item);
    // x = 33.3 + 2.5 -> 35; y = 52 - 25.3 + 0.5 -> 27.
    const std::vector<Line> expected = {{PlotPen::LevelLine, {2, 52}, {35, 27}},
                                        {PlotPen::LevelLine, {35, 27}, {102, 2}}};
    EXPECT_EQ(canvas.LinesWith(PlotPen::LevelLine), expected);
}

TEST(ProfileDrawing, DrawsTheThreePassesInOrder) {
    const RecordingCanvas canvas =
        Draw(Track({{1, 0.0}, {6, 20.0, FlagFastest}, {6, 50.0}, {2, 50.0}, {7, 10.0}}));
    std::vector<int> passes;
    for (const CanvasCall& call : canvas.calls) {
        if (call.kind != CanvasCall::Pen) {
            continue;
        }
        const PlotPen pen = call.pen;
        passes.push_back(pen <= PlotPen::FallChord ? 1 : pen <= PlotPen::FastestBand ? 2 : 3);
    }
    EXPECT_TRUE(std::is_sorted(passes.begin(), passes.end()));
    EXPECT_EQ(passes.front(), 1);
    EXPECT_EQ(passes.back(), 3);
    EXPECT_EQ(canvas.linesWithoutPen, 0);
}

TEST(ProfileDrawing, TrendChordsRunThroughTheLastPointOfEachGroup) {
    const RecordingCanvas canvas = Draw(Track({{1, 0.0},
                                               {6, 10.0},
                                               {6, 50.0},
                                               {3, 40.0},
                                               {7, 30.0},
                                               {7, 5.0},
                                               {4, 20.0},
                                               {1, 10.0},
                                               {6, 30.0},
                                               {3, 25.0}}));
    const std::vector<Line> expected = {{PlotPen::RiseChord, At(0, 0), At(2, 50)},
                                        {PlotPen::FallChord, At(2, 50), At(5, 5)},
                                        {PlotPen::RiseChord, At(7, 10), At(8, 30)}};
    EXPECT_EQ(LinesWithAny(canvas, {PlotPen::RiseChord, PlotPen::FallChord}), expected);
}

TEST(ProfileDrawing, ARunWithoutRiseOrFallDrawsNoChord) {
    const RecordingCanvas canvas = Draw(Track({{1, 0.0}, {4, 20.0}, {5, 50.0}, {3, 10.0}}));
    EXPECT_TRUE(LinesWithAny(canvas, {PlotPen::RiseChord, PlotPen::FallChord}).empty());
}

TEST(ProfileDrawing, BandPenFollowsStateAndFlags) {
    const RecordingCanvas canvas =
        Draw(Track({{1, 0.0},
                    {2, 10.0},
                    {3, 20.0, FlagSteepestAscent | FlagFastest},   // red wins over yellow
                    {5, 30.0, FlagSteepestDescent | FlagFastest},  // green wins over yellow
                    {4, 40.0, FlagFastest},
                    {3, 50.0},                      // moving without a stretch: no band
                    {0, 45.0},                      // joined but not classified: stopped band
                    {6, 35.0, FlagSectionStart},    // the section start plays no part
                    {9, 25.0, FlagSteepestAscent},  // unknown states draw nothing
                    {-1, 15.0, FlagSteepestAscent},
                    {7, 5.0, FlagSteepestDescent}}));
    const std::vector<Line> expected = {{PlotPen::StoppedBand, At(0, 0), At(1, 10)},
                                        {PlotPen::SteepestAscentBand, At(1, 10), At(2, 20)},
                                        {PlotPen::SteepestDescentBand, At(2, 20), At(3, 30)},
                                        {PlotPen::FastestBand, At(3, 30), At(4, 40)},
                                        {PlotPen::StoppedBand, At(5, 50), At(6, 45)},
                                        {PlotPen::SteepestDescentBand, At(7, 35), At(10, 5)}};
    EXPECT_EQ(LinesWithAny(canvas, {PlotPen::StoppedBand, PlotPen::SteepestAscentBand,
                                    PlotPen::SteepestDescentBand, PlotPen::FastestBand}),
              expected);
}

TEST(ProfileDrawing, ProfileLineLeadsToNoStoppedPointButResumesFromIt) {
    const RecordingCanvas canvas = Draw(Track({{1, 0.0},
                                               {3, 10.0},
                                               {2, 20.0},
                                               {4, 30.0},
                                               {0, 40.0},
                                               {5, 50.0},
                                               {6, 45.0},
                                               {7, 5.0},
                                               {8, 25.0},
                                               {3, 15.0}}));
    const std::vector<Line> expected = {
        {PlotPen::LevelLine, At(0, 0), At(1, 10)},    {PlotPen::AscentLine, At(2, 20), At(3, 30)},
        {PlotPen::DescentLine, At(4, 40), At(5, 50)}, {PlotPen::AscentLine, At(5, 50), At(6, 45)},
        {PlotPen::DescentLine, At(6, 45), At(7, 5)},  {PlotPen::LevelLine, At(7, 5), At(9, 15)}};
    EXPECT_EQ(LinesWithAny(canvas, {PlotPen::LevelLine, PlotPen::AscentLine, PlotPen::DescentLine}),
              expected);
}

TEST(ProfileDrawing, RunMarkersEncloseEachBreakButNeverTheFirstPoint) {
    // The unknown state 9 leaves the position at point 4, so the second break's first marker
    // stands there.
    const RecordingCanvas canvas = Draw(Track(
        {{1, 0.0}, {3, 10.0}, {3, 20.0}, {1, 30.0}, {3, 40.0}, {9, 50.0}, {1, 45.0}, {3, 5.0}}));
    const auto marker = [](int i) {
        return Line{PlotPen::RunMarker, {2 + 10 * i, 2}, {2 + 10 * i, 52}};
    };
    const std::vector<Line> onePass = {marker(2), marker(3), marker(4), marker(6)};
    std::vector<Line> expected = onePass;                             // bands
    expected.insert(expected.end(), onePass.begin(), onePass.end());  // profile line
    EXPECT_EQ(canvas.LinesWith(PlotPen::RunMarker), expected);
}

TEST(ProfileDrawing, OverTimePointsBeforeTheFirstLieLeftOfThePlot) {
    // The second section was recorded before the first: xMin is the first point's time,
    // not the smallest.
    std::vector<TrackPoint> points = Track({{1, 0.0}, {3, 50.0}, {1, 0.0}, {3, 50.0}});
    const double times[] = {1.0, 2.0, 0.5, 3.0};  // days
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].time = times[i];
    }
    const PlotRect item{0, 0, 104, 54};  // 50 pixels per day
    const RecordingCanvas canvas = Draw(points, false, &item);
    // (0.5 - 1) * 50 + 2.5 = -22.5 truncates toward zero to -22.
    const std::vector<Line> expected = {{PlotPen::LevelLine, {2, 52}, {52, 2}},
                                        {PlotPen::LevelLine, {-22, 52}, {102, 2}}};
    EXPECT_EQ(canvas.LinesWith(PlotPen::LevelLine), expected);
}

TEST(ProfileDrawing, AltitudeBoundsStartAtPlusMinusOneHundredKilometres) {
    // Points all above 100000 m keep 100000 m as the lower bound, so they lie above R.
    const RecordingCanvas canvas = Draw(Track({{1, 150000.0}, {3, 200000.0}}));
    ASSERT_EQ(canvas.LinesWith(PlotPen::LevelLine).size(), 1u);
    const Line line = canvas.LinesWith(PlotPen::LevelLine)[0];
    EXPECT_EQ(line.from.y, 27);  // halfway between 100000 and 200000 m
    EXPECT_EQ(line.to.y, 2);
}

TEST(ProfileDrawing, ZeroRangesCentreTheirAxis) {
    // A flat track: every point on the middle line of R.
    const RecordingCanvas flat = Draw(Track({{1, 80.0}, {3, 80.0}, {3, 80.0}}));
    const std::vector<Line> level = {{PlotPen::LevelLine, {2, 27}, {12, 27}},
                                     {PlotPen::LevelLine, {12, 27}, {22, 27}}};
    EXPECT_EQ(flat.LinesWith(PlotPen::LevelLine), level);

    // All points at one time: a vertical profile in the middle of R.
    std::vector<TrackPoint> points = Track({{1, 0.0}, {4, 50.0}, {1, 20.0}, {3, 30.0}});
    for (TrackPoint& p : points) {
        p.time = 40000.5;
    }
    const RecordingCanvas still = Draw(points, false);
    const std::vector<Line> expected = {{PlotPen::AscentLine, {17, 52}, {17, 2}}};
    EXPECT_EQ(still.LinesWith(PlotPen::AscentLine), expected);
    EXPECT_EQ(still.LinesWith(PlotPen::RunMarker).size(), 4u);
}

TEST(ProfileDrawing, NotANumberLandsOnTheAxisMinimum) {
    std::vector<TrackPoint> points = Track({{1, 0.0}, {3, 50.0}, {3, 20.0}});
    points[1].time = std::numeric_limits<double>::quiet_NaN();
    points[0].altitude = std::numeric_limits<double>::quiet_NaN();
    const RecordingCanvas canvas = Draw(points, false);
    // The NaN altitude drops out of the bounds, which become 20 to 50 m.
    const std::vector<Line> expected = {{PlotPen::LevelLine, {2, 52}, {2, 2}},
                                        {PlotPen::LevelLine, {2, 2}, {22, 52}}};
    EXPECT_EQ(canvas.LinesWith(PlotPen::LevelLine), expected);
}

TEST(ProfileDrawing, FarOffPixelsAreClampedNotOverflowed) {
    std::vector<TrackPoint> points = Track({{1, 0.0}, {3, 50.0}, {3, 20.0}, {3, 10.0}});
    points[1].distance = 1.0;
    points[2].distance = -1.0;
    points[3].distance = 1e-12;  // xMax: a tiny range, so a metre is 2e13 pixels
    const RecordingCanvas canvas = Draw(points);
    const std::vector<Line> lines = canvas.LinesWith(PlotPen::LevelLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].to.x, 16777216);
    EXPECT_EQ(lines[1].to.x, -16777216);

    // An infinite last distance makes the scale zero: every x on R.left, no NaN pixel.
    points[3].distance = std::numeric_limits<double>::infinity();
    for (const Line& line : Draw(points).LinesWith(PlotPen::LevelLine)) {
        EXPECT_EQ(line.to.x, 2);
    }
}

TEST(ProfileDrawing, ExtremeItemRectanglesDoNotOverflow) {
    const PlotRect huge{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                        std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    const RecordingCanvas canvas = Draw(Track({{1, 0.0}, {3, 50.0}}), true, &huge);
    ASSERT_EQ(canvas.lines.size(), 1u);
    EXPECT_EQ(canvas.lines[0].to.x, 16777216);
    EXPECT_EQ(canvas.lines[0].to.y, -16777216);
    const RecordingCanvas cross = Draw({}, true, &huge);
    EXPECT_EQ(cross.lines[0].from.x, std::numeric_limits<int>::min() + 2);
}

// The profile and the plan view drawn in steps between events: the same calls, however cut.
TEST(ProfileDrawing, DrawnInStepsItMakesTheSameCallsHoweverCut) {
    // clang-format off
    std::vector<TrackPoint> points = Track({{1, 0.0}, {6, 10.0}, {4, 20.0, 1}, {2, 20.0},
        {0, 25.0}, {1, 30.0}, {7, 40.0, 4}, {5, 30.0, 2}, {3, 30.0}, {9, 50.0}, {1, 45.0},
        {7, 5.0}, {6, 15.0}});
    // clang-format on
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].longitude = 11.0 + 0.001 * static_cast<double>(i % 5);
        points[i].latitude = 47.0 + 0.0001 * points[i].altitude;
    }
    const PlotRect item = ItemFor(points.size());
    const ProfileMapping mapping(points.data(), points.size(), true, item);
    const PlanProjection projection(points.data(), points.size(), item);
    RecordingCanvas profile;
    RecordingCanvas plan;
    DrawProfile(profile, points.data(), points.size(), mapping);
    DrawPlan(plan, points.data(), points.size(), projection);
    ASSERT_GT(profile.calls.size(), 3 * points.size());
    ASSERT_GT(plan.calls.size(), 2 * points.size());
    const auto drawInSteps = [](auto steps, std::size_t step) {
        RecordingCanvas cut;
        while (!steps.Step(cut, step)) {
        }
        return cut.calls;
    };
    for (const std::size_t step : {1, 2, 5, 12, 13}) {
        EXPECT_EQ(drawInSteps(ProfileSteps(points.data(), points.size(), mapping), step),
                  profile.calls)
            << step;
        EXPECT_EQ(drawInSteps(PlanSteps(points.data(), points.size(), projection), step),
                  plan.calls)
            << step;
    }
}
