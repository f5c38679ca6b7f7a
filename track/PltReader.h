#pragma once

#include <string_view>

#include "track/ByteSource.h"
#include "track/TrackSectionList.h"

/// Reads track text from a source and appends its sections to the list, without telling the
/// user anything; ReadTrackFile adds the messages.
ReadStatus ReadTrackText(TrackSectionList& list, ByteSource& source);
