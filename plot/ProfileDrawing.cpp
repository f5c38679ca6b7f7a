#include "plot/ProfileDrawing.h"

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

enum class TrendEvent { None, Rise, Fall, RunStart, End };

TrendEvent EventOf(int32_t state) {
    switch (state) {
        case StateRising:
            return TrendEvent::Rise;
        case StateFalling:
            return TrendEvent::Fall;
        case StateRunStart:
            return TrendEvent::RunStart;
        default:
            return TrendEvent::None;
    }
}

/// Pass 1: chords from each run's start through the last point of every group of rising and
/// every group of falling points.
void DrawTrendChords(PlotCanvas& canvas, const ProfileMapper& map, const TrackPoint* points,
                     std::size_t count) {
    TrendEvent last = TrendEvent::None;
    std::size_t lastIndex = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        const TrendEvent event = i < count ? EventOf(points[i].state) : TrendEvent::End;
        if (last == TrendEvent::RunStart) {
            map.MoveTo(canvas, lastIndex);
        } else if (event != TrendEvent::None && last != TrendEvent::None && event != last) {
            canvas.SelectPen(last == TrendEvent::Rise ? PlotPen::RiseChord : PlotPen::FallChord);
            map.LineTo(canvas, lastIndex);
        }
        if (event != TrendEvent::None) {
            last = event;
            lastIndex = i;
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
      m_count(count),
      m_mapping(mapping),
      m_chordsDrawn(count < 2),
      m_passes(count) {}

bool ProfileSteps::Step(PlotCanvas& canvas, std::size_t points) {
    const ProfileMapper map(m_points, m_mapping);
    if (!m_chordsDrawn) {
        DrawTrendChords(canvas, map, m_points, m_count);
        m_chordsDrawn = true;
    }
    return m_passes.Step(canvas, map, &m_mapping.Rect(), m_points, points);
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
