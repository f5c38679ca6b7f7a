// Fuzz target: the FIT reader on arbitrary bytes.

#include <string>
#include <vector>

#include "FormatFuzz.h"
#include "track/FitReader.h"

namespace {

/// Reads the bytes as FIT; traps on what no file may cause.
std::size_t ReadChecked(std::string_view bytes, std::size_t failAfter) {
    TrackSectionList list;
    std::vector<std::string> messages;
    MemorySource source(bytes, failAfter);
    const ReadStatus status = ReadFitTrack(list, source, ReadContext{"fuzz.fit", "fuzz"}, messages);
    CheckSections(list);
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        if (list[i].points.IsEmpty()) {
            __builtin_trap();
        }
    }
    // At most one of each kind: checksum, damage, and the writer's three or no positions.
    const bool failed = status == ReadStatus::ReadFailed;
    if (messages.size() > 5 || (!failed && (status == ReadStatus::BadContent) != list.IsEmpty())) {
        __builtin_trap();
    }
    return list.GetSize();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t sections = ReadChecked(bytes, std::string_view::npos);
    ReadChecked(bytes, size / 2);
    // Through the choice of reader as well: a FIT header always goes to this reader.
    TrackSectionList chosen;
    MemorySource again(bytes);
    Messages messages;
    ReadTrackSource(chosen, again, ReadContext{"fuzz.plt", "fuzz"}, messages);
    if (IsFitHeader(bytes)) {
        CheckSections(chosen);
        if (chosen.GetSize() != sections) {
            __builtin_trap();
        }
    }
    return 0;
}
