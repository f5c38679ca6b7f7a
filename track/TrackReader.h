#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "track/ByteSource.h"
#include "track/TrackSectionList.h"

/// What a reader knows of the file besides its bytes.
struct ReadContext {
    std::string path;   // as the user gave it, for messages
    std::string title;  // the file's name without folder and extension
};

/// What a reader is to tell the user, one message each, in the order they arose.
using Messages = std::vector<std::string>;

/// A file format that has a reader of its own. A reader appends the file's sections to the
/// list and adds to messages what it skipped or could not read; it returns ReadFailed only
/// for an error of the source, which the caller words.
struct TrackFormat {
    /// Whether the file is of this format: head holds the first bytes of the file (up to a few
    /// KiB, fewer in a short file); root is the local name of the root element when the file is
    /// an XML document, else empty.
    bool (*claims)(std::string_view head, std::string_view root, std::string_view path);
    ReadStatus (*read)(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                       Messages& messages);
};

extern const TrackFormat kGpxFormat;
extern const TrackFormat kTcxFormat;
extern const TrackFormat kIgcFormat;
extern const TrackFormat kFitFormat;

/// Reads the bytes with the reader that claims them, the .plt reader when none does. Bytes from
/// which no point can be read add no section and give BadContent with a message, unless the
/// reader failed with a message of its own or they are an OziExplorer track without points.
ReadStatus ReadTrackSource(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                           Messages& messages);

/// The local name of the root element when bytes begin an XML document (after a byte order
/// mark, blanks, the declaration, comments, processing instructions and a document type);
/// empty when they do not. complete tells that no more bytes follow; otherwise an incomplete
/// prologue sets needMore.
std::string_view XmlRootName(std::string_view bytes, bool complete, bool& needMore);
