#include "analysis/RangeCut.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "analysis/ElevationChoice.h"
#include "analysis/Joining.h"

namespace {

/// Appends the entries first to end of an array beside the points, when it is present.
template <typename T>
void AppendPiece(const GrowArray<T>& source, std::size_t first, std::size_t end,
                 GrowArray<T>& target) {
    if (!source.IsEmpty()) {
        target.Append(source.GetData() + first, end - first);
    }
}

}  // namespace

void CutRange(const TrackSection& joined, std::size_t first, std::size_t last,
              const AnalysisSettings& settings, TrackSection& range) {
    range.points.RemoveAll();
    range.channels.RemoveAll();
    range.elevations.RemoveAll();
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
    // file of its own: nothing analysed yet, the recorded altitudes, the terrain heights looked
    // up.
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
            p.altitude = RecordedAltitude(joined, start + k);
        }
        for (const Channel channel : kChannels) {
            AppendPiece(joined.channels.Of(channel), start, i, section.channels.Of(channel));
        }
        section.channels.DropEmpty();
        AppendPiece(joined.elevations.unrecorded, start, i, section.elevations.unrecorded);
        AppendPiece(joined.elevations.terrain, start, i, section.elevations.terrain);
        start = i;
    }
    std::vector<std::size_t> rows(sections.GetSize());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    JoinSections(std::move(sections), rows, settings, range);
}
