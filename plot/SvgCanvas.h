#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    /// A rectangle filled with a colour of the given opacity (0 to 255), the whole surface for a
    /// background that every viewer and converter shows.
    void AddRect(const PlotRect& rect, uint8_t red, uint8_t green, uint8_t blue,
                 uint8_t alpha = 255);
    /// A round-capped, round-joined line through the points, of the given colour, opacity and
    /// width.
    void AddPolyline(const std::vector<PlotPoint>& points, uint8_t red, uint8_t green, uint8_t blue,
                     uint8_t alpha, int width);
    /// A circle's outline.
    void AddCircle(int x, int y, int radius, uint8_t red, uint8_t green, uint8_t blue, int width);
    /// What is drawn until EndClip shows only within the rectangle (right and bottom exclusive).
    void BeginClip(const PlotRect& rect);
    void EndClip();
    /// What is drawn until EndGroup is moved by dx, dy: a part laid out on its own.
    void BeginGroup(int dx, int dy);
    void EndGroup();
    /// Black text of the given pixel size; anchor "start", "middle" or "end".
    void AddText(int x, int y, const std::string& text, const char* anchor, int size);

    /// The complete document; the canvas takes no further drawing afterwards.
    std::string Finish();

private:
    void OpenPath(bool forLine);
    void ClosePath();
    void AppendCommand(char command, int x, int y);
    /// A rectangle's x, y, width and height attributes, after a space.
    void AppendRectAttributes(const PlotRect& rect);
    void AppendColour(const char* attribute, uint8_t red, uint8_t green, uint8_t blue,
                      uint8_t alpha);

    std::string m_svg;
    int m_clips = 0;               // clip paths defined so far
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
