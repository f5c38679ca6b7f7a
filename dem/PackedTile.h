#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

/// The one terrain tile that a .hgt.gz or .hgt.zip file holds, unpacked into memory. The size
/// the file gives for it is checked against a tile's before any memory is taken, and the
/// unpacking stops where a tile would end, so no file makes it take more than one tile.
namespace PackedTile {

/// The tile's bytes from a gzip (zip false) or zip file; bytes receives their count. Null
/// with the reason in error when the file holds no tile or this build cannot unpack it.
std::unique_ptr<unsigned char[]> Unpack(const std::filesystem::path& path, bool zip,
                                        std::size_t& bytes, std::string& error);

}  // namespace PackedTile
