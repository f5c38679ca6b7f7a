#include "analysis/RangeCut.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "analysis/Joining.h"

namespace {

/// Makes target a copy of count values from source, keeping its storage when large enough.
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

}  // namespace

void CutRange(const TrackSection& joined, std::size_t first, std::size_t last,
              const AnalysisSettings& settings, TrackSection& range) {
    const std::size_t count = joined.points.GetSize();
    range.hasTimes = joined.hasTimes;
    range.channels.RemoveAll();
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
    CopyInto(range.points, joined.points.GetData() + first, n);
    for (const Channel channel : kChannels) {
        if (joined.channels.Has(channel)) {
            CopyInto(range.channels.Of(channel), joined.channels.Of(channel).GetData() + first, n);
        }
    }
    range.channels.DropEmpty();
    // As the sections would be joined from a file of just these points: each part that came
    // from a section of its own starts a run, and nothing is analysed yet.
    for (std::size_t i = 0; i < n; ++i) {
        TrackPoint& p = range.points[i];
        const bool sectionStart = i == 0 || (p.flags & FlagSectionStart) != 0;
        p.state = sectionStart ? StateRunStart : StateConnected;
        p.flags = sectionStart ? FlagSectionStart : 0;
        p.distance = 0.0;
    }
    ConnectAndAnalyze(range, settings);
}
