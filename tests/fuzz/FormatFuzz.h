#pragma once

// The checks every reader's fuzz target makes: whatever the bytes, a read ends, keeps the
// derived fields zero and gives only finite positions, altitudes and times.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "track/MemorySource.h"
#include "track/TrackReader.h"

inline void CheckSections(const TrackSectionList& list) {
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        const TrackSection& section = list[i];
        for (std::size_t k = 0; k < section.points.GetSize(); ++k) {
            const TrackPoint& p = section.points[k];
            if (p.state != 0 || p.flags != 0 || p.distance != 0.0 || !std::isfinite(p.altitude)
                || !std::isfinite(p.time) || !(std::fabs(p.latitude) <= 90.0)
                || !(std::fabs(p.longitude) <= 180.0)) {
                __builtin_trap();
            }
        }
    }
}

/// Reads the bytes as the format, whole and failing half-way, and checks what came of it.
inline int FuzzFormat(const TrackFormat& format, const char* path, const uint8_t* data,
                      std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadContext context{path, "fuzz"};
    bool needMore = false;
    XmlRootName(bytes, size % 2 == 0, needMore);
    Messages messages;
    TrackSectionList list;
    MemorySource source(bytes);
    format.read(list, source, context, messages);
    CheckSections(list);
    TrackSectionList partial;
    MemorySource failing(bytes, size / 2);
    format.read(partial, failing, context, messages);
    CheckSections(partial);
    // Through the choice of reader as well, which must hand on every byte it looked at.
    TrackSectionList chosen;
    MemorySource again(bytes);
    ReadTrackSource(chosen, again, context, messages);
    const std::string_view root = XmlRootName(bytes, true, needMore);
    const bool xml = kGpxFormat.claims(bytes, root, path) || kTcxFormat.claims(bytes, root, path);
    const bool mine = format.claims(bytes, root, path) && (&format != &kIgcFormat || !xml);
    if (mine && chosen.GetSize() != list.GetSize()) {
        __builtin_trap();
    }
    return 0;
}
