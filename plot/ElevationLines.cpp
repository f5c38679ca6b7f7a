#include "plot/ElevationLines.h"

#include <algorithm>
#include <cmath>

#include "plot/ProfilePicture.h"

std::vector<ElevationLine> ElevationLinesOf(const ProfileView& view) {
    std::vector<ElevationLine> lines;
    if (view.terrain == nullptr || view.count == 0) {
        return lines;
    }
    if (view.recorded != nullptr) {
        lines.push_back({view.recorded, PlotPen::RecordedLine});
    }
    lines.push_back({view.terrain, PlotPen::TerrainLine});
    return lines;
}

ProfileMapping WithElevationLines(const ProfileMapping& mapping, const ProfileView& view,
                                  const PlotRect& item) {
    const std::vector<ElevationLine> lines = ElevationLinesOf(view);
    if (lines.empty()) {
        return mapping;
    }
    // The points the profile's own range was taken from: all, or those of the zoom and one
    // beyond each end.
    std::size_t first = 0;
    std::size_t last = view.count;
    if (view.zoom.IsZoomed()) {
        const double* values = view.axis->Values();
        first = FirstNotBelow(values, view.count, view.zoom.From());
        last = std::min(FirstNotBelow(values, view.count, view.zoom.To()) + 1, view.count);
        first = first == 0 ? 0 : first - 1;
    }
    double altMin = mapping.AltMin();
    double altMax = mapping.AltMax();
    for (const ElevationLine& line : lines) {
        for (std::size_t i = first; i < last; ++i) {
            const double h = line.heights[i];
            if (!std::isnan(h)) {
                altMin = std::min(altMin, h);
                altMax = std::max(altMax, h);
            }
        }
    }
    return ProfileMapping(mapping.OverDistance(), item, mapping.XMin(), mapping.XMax(), altMin,
                          altMax);
}

ElevationLineSteps::ElevationLineSteps(std::vector<ElevationLine> lines,
                                       const ProfilePoints& points, const double* values,
                                       const ProfileMapping& mapping, std::size_t first,
                                       std::size_t last)
    : m_lines(std::move(lines)),
      m_points(points),
      m_values(values),
      m_mapping(mapping),
      m_first(first),
      m_last(std::min(last, points.Count())),
      m_next(first) {}

bool ElevationLineSteps::Step(PlotCanvas& canvas, std::size_t points) {
    std::size_t budget = std::max<std::size_t>(points, 1);
    while (m_line < m_lines.size()) {
        const ElevationLine& line = m_lines[m_line];
        if (m_next == m_first) {
            canvas.SelectPen(line.pen);
            m_down = false;
        }
        for (; m_next < m_last && budget > 0; ++m_next, --budget) {
            const double h = line.heights[m_next];
            if (std::isnan(h)) {
                m_down = false;
                continue;
            }
            const PlotPoint p{m_mapping.X(m_values[m_next]), m_mapping.Y(h)};
            if (!m_down || m_points[m_next].state == StateRunStart) {
                canvas.MoveTo(p.x, p.y);
            } else if (!(p == m_at)) {
                canvas.LineTo(p.x, p.y);
            }
            m_down = true;
            m_at = p;
        }
        if (m_next < m_last) {
            return false;
        }
        ++m_line;
        m_next = m_first;
    }
    return true;
}
