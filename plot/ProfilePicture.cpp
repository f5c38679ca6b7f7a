#include "plot/ProfilePicture.h"

#include <algorithm>
#include <cmath>

#include "plot/PlanDrawing.h"
#include "plot/ProfileDrawing.h"
#include "plot/SvgCanvas.h"

ProfilePictureParts ProfilePictureOf(const TrackPoint* points, std::size_t count, bool overDistance,
                                     const ProfileZoom& zoom, int width, int height) {
    const ProfileLayout layout = LayOutProfile(width, height);
    ProfilePictureParts parts{
        layout, ZoomedMapping(points, count, overDistance, layout.item, zoom), {}, {}, {}, {}};
    const double firstDay = count != 0 ? std::floor(points[0].time) : 0.0;
    parts.horizontal = HorizontalTicks(parts.mapping, firstDay, layout.horizontalTickCount);
    parts.vertical = VerticalTicks(parts.mapping, layout.verticalTickCount);
    parts.horizontalCaption = overDistance ? "Distance (km)" : "Time of day";
    parts.verticalCaption = "Elevation (m)";
    return parts;
}

std::string RenderProfilePictureSvg(const TrackPoint* points, std::size_t count, bool overDistance,
                                    const ProfileZoom& zoom, int width, int height, int planWidth) {
    const ProfilePictureParts parts =
        ProfilePictureOf(points, count, overDistance, zoom, width, height);
    SvgCanvas canvas(width + planWidth, height);
    if (count == 0) {
        DrawProfile(canvas, points, count, overDistance, parts.layout.item);
    } else {
        DrawProfile(canvas, points, count, parts.mapping);
    }
    const PlotRect& r = parts.mapping.Rect();
    constexpr int kFont = ProfileLayout::kFontSize;
    canvas.AddRule(r.left, r.bottom, r.right, r.bottom);
    canvas.AddRule(r.left, r.top, r.left, r.bottom);
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
    const PlanProjection plan(points, count, PlotRect{width, 0, width + planWidth, height});
    DrawPlan(canvas, points, count, plan);
    return canvas.Finish();
}
