#include "analysis/RangeCut.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "analysis/Joining.h"

void CutRange(const TrackSection& joined, std::size_t first, std::size_t last,
              const AnalysisSettings& settings, TrackSection& range) {
    range.points.RemoveAll();
    const std::size_t count = joined.points.GetSize();
    if (count == 0) {
        return;
    }
    if (first > last) {
        std::swap(first, last);
    }
    last = std::min(last, count - 1);
    first = std::min(first, last);
    TrackSectionList sections;
    for (std::size_t i = first; i <= last; ++i) {
        TrackPoint p = joined.points[i];
        if (i == first || (p.flags & FlagSectionStart) != 0) {
            sections.Add();
        }
        // As read from a file: nothing analysed yet.
        p.state = StateConnected;
        p.flags = 0;
        p.distance = 0.0;
        sections[sections.GetSize() - 1].points.Add() = p;
    }
    std::vector<std::size_t> rows(sections.GetSize());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    JoinSections(std::move(sections), rows, settings, range);
}
