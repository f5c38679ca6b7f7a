#include "analysis/RangeCut.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "analysis/Joining.h"

void CutRange(const TrackSection& joined, std::size_t first, std::size_t last,
              const AnalysisSettings& settings, TrackSection& range) {
    const std::size_t count = joined.points.GetSize();
    range.hasTimes = joined.hasTimes;
    if (count == 0) {
        range.points.RemoveAll();
        return;
    }
    if (first > last) {
        std::swap(first, last);
    }
    last = std::min(last, count - 1);
    first = std::min(first, last);
    const std::size_t n = last - first + 1;
    // The storage of an earlier range serves again when it is large enough.
    GrowArray<TrackPoint>& points = range.points;
    if (points.GetCapacity() >= n) {
        points.SetSize(n);
        std::memcpy(static_cast<void*>(points.GetData()), joined.points.GetData() + first,
                    n * sizeof(TrackPoint));
    } else {
        points.RemoveAll();
        points.Append(joined.points.GetData() + first, n);
    }
    // As the sections would be joined from a file of just these points: each part that came
    // from a section of its own starts a run, and nothing is analysed yet.
    for (std::size_t i = 0; i < n; ++i) {
        TrackPoint& p = points[i];
        const bool sectionStart = i == 0 || (p.flags & FlagSectionStart) != 0;
        p.state = sectionStart ? StateRunStart : StateConnected;
        p.flags = sectionStart ? FlagSectionStart : 0;
        p.distance = 0.0;
    }
    ConnectAndAnalyze(range, settings);
}
