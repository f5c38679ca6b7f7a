#pragma once

#include <string>
#include <string_view>

#include "track/TextFile.h"
#include "track/TrackSection.h"

/// What a reader knows of the file besides its bytes.
struct ReadContext {
    std::string path;   // as the user gave it, for messages
    std::string title;  // the file's name without folder and extension
};

/// A file format that has a reader of its own. A reader appends the file's sections to the
/// list and tells the user of what it skipped or could not read; it returns ReadFailed only
/// for an error of the source, which the caller reports.
struct TrackFormat {
    /// Whether the file is of this format: root is the local name of the root element when
    /// the file is an XML document, else empty.
    bool (*claims)(std::string_view root, std::string_view path);
    ReadStatus (*read)(TrackSectionList& list, ByteSource& source, const ReadContext& context);
};

extern const TrackFormat kGpxFormat;
extern const TrackFormat kTcxFormat;
extern const TrackFormat kIgcFormat;

/// Reads the bytes with the reader that claims them, the .plt reader when none does.
ReadStatus ReadTrackSource(TrackSectionList& list, ByteSource& source, const ReadContext& context);

/// The local name of the root element when bytes begin an XML document (after a byte order
/// mark, blanks, the declaration, comments, processing instructions and a document type);
/// empty when they do not. complete tells that no more bytes follow; otherwise an incomplete
/// prologue sets needMore.
std::string_view XmlRootName(std::string_view bytes, bool complete, bool& needMore);
