#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "plot/PlotCanvas.h"

/// Passes a drawing on to another canvas, leaving out what cannot change its picture: a line
/// that repeats one already drawn since the pen last changed (opaque lines of one pen paint the
/// same pixels however often they are drawn), lines of no length, moves that no line follows
/// and reselections of the current pen. A recording with GPS jitter draws the same few pixels
/// back and forth thousands of times per column; the target sees each of those lines once.
/// A wide vertical line also counts as drawn when it lies within the span that the vertical
/// lines of its column have covered: a round-capped line of a sub-span covers no point that
/// the lines of the span do not. Lines and spans are remembered in fixed tables, so one that
/// was forgotten is merely drawn again.
class RepeatSkippingCanvas : public PlotCanvas {
public:
    explicit RepeatSkippingCanvas(PlotCanvas& target) : m_target(target) {}
    /// Also leaves out lines that lie wholly beyond one side of the surface: a zoomed profile
    /// walks every point, most of them far off the picture.
    RepeatSkippingCanvas(PlotCanvas& target, const PlotRect& surface)
        : m_target(target), m_surface(surface) {}
    ~RepeatSkippingCanvas() override;
    RepeatSkippingCanvas(const RepeatSkippingCanvas&) = delete;
    RepeatSkippingCanvas& operator=(const RepeatSkippingCanvas&) = delete;

    void SelectPen(PlotPen pen) override;
    void MoveTo(int x, int y) override { m_position = {x, y}; }
    void LineTo(int x, int y) override;
    PlotPoint GetCurrentPosition() const override { return m_position; }

    /// Hands on the lines held back; the destructor does it too, the last joined line included.
    void Flush();

    /// Lines handed on to the target so far.
    std::size_t LinesPassed() const { return m_linesPassed; }

private:
    struct Entry {
        PlotPoint from;
        PlotPoint to;
        uint32_t generation = 0;  // the pen run it was drawn in; 0: empty
    };
    struct Span {
        int x = 0;
        int top = 0;
        int bottom = 0;
        uint32_t generation = 0;
    };
    static constexpr std::size_t kTableSize = 4096;

    struct Line {
        PlotPen pen;
        PlotPoint from;
        PlotPoint to;
        int width;  // pixels
        bool dropped = false;
    };
    struct Cover {
        int width;
        int top;
        int bottom;
    };

    bool DrawnBefore(PlotPoint from, PlotPoint to);
    bool OffSurface(PlotPoint from, PlotPoint to, int width) const;
    void Hold(const Line& line);
    void Pass(const Line& line);
    void PassPending();
    bool Covered(const Line& line);

    PlotCanvas& m_target;
    std::optional<PlotRect> m_surface;
    std::optional<PlotPen> m_pen;  // none until the first selection
    bool m_wide = false;           // wide lines look the same drawn either way
    PlotPoint m_position;
    std::optional<PlotPoint> m_targetPosition;  // where the target's position is known to be
    uint32_t m_generation = 1;
    std::size_t m_linesPassed = 0;
    std::array<Entry, kTableSize> m_drawn{};
    std::array<Span, kTableSize> m_spans{};  // by column
    std::optional<PlotPen> m_targetPen;
    std::optional<Line> m_pending;  // passed on, but possibly to be joined by the next
    std::vector<Line> m_column;     // held back, in drawing order
    int m_columnX = 0;
    std::vector<Cover> m_covers;  // spans of the later lines of the column, while flushing
};
