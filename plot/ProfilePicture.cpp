#include "plot/ProfilePicture.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "plot/ChannelPicture.h"
#include "plot/ElevationLines.h"
#include "plot/PlanDrawing.h"
#include "plot/ProfileDrawing.h"
#include "plot/RepeatSkippingCanvas.h"
#include "plot/SvgCanvas.h"

namespace {

/// The points that can show in the plot area: from the last one before its left edge to the
/// first one past its right edge, the edges moved out by more than the widest pen reaches. All
/// of them when the axis is out of order.
std::pair<std::size_t, std::size_t> VisiblePoints(const ProfileView& view,
                                                  const ProfileMapping& mapping) {
    if (view.axis == nullptr || !view.axis->IsSorted() || !view.zoom.IsZoomed()
        || !mapping.HasHorizontalScale()) {
        return {0, view.count};
    }
    constexpr int kReach = 8;  // pixels: half the widest pen and the rounding, with room
    const double* values = view.axis->Values();
    const PlotRect& r = mapping.Rect();
    const std::size_t first = FirstNotBelow(values, view.count, mapping.ValueAt(r.left - kReach));
    const std::size_t last = FirstNotBelow(values, view.count, mapping.ValueAt(r.right + kReach));
    return {first == 0 ? 0 : first - 1, std::min(view.count, last + 1)};
}

}  // namespace

void AddProfileAxes(SvgCanvas& canvas, const ProfilePictureParts& parts, int height) {
    const PlotRect& r = parts.mapping.Rect();
    constexpr int kFont = ProfileLayout::kFontSize;
    canvas.AddRule(r.left, r.bottom, r.right, r.bottom);
    canvas.AddRule(r.left, r.top, r.left, r.bottom);
    for (const int x : parts.breaks) {
        const BreakMark mark = BreakMarkAt(x, r);
        canvas.AddRect(mark.patch, kBackgroundGrey, kBackgroundGrey, kBackgroundGrey);
        for (const auto& stroke : mark.strokes) {
            canvas.AddRule(stroke[0].x, stroke[0].y, stroke[1].x, stroke[1].y);
        }
    }
    for (const AxisTick& tick : parts.horizontal) {
        canvas.AddRule(tick.pixel, r.bottom, tick.pixel, r.bottom + ProfileLayout::kTickLength);
        canvas.AddText(tick.pixel, r.bottom + 6 + kFont, tick.label, "middle", kFont);
    }
    for (const AxisTick& tick : parts.vertical) {
        canvas.AddRule(r.left - ProfileLayout::kTickLength, tick.pixel, r.left, tick.pixel);
        canvas.AddText(r.left - 6, tick.pixel + kFont / 3, tick.label, "end", kFont);
    }
    canvas.AddText((r.left + r.right) / 2, height - 4, parts.horizontalCaption, "middle", kFont);
    canvas.AddText(4, kFont + 2, parts.verticalCaption, "start", kFont);
}

ProfilePictureParts ProfilePictureOf(const ProfileView& view, int width, int height) {
    const ProfileLayout layout = LayOutProfile(width, height);
    const ProfileAxis none;
    const ProfileAxis& axis = view.axis != nullptr ? *view.axis : none;
    const double* altitudes = view.packed != nullptr ? view.packed->Altitudes() : nullptr;
    const ProfileMapping mapping = WithElevationLines(
        ZoomedMapping(altitudes, axis, layout.item, view.zoom), view, layout.item);
    ProfilePictureParts parts{layout, mapping, {}, {}, {}, {}, {}};
    const double firstDay =
        view.count != 0 ? std::floor(ShownTime(view.points[0].time, view.options.time)) : 0.0;
    parts.horizontal =
        HorizontalTicks(parts.mapping, axis, firstDay, layout.horizontalTickCount, view.options);
    parts.vertical = VerticalTicks(parts.mapping, layout.verticalTickCount, view.options);
    const PlotRect& r = parts.mapping.Rect();
    const std::vector<ProfileAxis::Run>& runs = axis.Runs();
    for (std::size_t k = 1; k < runs.size(); ++k) {
        const int x = parts.mapping.X((runs[k - 1].to + runs[k].from) / 2.0);
        if (x > r.left && x < r.right) {
            parts.breaks.push_back(x);
        }
    }
    parts.horizontalCaption = HorizontalAxisCaption(view.OverDistance(), view.options);
    parts.verticalCaption = VerticalAxisCaption(view.options);
    std::tie(parts.first, parts.last) = VisiblePoints(view, parts.mapping);
    return parts;
}

PlotRect ProfileClip(const ProfilePictureParts& parts) {
    const PlotRect& r = parts.mapping.Rect();
    return {r.left, r.top, r.right + 1, r.bottom + 1};
}

std::pair<int, int> RangeColumns(const ProfilePictureParts& parts, const ProfileView& view,
                                 std::pair<std::size_t, std::size_t> range) {
    const int a = CursorColumn(parts, view, range.first);
    const int b = CursorColumn(parts, view, range.second);
    return {std::min(a, b), std::max(a, b)};
}

int CursorColumn(const ProfilePictureParts& parts, const ProfileView& view, std::size_t cursor) {
    return parts.mapping.X(view.axis->Values()[cursor]);
}

std::vector<PlotPoint> PlanRangePath(const TrackPoint* points,
                                     std::pair<std::size_t, std::size_t> range,
                                     const PlanProjection& projection) {
    return PathThrough(range, [&](std::size_t i) { return projection.Map(points[i]); });
}

BreakMark BreakMarkAt(int x, const PlotRect& r) {
    const int y = r.bottom;
    return {{x - 3, y - 4, x + 4, y + 5},
            {{{x - 4, y + 4}, {x - 1, y - 4}}, {{x + 1, y + 4}, {x + 4, y - 4}}}};
}

std::string RenderProfilePictureSvg(const ProfileView& view, const ProfileMarks& marks, int width,
                                    int height, int planWidth, const ChannelPlot* channel) {
    const ProfilePictureParts parts = ProfilePictureOf(view, width, height);
    const int profileHeight = height;
    if (channel != nullptr) {  // the plan view beside both plots
        height += channel->height;
    }
    SvgCanvas canvas(width + planWidth, height);
    canvas.AddRect({0, 0, width + planWidth, height}, kBackgroundGrey, kBackgroundGrey,
                   kBackgroundGrey);
    const PlotRect clip = ProfileClip(parts);
    canvas.BeginClip(clip);
    {
        RepeatSkippingCanvas skipping(canvas, clip);
        if (view.count == 0) {
            DrawProfile(skipping, view.points, 0, view.OverDistance(), parts.layout.item);
        } else {
            ProfileSteps steps(*view.packed, view.axis->Values(), parts.mapping, parts.first,
                               parts.last);
            while (!steps.Step(skipping, view.count)) {
            }
            ElevationLineSteps lines(ElevationLinesOf(view), *view.packed, view.axis->Values(),
                                     parts.mapping, parts.first, parts.last);
            while (!lines.Step(skipping, view.count)) {
            }
        }
    }
    canvas.EndClip();
    AddProfileAxes(canvas, parts, profileHeight);
    const PlotRect& r = parts.mapping.Rect();
    if (marks.range && view.count != 0) {
        const auto [left, right] = RangeColumns(parts, view, *marks.range);
        const MarkStyle& s = kRangeSpanStyle;
        canvas.AddRect({left, r.top, right + 1, r.bottom}, s.red, s.green, s.blue, s.alpha);
    }
    if (marks.cursor && view.count != 0) {
        const int x = CursorColumn(parts, view, *marks.cursor);
        canvas.AddRule(x, r.top, x, r.bottom);
    }
    if (channel != nullptr) {
        canvas.BeginGroup(0, profileHeight);
        AddChannelPicture(canvas, view, marks, parts, *channel);
        canvas.EndGroup();
    }
    const PlanProjection plan(view.points, view.count,
                              PlotRect{width, 0, width + planWidth, height});
    {
        RepeatSkippingCanvas skipping(canvas, PlotRect{width, 0, width + planWidth, height});
        DrawPlan(skipping, view.points, view.count, plan);
    }
    if (marks.range && view.count != 0) {
        const MarkStyle& s = kPlanRangeStyle;
        canvas.AddPolyline(PlanRangePath(view.points, *marks.range, plan), s.red, s.green, s.blue,
                           s.alpha, s.width);
    }
    if (marks.cursor && view.count != 0) {
        const PlotPoint p = plan.Map(view.points[*marks.cursor]);
        const MarkStyle& s = kPlanCursorStyle;
        canvas.AddCircle(p.x, p.y, kPlanCursorRadius, s.red, s.green, s.blue, s.width);
    }
    return canvas.Finish();
}
