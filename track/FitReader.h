#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "track/TrackReader.h"

/// Appends the sections of a FIT file; warnings and the error go to messages, in the order
/// they arose.
ReadStatus ReadFitTrack(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                        std::vector<std::string>& messages);

/// Whether the first bytes of a file are a FIT file header: bytes 8-11 ".FIT" and a header
/// size of 12 or 14.
bool IsFitHeader(std::string_view head);
