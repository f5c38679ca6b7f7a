#include "analysis/RangeCut.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "analysis/ElevationChoice.h"
#include "analysis/Joining.h"

namespace {

/// Makes target a copy of count entries from source, keeping its storage when large enough.
template <typename T>
void CopyInto(GrowArray<T>& target, const T* source, std::size_t count) {
    if (target.GetCapacity() >= count) {
        target.SetSize(count);
        std::memcpy(static_cast<void*>(target.GetData()), source, count * sizeof(T));
    } else {
        target.RemoveAll();
        target.Append(source, count);
    }
}

/// Copies the entries first to first + count of an array beside the points, when it is present.
template <typename T>
void CopyPiece(const GrowArray<T>& source, std::size_t first, std::size_t count,
               GrowArray<T>& target) {
    if (source.IsEmpty()) {
        target.RemoveAll();
    } else {
        CopyInto(target, source.GetData() + first, count);
    }
}

}  // namespace

void CutRange(const TrackSection& joined, std::size_t first, std::size_t last,
              const AnalysisSettings& settings, TrackSection& range) {
    const std::size_t count = joined.points.GetSize();
    range.hasTimes = joined.hasTimes;
    range.elevations.recorded.RemoveAll();
    if (count == 0) {
        range.points.RemoveAll();
        range.channels.RemoveAll();
        range.elevations.RemoveAll();
        return;
    }
    if (first > last) {
        std::swap(first, last);
    }
    last = std::min(last, count - 1);
    first = std::min(first, last);
    const std::size_t n = last - first + 1;
    // The storage of an earlier range serves again when it is large enough.
    CopyInto(range.points, joined.points.GetData() + first, n);
    for (const Channel channel : kChannels) {
        CopyPiece(joined.channels.Of(channel), first, n, range.channels.Of(channel));
    }
    range.channels.DropEmpty();
    CopyPiece(joined.elevations.unrecorded, first, n, range.elevations.unrecorded);
    CopyPiece(joined.elevations.terrain, first, n, range.elevations.terrain);
    // As the sections would be joined from a file of just these points: each part that came
    // from a section of its own starts a run, nothing is analysed yet, and the altitudes are
    // those recorded, the terrain heights looked up beside them.
    for (std::size_t i = 0; i < n; ++i) {
        TrackPoint& p = range.points[i];
        const bool sectionStart = i == 0 || (p.flags & FlagSectionStart) != 0;
        p.state = sectionStart ? StateRunStart : StateConnected;
        p.flags = sectionStart ? FlagSectionStart : 0;
        p.distance = 0.0;
        p.altitude = RecordedAltitude(joined, first + i);
    }
    ConnectAndAnalyze(range, settings);
}
