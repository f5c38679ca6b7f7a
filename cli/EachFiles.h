#pragma once

#include <string>
#include <string_view>
#include <vector>

/// One entry of a batch: a file to analyse, or a folder that could not be read.
struct EachFile {
    std::string path;
    std::string error;  // empty for a file; what went wrong with a folder
};

/// Whether a file name has the extension of a readable track file (.plt, .gpx, .tcx, .igc,
/// any case).
bool IsTrackFileName(std::string_view name);

/// The entries of a batch in order: each argument that is not a folder as given; for each
/// folder the track files found by walking it recursively, sorted by path. Symbolic links are
/// followed, but a folder already walked under this argument is not walked again, so a link
/// loop ends.
std::vector<EachFile> CollectTrackFiles(const std::vector<std::string>& arguments);
