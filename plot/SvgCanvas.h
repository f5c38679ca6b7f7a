#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

/// A canvas that writes the drawing as an SVG document of integer pixel coordinates. Each
/// change of pen starts a new <path>; every move is an M and every line an L, in drawing
/// order, and a path whose first command is a line opens with an M at the current position.
class SvgCanvas : public PlotCanvas {
public:
    SvgCanvas(int width, int height);

    void SelectPen(PlotPen pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    PlotPoint GetCurrentPosition() const override { return m_position; }

    /// A black 1-pixel line outside the drawing's pens (an axis or a tick); the current pen and
    /// position stay.
    void AddRule(int x1, int y1, int x2, int y2);
    /// Black text of the given pixel size; anchor "start", "middle" or "end".
    void AddText(int x, int y, const std::string& text, const char* anchor, int size);

    /// The complete document; the canvas takes no further drawing afterwards.
    std::string Finish();

private:
    void OpenPath(bool forLine);
    void ClosePath();
    void AppendCommand(char command, int x, int y);

    std::string m_svg;
    std::optional<PlotPen> m_pen;  // none: the surface's default black pen of 1 pixel
    bool m_pathOpen = false;
    PlotPoint m_position;
};

/// The profile as an SVG document of width by height pixels, drawn into the item rectangle
/// (0, 0, width, height).
std::string RenderProfileSvg(const TrackPoint* points, std::size_t count, bool overDistance,
                             int width, int height);

/// The profile as an SVG file of width by height pixels; false when it cannot be written.
bool WriteProfileSvg(const std::string& path, const TrackPoint* points, std::size_t count,
                     bool overDistance, int width, int height);
