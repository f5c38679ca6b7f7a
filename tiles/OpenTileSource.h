#pragma once

#include <memory>

#include <QString>

#include "tiles/OnlineTileSource.h"
#include "tiles/TileSource.h"

/// The source a user names: an MBTiles file, a folder of tiles, or the name of a configured
/// source (an empty name: the first configured one). None, with a message in error, when it
/// is none of them.
std::unique_ptr<TileSource> OpenTileSource(const QString& name, const OnlineTileSettings& settings,
                                           QString& error);
