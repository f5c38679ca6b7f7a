#pragma once

#include <string_view>

#include "track/TextFile.h"
#include "track/TrackSection.h"

/// Reads track text from a source and appends its sections to the list, without telling the
/// user anything; ReadTrackFile adds the messages.
ReadStatus ReadTrackText(TrackSectionList& list, ByteSource& source);

/// Fills fields[0..count) with the first pieces of text between separators, trimmed of blanks
/// when asked; fields that the text does not have are empty, as SplitFields would give them.
/// Returns the number of pieces found.
std::size_t SplitFirstFields(std::string_view text, char separator, bool trim,
                             std::string_view* fields, std::size_t count);
