#include "plot/PlanDrawing.h"

namespace {

class PlanMapper {
public:
    PlanMapper(const TrackPoint* points, const PlanProjection& projection)
        : m_points(points), m_projection(projection) {}
    int X(std::size_t i) const { return m_projection.Map(m_points[i]).x; }
    void MoveTo(PlotCanvas& canvas, std::size_t i) const {
        const PlotPoint p = m_projection.Map(m_points[i]);
        canvas.MoveTo(p.x, p.y);
    }
    void LineTo(PlotCanvas& canvas, std::size_t i) const {
        const PlotPoint p = m_projection.Map(m_points[i]);
        canvas.LineTo(p.x, p.y);
    }

private:
    const TrackPoint* m_points;
    const PlanProjection& m_projection;
};

}  // namespace

void DrawPlan(PlotCanvas& canvas, const TrackPoint* points, std::size_t count,
              const PlanProjection& projection) {
    PlanSteps steps(points, count, projection);
    steps.Step(canvas, 2 * count);
}

PlanSteps::PlanSteps(const TrackPoint* points, std::size_t count, const PlanProjection& projection)
    : m_points(points), m_projection(projection), m_passes(count) {}

bool PlanSteps::Step(PlotCanvas& canvas, std::size_t points) {
    return m_passes.Step(canvas, PlanMapper(m_points, m_projection), nullptr, m_points, points);
}
