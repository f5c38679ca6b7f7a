#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plot/ProfileDrawing.h"

/// One call on a canvas.
struct CanvasCall {
    enum Kind { Pen, Move, Line } kind;
    PlotPen pen;  // the selected pen (Pen), or the pen current at the call (Move, Line)
    int x = 0;
    int y = 0;
    bool operator==(const CanvasCall&) const = default;
};

/// A canvas that records every call in order, for comparison with the expected drawing.
class RecordingCanvas : public PlotCanvas {
public:
    void SelectPen(PlotPen pen) override {
        m_pen = pen;
        m_penSelected = true;
        calls.push_back({CanvasCall::Pen, pen, 0, 0});
    }
    void MoveTo(int x, int y) override {
        m_position = {x, y};
        calls.push_back({CanvasCall::Move, m_pen, x, y});
    }
    void LineTo(int x, int y) override {
        linesWithoutPen += m_penSelected ? 0 : 1;
        lines.push_back({m_pen, m_position, {x, y}});
        m_position = {x, y};
        calls.push_back({CanvasCall::Line, m_pen, x, y});
    }
    PlotPoint GetCurrentPosition() const override { return m_position; }

    /// A line as drawn: its pen and both ends.
    struct Line {
        PlotPen pen;
        PlotPoint from;
        PlotPoint to;
        bool operator==(const Line&) const = default;
        friend void PrintTo(const Line& line, std::ostream* os) {
            *os << "pen " << static_cast<int>(line.pen) << " (" << line.from.x << ", "
                << line.from.y << ") -> (" << line.to.x << ", " << line.to.y << ")";
        }
    };

    /// The lines drawn with one pen, in order.
    std::vector<Line> LinesWith(PlotPen pen) const {
        std::vector<Line> result;
        for (const Line& line : lines) {
            if (line.pen == pen) {
                result.push_back(line);
            }
        }
        return result;
    }

    std::vector<CanvasCall> calls;
    std::vector<Line> lines;
    int linesWithoutPen = 0;  // lines drawn before any pen was chosen

private:
    PlotPen m_pen = PlotPen::RiseChord;
    bool m_penSelected = false;
    PlotPoint m_position;
};
