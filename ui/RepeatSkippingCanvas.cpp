#include "ui/RepeatSkippingCanvas.h"

#include <algorithm>
#include <utility>

namespace {

std::size_t Hash(PlotPoint from, PlotPoint to) {
    uint64_t h = static_cast<uint32_t>(from.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<uint32_t>(from.y) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
    h ^= static_cast<uint32_t>(to.x) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
    h ^= static_cast<uint32_t>(to.y) + 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

bool Before(PlotPoint a, PlotPoint b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

}  // namespace

void RepeatSkippingCanvas::SelectPen(PlotPen pen) {
    if (m_pen == pen) {
        return;
    }
    m_pen = pen;
    m_wide = GetPenStyle(pen).width > 1;
    ++m_generation;  // what the other pens drew may lie over the lines remembered so far
    m_target.SelectPen(pen);
}

/// Remembers the line; true when it was drawn before with the current pen.
bool RepeatSkippingCanvas::DrawnBefore(PlotPoint from, PlotPoint to) {
    // A 1-pixel line leaves its end unpainted, so only the same direction paints the same.
    if (m_wide && Before(to, from)) {
        std::swap(from, to);
    }
    if (m_wide && from.x == to.x) {
        Span& span = m_spans[static_cast<uint32_t>(from.x) % kTableSize];
        const bool known = span.generation == m_generation && span.x == from.x;
        if (known && span.top <= from.y && to.y <= span.bottom) {
            return true;
        }
        if (known && from.y <= span.bottom && to.y >= span.top) {
            span.top = std::min(span.top, from.y);
            span.bottom = std::max(span.bottom, to.y);
        } else {
            span = {from.x, from.y, to.y, m_generation};
        }
        return false;
    }
    Entry& entry = m_drawn[Hash(from, to) % kTableSize];
    if (entry.generation == m_generation && entry.from == from && entry.to == to) {
        return true;
    }
    entry = {from, to, m_generation};
    return false;
}

void RepeatSkippingCanvas::LineTo(int x, int y) {
    const PlotPoint start = m_position;
    m_position = {x, y};
    if (start == m_position || DrawnBefore(start, m_position)) {
        return;  // a line of no length paints nothing
    }
    if (m_targetPosition != start) {
        m_target.MoveTo(start.x, start.y);
    }
    m_target.LineTo(x, y);
    m_targetPosition = m_position;
    ++m_linesPassed;
}
