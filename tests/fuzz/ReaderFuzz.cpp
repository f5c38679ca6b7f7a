// Fuzz target: the track reader on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "track/MemorySource.h"
#include "track/PltReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TrackSectionList list;
    MemorySource source(bytes);
    ReadTrackText(list, source);
    // Fail part-way through as well: what was read must stay whole.
    TrackSectionList partial;
    MemorySource failing(bytes, size / 2);
    ReadTrackText(partial, failing);
    // A file gives its named section, then one section of at least one point per break;
    // the reader sets no derived field.
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        const TrackSection& section = list[i];
        if (i > 0 && (section.name != "+^+" || section.points.IsEmpty())) {
            __builtin_trap();
        }
        for (std::size_t k = 0; k < section.points.GetSize(); ++k) {
            const TrackPoint& p = section.points[k];
            if (p.state != 0 || p.flags != 0 || p.distance != 0.0) {
                __builtin_trap();
            }
        }
    }
    // A complete read always gives the header's section; a failed one never gives more.
    if (list.GetSize() == 0 || partial.GetSize() > list.GetSize()) {
        __builtin_trap();
    }
    return 0;
}
