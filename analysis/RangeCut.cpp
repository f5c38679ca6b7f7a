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
    // The points split where the joined track's sections began, each piece as read from a
    // file of its own: nothing analysed yet.
    TrackSectionList sections;
    std::size_t start = first;
    for (std::size_t i = first + 1; i <= last + 1; ++i) {
        if (i <= last && (joined.points[i].flags & FlagSectionStart) == 0) {
            continue;
        }
        TrackSection& section = sections.Add();
        section.points.Append(joined.points.GetData() + start, i - start);
        for (std::size_t k = 0; k < section.points.GetSize(); ++k) {
            TrackPoint& p = section.points[k];
            p.state = StateConnected;
            p.flags = 0;
            p.distance = 0.0;
        }
        for (const Channel channel : kChannels) {
            if (joined.channels.Has(channel)) {
                section.channels.Of(channel).Append(joined.channels.Of(channel).GetData() + start,
                                                    i - start);
            }
        }
        section.channels.DropEmpty();
        start = i;
    }
    std::vector<std::size_t> rows(sections.GetSize());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    JoinSections(std::move(sections), rows, settings, range);
}
