#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "tiles/TileSourceInfo.h"

// Tile sources are configuration: a JSON list installed with Pelorin and one in the user's
// configuration folder that adds sources or replaces them by name. Each entry:
//   {"name": "...", "url": "https://{s}.example/{z}/{x}/{y}.png", "subdomains": ["a", "b"],
//    "attribution": "...", "minZoom": 0, "maxZoom": 19, "tileSize": 256,
//    "url2x": "https://.../{z}/{x}/{y}@2x.png"}
// name and url are required; an entry without them, or not an object, is left out.

/// The sources of one list; a message in error when the text is not a JSON list.
std::vector<TileSourceInfo> ParseTileSources(const QByteArray& json, QString* error = nullptr);

/// The base list with the additions and replacements of the other, in the base's order.
std::vector<TileSourceInfo> MergeTileSources(std::vector<TileSourceInfo> base,
                                             const std::vector<TileSourceInfo>& added);

/// The installed list: tile-sources.json beside the program, or in ../share/pelorin.
QString InstalledTileSourcesPath();
/// The user's list: tile-sources.json in the configuration folder.
QString UserTileSourcesPath();

/// The installed sources with the user's merged in; unreadable lists count as empty.
std::vector<TileSourceInfo> ConfiguredTileSources();

/// The configured source of that name.
std::optional<TileSourceInfo> FindTileSource(const std::vector<TileSourceInfo>& sources,
                                             const QString& name);
