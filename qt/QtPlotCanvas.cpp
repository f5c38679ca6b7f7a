#include "qt/QtPlotCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <QColor>
#include <QLineF>
#include <QPaintDevice>
#include <QPen>
#include <QPoint>
#include <QRect>

#include "plot/SegmentClip.h"

namespace {

/// The line clipped to the rectangle; false when nothing of it is inside. Far-off coordinates
/// would otherwise overflow the rasteriser's fixed-point numbers.
bool ClipLine(QLineF& line, const QRectF& rect) {
    Segment segment{line.x1(), line.y1(), line.x2(), line.y2()};
    if (!ClipSegment(segment, rect.left(), rect.top(), rect.right(), rect.bottom())) {
        return false;
    }
    line = QLineF(segment.x1, segment.y1, segment.x2, segment.y2);
    return true;
}

}  // namespace

QtPlotCanvas::QtPlotCanvas(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (const QPaintDevice* device = m_painter.device()) {
        m_bounds = QRect(0, 0, device->width(), device->height());
    }
}

QtPlotCanvas::~QtPlotCanvas() {
    Flush();
}

void QtPlotCanvas::Flush() {
    if (m_polyline.size() >= 2) {
        m_painter.drawPolyline(m_polyline.data(), static_cast<int>(m_polyline.size()));
    }
    m_polyline.clear();
}

bool QtPlotCanvas::NearSurface(PlotPoint point) const {
    const int margin = m_width + 2;
    return m_bounds.isEmpty()
           || (point.x >= m_bounds.left() - margin && point.x <= m_bounds.right() + margin
               && point.y >= m_bounds.top() - margin && point.y <= m_bounds.bottom() + margin);
}

void QtPlotCanvas::SelectPen(PlotPen pen) {
    if (m_pen == pen) {
        return;
    }
    Flush();
    m_pen = pen;
    const PenStyle& style = GetPenStyle(pen);
    m_width = style.width;
    m_painter.setPen(QPen(QColor(style.red, style.green, style.blue), style.width, Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
}

void QtPlotCanvas::MoveTo(int x, int y) {
    m_position = {x, y};
}

void QtPlotCanvas::LineTo(int x, int y) {
    const PlotPoint from = m_position;
    m_position = {x, y};
    if (from == m_position) {
        return;  // a line of no length paints nothing
    }
    if (m_width <= 1) {
        Flush();
        DrawThinLine(from, m_position);
        return;
    }
    if (NearSurface(from) && NearSurface(m_position)) {
        const QPoint start(from.x, from.y);
        if (m_polyline.empty() || m_polyline.back() != start) {
            Flush();
            m_polyline.push_back(start);
        }
        m_polyline.emplace_back(x, y);
        return;
    }
    Flush();
    QLineF line(from.x, from.y, x, y);
    const double margin = m_width + 2.0;
    if (m_bounds.isEmpty()
        || ClipLine(line, QRectF(m_bounds).adjusted(-margin, -margin, margin, margin))) {
        m_painter.drawLine(line);
    }
}

/// Bresenham from one point towards the other, the last pixel excluded; only the pixels on
/// the surface are handed to the painter.
void QtPlotCanvas::DrawThinLine(PlotPoint from, PlotPoint to) {
    long long cx = from.x;
    long long cy = from.y;
    const long long dx = std::llabs(to.x - cx);
    const long long dy = -std::llabs(to.y - cy);
    const int stepX = cx < to.x ? 1 : -1;
    const int stepY = cy < to.y ? 1 : -1;
    long long error = dx + dy;
    std::vector<QPoint> pixels;
    while (cx != to.x || cy != to.y) {
        const QPoint pixel(static_cast<int>(cx), static_cast<int>(cy));
        if (m_bounds.isEmpty() || m_bounds.contains(pixel)) {
            pixels.push_back(pixel);
        }
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cx += stepX;
        }
        if (twice <= dx) {
            error += dx;
            cy += stepY;
        }
    }
    if (!pixels.empty()) {
        m_painter.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
    }
}
