#pragma once

#include <cstddef>
#include <string>

#include "track/TrackPoint.h"

/// A map picture the command-line tool writes.
struct MapPngRequest {
    std::string path;
    std::string tiles;    // an MBTiles file, a folder of tiles or a configured source's name
    bool online = false;  // fetch missing tiles; otherwise the disk cache only
    int width = 0;        // pixels
    int height = 0;       // pixels
};

/// The track on its map, fitted, drawn as the window draws it and saved as PNG. Makes the Qt
/// application object when there is none (offscreen, named as the window so that both share
/// the tile cache). False with a message in error when the source or the file failed.
bool WriteMapPng(const MapPngRequest& request, const TrackPoint* points, std::size_t count,
                 std::string& error);
