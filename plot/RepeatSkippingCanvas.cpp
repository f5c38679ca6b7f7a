#include "plot/RepeatSkippingCanvas.h"

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

RepeatSkippingCanvas::~RepeatSkippingCanvas() {
    Flush();
    PassPending();
}

void RepeatSkippingCanvas::SelectPen(PlotPen pen) {
    if (m_pen == pen) {
        return;
    }
    m_pen = pen;
    m_wide = GetPenStyle(pen).width > 1;
    ++m_generation;  // what the other pens drew may lie over the lines remembered so far
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
    // Before any pen, the target draws with its own: nothing to compare with.
    const int width = m_pen ? GetPenStyle(*m_pen).width : 1;
    if (m_pen && OffSurface(start, m_position, width)) {
        return;
    }
    const Line line{m_pen.value_or(PlotPen::RunMarker), start, m_position, width};
    if (!m_pen || width <= 1) {
        Flush();
        PassPending();
        if (!m_pen) {
            if (m_targetPosition != start) {
                m_target.MoveTo(start.x, start.y);
            }
            m_target.LineTo(x, y);
            m_targetPosition = m_position;
            ++m_linesPassed;
            return;
        }
        Pass(line);
        return;
    }
    Hold(line);
}

bool RepeatSkippingCanvas::OffSurface(PlotPoint from, PlotPoint to, int width) const {
    if (!m_surface) {
        return false;
    }
    const int64_t margin = width / 2 + 2;
    const PlotRect& s = *m_surface;
    return (from.x < s.left - margin && to.x < s.left - margin)
           || (from.x > s.right + margin && to.x > s.right + margin)
           || (from.y < s.top - margin && to.y < s.top - margin)
           || (from.y > s.bottom + margin && to.y > s.bottom + margin);
}

void RepeatSkippingCanvas::Hold(const Line& line) {
    const bool vertical = line.from.x == line.to.x;
    if (!m_column.empty() && !(vertical && line.from.x == m_columnX)) {
        Flush();
    }
    if (m_column.empty()) {
        m_columnX = line.to.x;
    }
    m_column.push_back(line);
}

/// True when a later vertical line of the column, or several that overlap, cover the line;
/// otherwise the line's span joins the covers.
bool RepeatSkippingCanvas::Covered(const Line& line) {
    if (line.from.x != line.to.x || line.from.x != m_columnX) {
        return false;
    }
    int top = std::min(line.from.y, line.to.y);
    int bottom = std::max(line.from.y, line.to.y);
    for (const Cover& cover : m_covers) {
        if (cover.width >= line.width && cover.top <= top && bottom <= cover.bottom) {
            return true;
        }
    }
    // Spans that share a point make one round-capped span; those that do not stay apart.
    for (std::size_t k = 0; k < m_covers.size();) {
        Cover& cover = m_covers[k];
        if (cover.width == line.width && cover.top <= bottom && top <= cover.bottom) {
            top = std::min(top, cover.top);
            bottom = std::max(bottom, cover.bottom);
            cover = m_covers.back();
            m_covers.pop_back();
        } else {
            ++k;
        }
    }
    m_covers.push_back({line.width, top, bottom});
    return false;
}

void RepeatSkippingCanvas::Flush() {
    m_covers.clear();
    for (std::size_t k = m_column.size(); k-- > 0;) {
        m_column[k].dropped = Covered(m_column[k]);
    }
    for (const Line& line : m_column) {
        if (!line.dropped) {
            Pass(line);
        }
    }
    m_column.clear();
}

void RepeatSkippingCanvas::Pass(const Line& line) {
    if (m_pending && line.width > 1 && m_pending->pen == line.pen && m_pending->to == line.from) {
        const int64_t dx1 = int64_t{m_pending->to.x} - m_pending->from.x;
        const int64_t dy1 = int64_t{m_pending->to.y} - m_pending->from.y;
        const int64_t dx2 = int64_t{line.to.x} - line.from.x;
        const int64_t dy2 = int64_t{line.to.y} - line.from.y;
        if (dx1 * dy2 == dx2 * dy1 && dx1 * dx2 + dy1 * dy2 > 0) {
            m_pending->to = line.to;
            return;
        }
    }
    PassPending();
    m_pending = line;
    if (line.width <= 1) {
        PassPending();
    }
}

void RepeatSkippingCanvas::PassPending() {
    if (!m_pending) {
        return;
    }
    const Line line = *m_pending;
    m_pending.reset();
    if (m_targetPen != line.pen) {
        m_target.SelectPen(line.pen);
        m_targetPen = line.pen;
    }
    if (m_targetPosition != line.from) {
        m_target.MoveTo(line.from.x, line.from.y);
    }
    m_target.LineTo(line.to.x, line.to.y);
    m_targetPosition = line.to;
    ++m_linesPassed;
}
