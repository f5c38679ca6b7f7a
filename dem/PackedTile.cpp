#include "dem/PackedTile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <system_error>

#include "dem/TerrainTile.h"

#ifdef PELORIN_HAVE_ZLIB
#define ZLIB_CONST
#include <zlib.h>
#endif
#ifdef PELORIN_HAVE_LIBZIP
#include <zip.h>
#endif

namespace {

[[maybe_unused]] constexpr const char* kDamaged = "is damaged or cut short";
[[maybe_unused]] constexpr std::size_t kChunk = 64 << 10;  // bytes read at a time

using Bytes = std::unique_ptr<unsigned char[]>;

[[maybe_unused]] Bytes Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return nullptr;
}

[[maybe_unused]] std::string CountText(std::uint64_t count) {
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, count).ptr;
    return std::string(text, end);
}

/// False, with the reason, when this build has no library for the packing.
bool CanUnpack([[maybe_unused]] bool zip, [[maybe_unused]] std::string& error) {
#ifndef PELORIN_HAVE_LIBZIP
    if (zip) {
        error = "this build of Pelorin cannot read zipped tiles";
        return false;
    }
#endif
#ifndef PELORIN_HAVE_ZLIB
    if (!zip) {
        error = "this build of Pelorin cannot read gzipped tiles";
        return false;
    }
#endif
    return true;
}

#ifdef PELORIN_HAVE_ZLIB
/// The gzip trailer gives the unpacked size (modulo 2^32) before anything is taken for it; the
/// inflation then writes at most that many bytes and fails when the data goes on. The file is
/// read in small pieces, so that only the tile takes memory.
Bytes Gunzip(const std::filesystem::path& path, std::size_t& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[2] = {};
    unsigned char tail[4] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    in.seekg(-4, std::ios::end);
    in.read(reinterpret_cast<char*>(tail), sizeof tail);
    if (!in || head[0] != 0x1f || head[1] != 0x8b) {
        return Fail(error, "is not a gzip file");
    }
    const std::uint32_t declared =
        tail[0] | tail[1] << 8 | tail[2] << 16 | static_cast<std::uint32_t>(tail[3]) << 24;
    if (TerrainTile::SamplesPerRowOf(declared) == 0) {
        return Fail(error, TerrainTile::SizeError("says it unpacks to", declared));
    }
    in.seekg(0);
    auto tile = std::make_unique_for_overwrite<unsigned char[]>(declared);
    const auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        return Fail(error, kDamaged);
    }
    stream.next_out = tile.get();
    stream.avail_out = declared;
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.avail_in == 0 && in) {
            in.read(buffer.get(), static_cast<std::streamsize>(kChunk));
            stream.next_in = reinterpret_cast<const Bytef*>(buffer.get());
            stream.avail_in = static_cast<uInt>(in.gcount());
        }
        result = inflate(&stream, Z_NO_FLUSH);
    }
    // At the stream's end zlib has compared the trailer's size with what came out.
    const bool full = stream.avail_out == 0;
    inflateEnd(&stream);
    if (result == Z_STREAM_END && full) {
        bytes = declared;
        return tile;
    }
    if (result == Z_BUF_ERROR && full) {
        return Fail(error,
                    "unpacks to more than the " + CountText(declared) + " bytes of a terrain tile");
    }
    return Fail(error, kDamaged);
}
#endif

#ifdef PELORIN_HAVE_LIBZIP
/// The archive must hold one file (folders aside) of a tile's size, as its entry declares;
/// the unpacking stops there and fails when the data goes on or the checksum differs.
Bytes Unzip(const std::filesystem::path& path, std::size_t& bytes, std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    // libzip reads the file in small pieces as it needs them.
#ifdef _WIN32
    zip_source_t* source = zip_source_win32w_create(path.c_str(), 0, -1, &zipError);
#else
    zip_source_t* source = zip_source_file_create(path.c_str(), 0, -1, &zipError);
#endif
    zip_t* opened =
        source != nullptr ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr;
    zip_error_fini(&zipError);
    if (opened == nullptr) {
        if (source != nullptr) {
            zip_source_free(source);
        }
        return Fail(error, "is not a zip archive");
    }
    const std::unique_ptr<zip_t, void (*)(zip_t*)> archive(opened, zip_discard);
    const zip_int64_t entries = zip_get_num_entries(opened, 0);
    zip_uint64_t entry = 0;
    std::uint64_t files = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(opened, static_cast<zip_uint64_t>(i), 0);
        const std::string_view text = name != nullptr ? name : "";
        if (text.empty() || text.back() != '/') {
            ++files;
            entry = static_cast<zip_uint64_t>(i);
        }
    }
    if (files != 1) {
        return Fail(error, "holds " + CountText(files) + " files, not one terrain tile");
    }
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat_index(opened, entry, 0, &info) != 0 || (info.valid & ZIP_STAT_SIZE) == 0) {
        return Fail(error, kDamaged);
    }
    if (TerrainTile::SamplesPerRowOf(info.size) == 0) {
        return Fail(error, TerrainTile::SizeError("holds a file of", info.size));
    }
    zip_file_t* file = zip_fopen_index(opened, entry, 0);
    if (file == nullptr) {
        return Fail(error, "holds a tile that this build cannot unpack");
    }
    auto tile = std::make_unique_for_overwrite<unsigned char[]>(info.size);
    zip_uint64_t got = 0;
    zip_int64_t read = 1;
    while (got < info.size && read > 0) {
        read = zip_fread(file, tile.get() + got, info.size - got);
        got += read > 0 ? static_cast<zip_uint64_t>(read) : 0;
    }
    unsigned char more = 0;
    const bool ended = got == info.size && zip_fread(file, &more, 1) == 0;
    if (zip_fclose(file) != 0 || !ended) {
        return Fail(error, kDamaged);
    }
    bytes = info.size;
    return tile;
}
#endif

}  // namespace

std::unique_ptr<unsigned char[]> PackedTile::Unpack(const std::filesystem::path& path, bool zip,
                                                    std::size_t& bytes, std::string& error) {
    if (!CanUnpack(zip, error)) {
        return nullptr;
    }
    std::error_code failed;
    const std::filesystem::file_status status = std::filesystem::status(path, failed);
    if (failed) {
        return Fail(error, "cannot be opened");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Fail(error, "is not a regular file");
    }
#ifdef PELORIN_HAVE_LIBZIP
    if (zip) {
        return Unzip(path, bytes, error);
    }
#endif
#ifdef PELORIN_HAVE_ZLIB
    if (!zip) {
        return Gunzip(path, bytes, error);
    }
#endif
    return nullptr;
}
