#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

/// Draws the profile on a QPainter the way the Windows graphics interface draws lines: solid
/// pens with round caps and joins, no antialiasing, a line of no length painting nothing, and a
/// current position of its own. 1-pixel lines are set pixel by pixel so that their end point
/// stays unpainted. Wide lines that continue one another are gathered into one polyline: with
/// round caps and joins an opaque polyline covers what its segments would, and a million-point
/// track mostly repeats the same few thousand pixels.
class QtPlotCanvas : public PlotCanvas {
public:
    explicit QtPlotCanvas(QPainter& painter);
    ~QtPlotCanvas() override;
    QtPlotCanvas(const QtPlotCanvas&) = delete;
    QtPlotCanvas& operator=(const QtPlotCanvas&) = delete;

    void SelectPen(PlotPen pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    PlotPoint GetCurrentPosition() const override { return m_position; }

    /// Paints the lines gathered so far; the destructor does it too.
    void Flush();

private:
    void DrawThinLine(PlotPoint from, PlotPoint to);
    bool NearSurface(PlotPoint point) const;

    QPainter& m_painter;
    std::vector<QPoint> m_polyline;  // wide lines gathered with the current pen
    std::optional<PlotPen> m_pen;    // none: black, 1 pixel, as a fresh surface holds
    int m_width = 1;                 // pixels
    QRect m_bounds;                  // the surface; empty when unknown
    PlotPoint m_position;
};

/// The light neutral background of dialog controls, on which the profile is drawn.
inline constexpr QRgb kPlotBackground = 0xFFF0F0F0;
