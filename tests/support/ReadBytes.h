#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "track/FilePaths.h"
#include "track/MemorySource.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"

/// What reading some bytes gave.
struct Read {
    TrackSectionList list;
    ReadStatus status = ReadStatus::Ok;
    std::vector<std::string> messages;
};

/// Reads bytes as a file of the given path would be read: by the reader that claims them, or
/// by the given one; the source fails after failAfter bytes.
inline Read ReadBytes(const std::string& bytes, const std::string& path = "dir/walk.gpx",
                      std::size_t failAfter = std::string::npos,
                      ReadStatus (*reader)(TrackSectionList&, ByteSource&, const ReadContext&,
                                           Messages&) = ReadTrackSource) {
    Read read;
    MemorySource source(bytes, failAfter);
    read.status = reader(read.list, source, ReadContext{path, FileTitle(path)}, read.messages);
    return read;
}

/// Names and point counts of the sections, as "name:count" joined by blanks.
inline std::string Outline(const TrackSectionList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        text += (i > 0 ? " " : "") + list[i].name + ":" + std::to_string(list[i].points.GetSize());
    }
    return text;
}
