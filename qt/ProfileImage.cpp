#include "qt/ProfileImage.h"

#include <vector>

#include <QPainter>

#include "plot/ElevationLines.h"
#include "plot/PlanDrawing.h"
#include "plot/ProfileDrawing.h"
#include "plot/RepeatSkippingCanvas.h"
#include "qt/QtPlotCanvas.h"
#include "qt/QtText.h"

namespace {

constexpr QRgb kAxisColour = 0xFF000000;

}  // namespace

void DrawProfileAxes(QPainter& painter, const ProfilePictureParts& parts, QSize size) {
    const PlotRect& r = parts.mapping.Rect();
    QFont font = painter.font();
    font.setPixelSize(ProfileLayout::kFontSize);
    painter.setFont(font);
    painter.setPen(QPen(QColor(kAxisColour), 1));
    painter.drawLine(r.left, r.bottom, r.right, r.bottom);
    painter.drawLine(r.left, r.top, r.left, r.bottom);
    for (const int x : parts.breaks) {
        const BreakMark mark = BreakMarkAt(x, r);
        painter.fillRect(QRect(mark.patch.left, mark.patch.top, mark.patch.right - mark.patch.left,
                               mark.patch.bottom - mark.patch.top),
                         QColor(kPlotBackground));
        for (const auto& stroke : mark.strokes) {
            painter.drawLine(stroke[0].x, stroke[0].y, stroke[1].x, stroke[1].y);
        }
    }
    constexpr int kTick = ProfileLayout::kTickLength;
    for (const AxisTick& tick : parts.horizontal) {
        painter.drawLine(tick.pixel, r.bottom, tick.pixel, r.bottom + kTick);
        painter.drawText(QRect(tick.pixel - 60, r.bottom + kTick + 2, 120, 16),
                         Qt::AlignHCenter | Qt::AlignTop, ToQString(tick.label));
    }
    for (const AxisTick& tick : parts.vertical) {
        painter.drawLine(r.left - kTick, tick.pixel, r.left, tick.pixel);
        painter.drawText(QRect(0, tick.pixel - 8, r.left - kTick - 2, 16),
                         Qt::AlignRight | Qt::AlignVCenter, ToQString(tick.label));
    }
    painter.drawText(QRect(r.left, size.height() - 18, r.right - r.left, 16), Qt::AlignCenter,
                     ToQString(parts.horizontalCaption));
    painter.drawText(QRect(4, 2, 200, 16), Qt::AlignLeft | Qt::AlignTop,
                     ToQString(parts.verticalCaption));
}

QImage RenderProfileImage(const TrackPoint* points, std::size_t count, bool overDistance,
                          QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPlotBackground);
    QPainter painter(&image);
    {
        QtPlotCanvas canvas(painter);
        RepeatSkippingCanvas skipping(canvas);
        DrawProfile(skipping, points, count, overDistance,
                    PlotRect{0, 0, size.width(), size.height()});
    }
    painter.end();
    return image;
}

std::unique_ptr<SteppedImage> ProfilePictureImage(const ProfilePictureParts& parts,
                                                  const ProfileView& view, QSize size) {
    SteppedImage::Steps steps = [](PlotCanvas&, std::size_t) {
        return true;
    };
    if (view.count != 0) {
        auto drawing = std::make_shared<ProfileSteps>(*view.packed, view.axis->Values(),
                                                      parts.mapping, parts.first, parts.last);
        auto lines = std::make_shared<ElevationLineSteps>(ElevationLinesOf(view), *view.packed,
                                                          view.axis->Values(), parts.mapping,
                                                          parts.first, parts.last);
        steps = [drawing, lines](PlotCanvas& canvas, std::size_t n) {
            return drawing->Step(canvas, n) && lines->Step(canvas, n);
        };
    }
    auto image = std::make_unique<SteppedImage>(
        size, std::move(steps),
        [parts, size](QPainter& painter) { DrawProfileAxes(painter, parts, size); },
        ProfileClip(parts));
    if (view.count == 0) {
        DrawProfile(image->Canvas(), nullptr, 0, view.OverDistance(), parts.layout.item);
    }
    return image;
}

QImage DrawProfilePicture(const ProfilePictureParts& parts, const ProfileView& view, QSize size) {
    const std::unique_ptr<SteppedImage> image = ProfilePictureImage(parts, view, size);
    while (!image->Step(view.count + 1)) {
    }
    return image->Image();
}

std::unique_ptr<SteppedImage> PlanImage(const TrackPoint* points, std::size_t count,
                                        const PlanProjection& projection, QSize size) {
    auto steps = std::make_shared<PlanSteps>(points, count, projection);
    return std::make_unique<SteppedImage>(
        size, [steps](PlotCanvas& canvas, std::size_t n) { return steps->Step(canvas, n); },
        SteppedImage::Finish());
}

void DrawPlanRange(QPainter& painter, const std::vector<PlotPoint>& path) {
    const MarkStyle& s = kPlanRangeStyle;
    painter.setPen(QPen(QColor(s.red, s.green, s.blue, s.alpha), s.width, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    std::vector<QPoint> points;
    points.reserve(path.size());
    for (const PlotPoint& p : path) {
        points.emplace_back(p.x, p.y);
    }
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}
