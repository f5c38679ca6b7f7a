#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plot/PlanProjection.h"
#include "plot/ProfileAxes.h"
#include "plot/ProfileAxis.h"
#include "plot/ProfileLayout.h"
#include "plot/ProfileMapping.h"
#include "plot/ProfilePoints.h"
#include "plot/ProfileZoom.h"
#include "report/DisplayOptions.h"
#include "track/TrackPoint.h"

class SvgCanvas;
struct ChannelPlot;

/// What the profile window shows of a track: its points on the axis of its mode, the zoom, and
/// how the texts are shown.
struct ProfileView {
    const TrackPoint* points = nullptr;
    std::size_t count = 0;
    const ProfileAxis* axis = nullptr;  // of the points, in the mode shown; never null with points
    const ProfilePoints* packed = nullptr;  // the points packed; never null with points
    ProfileZoom zoom;
    DisplayOptions options;
    const double* terrain = nullptr;   // terrain heights of the points; null when none
    const double* recorded = nullptr;  // recorded heights, when the points hold others

    bool OverDistance() const { return axis == nullptr || axis->OverDistance(); }
};

/// Everything a picture of the profile window shows, for one surface size. The vertical range
/// takes in the heights of the elevation lines too.
struct ProfilePictureParts {
    ProfileLayout layout;
    ProfileMapping mapping;
    std::vector<AxisTick> horizontal;
    std::vector<AxisTick> vertical;
    std::vector<int> breaks;        // pixel columns of the gaps between runs on show
    std::string horizontalCaption;  // "Distance (km)" or "Time of day"
    std::string verticalCaption;    // "Elevation (m)"
    std::size_t first = 0;          // the points the band and line passes walk: first to last
    std::size_t last = 0;           // (excluded), those that can show in the picture
};
ProfilePictureParts ProfilePictureOf(const ProfileView& view, int width, int height);

/// The plot area the profile is clipped to: R, its right and bottom edges included, where the
/// ends of the range land.
PlotRect ProfileClip(const ProfilePictureParts& parts);

/// The marks over the pictures: the range chosen by Shift+drag and the point under the cursor.
struct ProfileMarks {
    std::optional<std::pair<std::size_t, std::size_t>> range;
    std::optional<std::size_t> cursor;
};

/// A colour with its opacity, and a width for lines.
struct MarkStyle {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t alpha;  // 255: opaque
    int width;      // pixels
};
inline constexpr MarkStyle kRangeSpanStyle{0, 0, 255, 28, 0};   // over the profile
inline constexpr MarkStyle kPlanRangeStyle{0, 0, 255, 90, 10};  // the range in the plan view
inline constexpr MarkStyle kCursorStyle{0, 0, 0, 255, 1};       // the profile's cursor line
inline constexpr MarkStyle kPlanCursorStyle{0, 0, 0, 255, 2};   // circle around the point
inline constexpr int kPlanCursorRadius = 5;                     // pixels
inline constexpr uint8_t kBackgroundGrey = 0xF0;                // of both pictures

/// The columns of the range's first and last point on the profile, left one first.
std::pair<int, int> RangeColumns(const ProfilePictureParts& parts, const ProfileView& view,
                                 std::pair<std::size_t, std::size_t> range);
/// The column of the point under the cursor.
int CursorColumn(const ProfilePictureParts& parts, const ProfileView& view, std::size_t cursor);

/// The path through the points of a range, each at map(i), repeated pixels left out; a range
/// of one pixel has it twice, so that its round caps show.
template <typename Map>
std::vector<PlotPoint> PathThrough(std::pair<std::size_t, std::size_t> range, Map map) {
    std::vector<PlotPoint> path;
    for (std::size_t i = range.first; i <= range.second; ++i) {
        const PlotPoint p = map(i);
        if (path.empty() || !(path.back() == p)) {
            path.push_back(p);
        }
    }
    if (path.size() == 1) {
        path.push_back(path.back());
    }
    return path;
}

/// The path of the range's points in the plan view.
std::vector<PlotPoint> PlanRangePath(const TrackPoint* points,
                                     std::pair<std::size_t, std::size_t> range,
                                     const PlanProjection& projection);

/// The mark of a gap between runs on the horizontal axis: a patch of background over the
/// axis and two slanted strokes across it.
struct BreakMark {
    PlotRect patch;
    PlotPoint strokes[2][2];  // from, to
};
BreakMark BreakMarkAt(int x, const PlotRect& r);

/// The axes with their ticks, breaks and captions of a picture height pixels high, in black on
/// the SVG.
void AddProfileAxes(SvgCanvas& canvas, const ProfilePictureParts& parts, int height);

/// The profile with its axes (width by height) and the plan view beside it (planWidth by
/// height), with the marks, as one SVG document on a background rectangle: the picture the
/// window shows and saves as PNG. Lines that repeat what is drawn are left out, as on screen.
/// With a second plot, it lies under the profile and the plan view spans both.
std::string RenderProfilePictureSvg(const ProfileView& view, const ProfileMarks& marks, int width,
                                    int height, int planWidth,
                                    const ChannelPlot* channel = nullptr);
