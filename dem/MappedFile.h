#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

/// A file's bytes mapped read-only into memory for as long as the object lives. Pages come
/// from the file as they are read, so mapping a large file costs address space, not memory.
class MappedFile {
public:
    /// Maps a regular file; null when it cannot be opened or mapped, with the reason in error.
    static std::unique_ptr<MappedFile> Open(const std::filesystem::path& path, std::string& error);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const unsigned char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }  // bytes

private:
    MappedFile(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    const unsigned char* m_data;  // null for an empty file
    std::size_t m_size;
};
