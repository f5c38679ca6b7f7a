#pragma once

#include <string_view>

#include "track/ByteSource.h"
#include "track/TrackSectionList.h"

/// Reads track text from a source and appends its sections to the list, without telling the
/// user anything; ReadTrackFile adds the messages.
ReadStatus ReadTrackText(TrackSectionList& list, ByteSource& source);

/// Whether the first bytes of a file begin with the banner line of OziExplorer track files.
inline bool HasPltBanner(std::string_view head) {
    return head.starts_with("OziExplorer Track Point File");
}
