#include "qt/ProfileImage.h"

#include <vector>

#include <QPainter>

#include "plot/PlanDrawing.h"
#include "plot/ProfileDrawing.h"
#include "plot/RepeatSkippingCanvas.h"
#include "qt/QtPlotCanvas.h"
#include "qt/QtText.h"

namespace {

constexpr QRgb kAxisColour = 0xFF000000;

/// The axes with their ticks, labels and captions.
void DrawAxes(QPainter& painter, const ProfilePictureParts& parts, QSize size) {
    const PlotRect& r = parts.mapping.Rect();
    QFont font = painter.font();
    font.setPixelSize(ProfileLayout::kFontSize);
    painter.setFont(font);
    painter.setPen(QPen(QColor(kAxisColour), 1));
    painter.drawLine(r.left, r.bottom, r.right, r.bottom);
    painter.drawLine(r.left, r.top, r.left, r.bottom);
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

/// A round-capped path through the points first to last, leaving out repeated pixels.
void DrawPathOf(QPainter& painter, const TrackPoint* points, std::size_t first, std::size_t last,
                const PlanProjection& projection) {
    std::vector<QPoint> path;
    for (std::size_t i = first; i <= last; ++i) {
        const PlotPoint p = projection.Map(points[i]);
        if (path.empty() || path.back() != QPoint(p.x, p.y)) {
            path.emplace_back(p.x, p.y);
        }
    }
    if (path.size() == 1) {
        path.push_back(path.back());
    }
    painter.drawPolyline(path.data(), static_cast<int>(path.size()));
}

}  // namespace

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
                                                  const TrackPoint* points, std::size_t count,
                                                  bool overDistance, QSize size) {
    auto steps = std::make_shared<ProfileSteps>(points, count, parts.mapping);
    auto image = std::make_unique<SteppedImage>(
        size, [steps](PlotCanvas& canvas, std::size_t n) { return steps->Step(canvas, n); },
        [parts, size](QPainter& painter) { DrawAxes(painter, parts, size); });
    if (count == 0) {
        DrawProfile(image->Canvas(), nullptr, 0, overDistance, parts.layout.item);
    }
    return image;
}

QImage DrawProfilePicture(const ProfilePictureParts& parts, const TrackPoint* points,
                          std::size_t count, bool overDistance, QSize size) {
    const std::unique_ptr<SteppedImage> image =
        ProfilePictureImage(parts, points, count, overDistance, size);
    image->Step(2 * count);
    return image->Image();
}

std::unique_ptr<SteppedImage> PlanImage(const TrackPoint* points, std::size_t count,
                                        const PlanProjection& projection,
                                        std::optional<std::pair<std::size_t, std::size_t>> range,
                                        QSize size) {
    auto steps = std::make_shared<PlanSteps>(points, count, projection);
    return std::make_unique<SteppedImage>(
        size, [steps](PlotCanvas& canvas, std::size_t n) { return steps->Step(canvas, n); },
        [points, projection, range](QPainter& painter) {
            if (range) {
                painter.setPen(
                    QPen(QColor(0, 0, 255, 90), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                DrawPathOf(painter, points, range->first, range->second, projection);
            }
        });
}
