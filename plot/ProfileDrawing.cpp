#include "plot/ProfileDrawing.h"

#include <algorithm>
#include <cstdint>

namespace {

/// Maps point i to pixels, through the one mapping of the profile.
class ProfileMapper {
public:
    ProfileMapper(const TrackPoint* points, const ProfileMapping& mapping)
        : m_points(points), m_mapping(mapping) {}

    int X(std::size_t i) const { return m_mapping.X(m_mapping.Value(m_points[i])); }
    int Y(std::size_t i) const { return m_mapping.Y(m_points[i].altitude); }
    void MoveTo(PlotCanvas& canvas, std::size_t i) const { canvas.MoveTo(X(i), Y(i)); }
    void LineTo(PlotCanvas& canvas, std::size_t i) const { canvas.LineTo(X(i), Y(i)); }

private:
    const TrackPoint* m_points;
    const ProfileMapping& m_mapping;
};

/// Maps point i of the packed points through pixels worked out ahead (those outside them, the
/// chords' far ends, as they come), and leaves out a line of no length with its pen: it paints
/// nothing.
class ScreenMapper {
public:
    ScreenMapper(const ProfilePoints& points, const double* values, const ProfileMapping& mapping,
                 const ProfilePixels& pixels)
        : m_points(points), m_values(values), m_mapping(mapping), m_pixels(pixels) {}

    int X(std::size_t i) const {
        const std::size_t k = i - m_pixels.first;
        return k < m_pixels.x.size() ? m_pixels.x[k] : m_mapping.X(m_values[i]);
    }
    int Y(std::size_t i) const {
        const std::size_t k = i - m_pixels.first;
        return k < m_pixels.y.size() ? m_pixels.y[k] : m_mapping.Y(m_points.Altitudes()[i]);
    }
    void MoveTo(PlotCanvas& canvas, std::size_t i) const { canvas.MoveTo(X(i), Y(i)); }
    void LineTo(PlotCanvas& canvas, std::size_t i) const { canvas.LineTo(X(i), Y(i)); }
    void Line(PlotCanvas& canvas, PlotPen pen, std::size_t i) const {
        const PlotPoint to{X(i), Y(i)};
        if (canvas.GetCurrentPosition() == to) {
            return;
        }
        canvas.SelectPen(pen);
        canvas.LineTo(to.x, to.y);
    }

private:
    const ProfilePoints& m_points;
    const double* m_values;
    const ProfileMapping& m_mapping;
    const ProfilePixels& m_pixels;
};

/// Pass 1: the trend chords.
template <typename Map>
void DrawTrendChords(PlotCanvas& canvas, const Map& map, const std::vector<ChordStep>& chords) {
    for (const ChordStep& step : chords) {
        if (step.kind == ChordStep::Move) {
            map.MoveTo(canvas, step.index);
        } else {
            canvas.SelectPen(step.kind == ChordStep::Rise ? PlotPen::RiseChord
                                                          : PlotPen::FallChord);
            map.LineTo(canvas, step.index);
        }
    }
}

}  // namespace

void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
                 const ProfileMapping& mapping) {
    if (count < 2) {
        return;
    }
    ProfileSteps steps(points, count, mapping);
    steps.Step(canvas, 2 * count);
}

ProfileSteps::ProfileSteps(const TrackPoint* points, std::size_t count,
                           const ProfileMapping& mapping)
    : m_points(points),
      m_mapping(mapping),
      m_chords(count < 2 ? std::vector<ChordStep>() : FindTrendChords(points, count)),
      m_chordsDrawn(count < 2),
      m_passes(count) {}

ProfileSteps::ProfileSteps(const ProfilePoints& points, const double* values,
                           const ProfileMapping& mapping, std::size_t first, std::size_t last)
    : m_packed(&points),
      m_values(values),
      m_mapping(mapping),
      m_chordsDrawn(points.Count() < 2),
      m_passes(0) {
    last = std::min(last, points.Count());
    first = std::min(first, last);
    m_pixels.first = first;
    m_pixels.x.resize(last - first);
    m_pixels.y.resize(last - first);
    m_order.reserve((last - first) / 8);
}

std::size_t ProfileSteps::MapAhead(std::size_t budget) {
    // Each pass would map each point again: they are mapped once, in tight loops, some at a
    // time so that a long track is mapped between events as well. A point costs a quarter.
    const std::size_t done = m_mapped;
    const std::size_t count =
        std::min(m_pixels.x.size() - done, std::max<std::size_t>(budget, 1) * 4);
    const std::size_t first = m_pixels.first + done;
    m_mapping.MapX(m_values + first, count, m_pixels.x.data() + done);
    m_mapping.MapY(m_packed->Altitudes() + first, count, m_pixels.y.data() + done);
    // A point in the pixel of the point before it paints nothing in either pass, unless it
    // starts a run, or the point before has a state that leaves the position where it was:
    // the passes walk the others only.
    const int* x = m_pixels.x.data();
    const int* y = m_pixels.y.data();
    const ProfilePoints& points = *m_packed;
    for (std::size_t k = done; k < done + count; ++k) {
        const std::size_t i = m_pixels.first + k;
        if (k == 0 || x[k] != x[k - 1] || y[k] != y[k - 1] || points[i].state == StateRunStart
            || points[i - 1].state < 0) {
            m_order.push_back(i);
        }
    }
    m_mapped += count;
    if (m_mapped == m_pixels.x.size()) {
        m_passes = profile_passes::PassSteps(m_order);
    }
    return count / 4;
}

bool ProfileSteps::Step(PlotCanvas& canvas, std::size_t points) {
    const PlotRect* r = &m_mapping.Rect();
    if (m_packed != nullptr) {
        while (m_mapped < m_pixels.x.size()) {
            const std::size_t spent = MapAhead(points);
            if (spent >= points) {
                return false;
            }
            points -= spent;
        }
        const ScreenMapper map(*m_packed, m_values, m_mapping, m_pixels);
        if (!m_chordsDrawn) {
            DrawTrendChords(canvas, map, m_packed->Chords());
            m_chordsDrawn = true;
        }
        return m_passes.Step(canvas, map, r, *m_packed, points);
    }
    const ProfileMapper map(m_points, m_mapping);
    if (!m_chordsDrawn) {
        DrawTrendChords(canvas, map, m_chords);
        m_chordsDrawn = true;
    }
    return m_passes.Step(canvas, map, r, m_points, points);
}

void DrawProfile(PlotCanvas& canvas, const TrackPoint* points, std::size_t count, bool overDistance,
                 const PlotRect& item) {
    const PlotRect r = PlotArea(item);
    if (count == 0) {
        canvas.SelectPen(PlotPen::RiseChord);
        canvas.MoveTo(r.left, r.top);
        canvas.LineTo(r.right, r.bottom);
        canvas.MoveTo(r.right, r.top);
        canvas.LineTo(r.left, r.bottom);
        return;
    }
    // A single point has no segment: the passes would only move, unless its state makes the
    // chord pass draw from wherever the surface left its position.
    if (count == 1) {
        return;
    }
    DrawProfile(canvas, points, count, ProfileMapping(points, count, overDistance, item));
}
