#include "plot/ChannelPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/ProfileAxes.h"
#include "plot/RepeatSkippingCanvas.h"
#include "plot/SvgCanvas.h"
#include "report/ListFormat.h"

namespace {

/// The line of the second plot, column by column: a point in the column of the point before
/// only widens the column's stroke.
class ColumnStroke {
public:
    explicit ColumnStroke(PlotCanvas& canvas) : m_canvas(canvas) {}

    void Add(int x, int y) {
        if (m_open && x == m_x) {
            m_low = std::min(m_low, y);
            m_high = std::max(m_high, y);
            m_last = y;
            return;
        }
        if (m_open) {
            Flush();
            m_canvas.LineTo(x, y);
        } else {
            m_canvas.MoveTo(x, y);
        }
        m_open = true;
        m_x = x;
        m_low = m_high = m_last = y;
    }
    /// Points in the column of the last one added, from the highest row to the lowest and the
    /// last one's: as if each were added.
    void Widen(int low, int high, int last) {
        m_low = std::min(m_low, low);
        m_high = std::max(m_high, high);
        m_last = last;
    }
    /// Ends the line: the next point starts a new one.
    void Break() {
        if (m_open) {
            Flush();
        }
        m_open = false;
    }

private:
    /// From where the line entered the column through its lowest and highest row to its last.
    void Flush() {
        for (const int y : {m_low, m_high, m_last}) {
            if (!(m_canvas.GetCurrentPosition() == PlotPoint{m_x, y})) {
                m_canvas.LineTo(m_x, y);
            }
        }
    }

    PlotCanvas& m_canvas;
    bool m_open = false;
    int m_x = 0;
    int m_low = 0;
    int m_high = 0;
    int m_last = 0;
};

/// The first point after point i, up to last, whose column is not x, the column of point i:
/// by galloping search over the axis values, which never decrease.
std::size_t ColumnEnd(const ProfileMapping& mapping, const double* axis, std::size_t i,
                      std::size_t last, int x) {
    std::size_t below = i;  // in the column
    std::size_t step = 1;
    while (step < last - below && mapping.X(axis[below + step]) == x) {
        below += step;
        step *= 2;
    }
    std::size_t above = std::min(last, below + step);  // past the column, or last
    while (above - below > 1) {
        const std::size_t middle = below + (above - below) / 2;
        if (mapping.X(axis[middle]) == x) {
            below = middle;
        } else {
            above = middle;
        }
    }
    return above;
}

/// Ticks at round values of the vertical axis, labelled as they are.
std::vector<AxisTick> ValueTicks(const ProfileMapping& mapping, int maxCount) {
    std::vector<AxisTick> ticks;
    const double lo = mapping.AltMin();
    const double hi = mapping.AltMax();
    const double step = RoundStep(hi - lo, maxCount);
    if (!(step > 0.0)) {
        return ticks;
    }
    const double first = std::ceil(lo / step);
    for (int k = 0; k <= maxCount + 1 && (first + k) * step <= hi; ++k) {
        const double value = (first + k) * step;
        ticks.push_back({mapping.Y(value), FormatNumber(value == 0.0 ? 0.0 : value)});
    }
    return ticks;
}

}  // namespace

ProfilePictureParts ChannelPictureOf(const ProfilePictureParts& profile, const ChannelPlot& plot) {
    ProfilePictureParts parts = profile;
    parts.layout =
        LayOutProfile(profile.layout.item.right + ProfileLayout::kRightMargin, plot.height);
    double lo = INFINITY;
    double hi = -INFINITY;
    if (plot.values != nullptr) {
        for (std::size_t i = parts.first; i < parts.last; ++i) {
            const double v = plot.values[i];
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
    }
    if (lo > hi) {  // no value to show: an axis without ticks
        lo = hi = 0.0;
    } else if (lo == hi) {  // one value: in the middle, between ticks
        lo -= 1.0;
        hi += 1.0;
    }
    const ProfileMapping& x = profile.mapping;
    parts.mapping = ProfileMapping(x.OverDistance(), parts.layout.item, x.XMin(), x.XMax(), lo, hi);
    parts.vertical = ValueTicks(parts.mapping, parts.layout.verticalTickCount);
    parts.verticalCaption = plot.caption;
    return parts;
}

void DrawChannelLine(PlotCanvas& canvas, const ProfileView& view, const double* values,
                     const ProfilePictureParts& parts) {
    if (view.count == 0 || values == nullptr) {
        return;
    }
    const ProfileMapping& mapping = parts.mapping;
    const double* axis = view.axis->Values();
    const ProfilePoints& points = *view.packed;
    const bool sorted = view.axis->IsSorted();
    const std::size_t last = std::min(parts.last, view.count);
    canvas.SelectPen(PlotPen::LevelLine);
    ColumnStroke stroke(canvas);
    for (std::size_t i = parts.first; i < last;) {
        const int x = mapping.X(axis[i]);
        const std::size_t end = sorted ? ColumnEnd(mapping, axis, i, last, x) : i + 1;
        // Each stretch of the column's points without a missing sample and without the start
        // of a run: its first point added, the others widening the stroke. The rows fall as
        // the values rise.
        while (i < end) {
            if (std::isnan(values[i])) {
                stroke.Break();
                ++i;
                continue;
            }
            if (points[i].state == StateRunStart) {
                stroke.Break();
            }
            stroke.Add(x, mapping.Y(values[i]));
            double lowest = INFINITY;
            double highest = -INFINITY;
            for (++i; i < end && !std::isnan(values[i]) && points[i].state != StateRunStart; ++i) {
                lowest = std::min(lowest, values[i]);
                highest = std::max(highest, values[i]);
            }
            if (lowest <= highest) {
                stroke.Widen(mapping.Y(highest), mapping.Y(lowest), mapping.Y(values[i - 1]));
            }
        }
    }
    stroke.Break();
}

void AddChannelPicture(SvgCanvas& canvas, const ProfileView& view, const ProfileMarks& marks,
                       const ProfilePictureParts& profile, const ChannelPlot& plot) {
    const ProfilePictureParts parts = ChannelPictureOf(profile, plot);
    const PlotRect clip = ProfileClip(parts);
    canvas.BeginClip(clip);
    {
        RepeatSkippingCanvas skipping(canvas, clip);
        DrawChannelLine(skipping, view, plot.values, parts);
    }
    canvas.EndClip();
    AddProfileAxes(canvas, parts, plot.height);
    if (view.count == 0) {
        return;
    }
    const PlotRect& r = parts.mapping.Rect();
    if (marks.range) {
        const auto [left, right] = RangeColumns(parts, view, *marks.range);
        const MarkStyle& s = kRangeSpanStyle;
        canvas.AddRect({left, r.top, right + 1, r.bottom}, s.red, s.green, s.blue, s.alpha);
    }
    if (marks.cursor) {
        const int x = CursorColumn(parts, view, *marks.cursor);
        canvas.AddRule(x, r.top, x, r.bottom);
    }
}
