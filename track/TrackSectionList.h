#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "track/GrowArray.h"
#include "track/TrackSection.h"

/// Outcome of reading a file.
enum class ReadStatus {
    Ok,
    OpenFailed,  // nothing was read
    ReadFailed,  // the sections read before the error were kept
    BadContent,  // the file's content stopped the reader, which said why; what came before stays
};

/// What reading a file gives besides its sections: how it went, and what the user is to be told
/// (the reader's warnings and the error, one message each, in the order they arose). A file may
/// read well (Ok) and still have warnings, e.g. of points without position.
struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::vector<std::string> messages;
};

/// The loaded sections, in the order they were read; row i of the sections list is element i.
class TrackSectionList : public GrowArray<TrackSection> {
public:
    /// Removes every section, then reads the file.
    ReadResult LoadTrackFile(const std::string& path);
    /// Appends the sections of the file after those already loaded.
    ReadResult ReadTrackFile(const std::string& path);

    /// Name of the first section; only meaningful with at least one section loaded.
    std::string GetTrackName() const;
    /// Name column of row i: the owning named section's name with the run number.
    std::string GetDisplayName(std::size_t i) const;
};

/// Splits text at each separator into the output list; one further empty field always
/// follows the last piece.
void SplitFields(std::vector<std::string>& fields, const std::string& text, char separator,
                 bool trim);
