#include "track/TrackSection.h"

#include <cstring>

namespace {

template <typename T>
void CopyArray(const GrowArray<T>& source, GrowArray<T>& target) {
    target.SetSize(source.GetSize());
    if (!source.IsEmpty()) {
        std::memcpy(static_cast<void*>(target.GetData()), source.GetData(),
                    source.GetSize() * sizeof(T));
    }
}

}  // namespace

void CopyPoints(const TrackSection& source, TrackSection& target) {
    if (&source == &target) {
        return;
    }
    CopyArray(source.points, target.points);
    target.hasTimes = source.hasTimes;
    for (const Channel channel : kChannels) {
        CopyArray(source.channels.Of(channel), target.channels.Of(channel));
    }
    CopyArray(source.elevations.unrecorded, target.elevations.unrecorded);
    CopyArray(source.elevations.terrain, target.elevations.terrain);
    CopyArray(source.elevations.recorded, target.elevations.recorded);
}
