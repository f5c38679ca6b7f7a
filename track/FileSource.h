#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "track/ByteSource.h"

/// A file opened read-only. On Windows the open is exclusive: it fails while another program
/// has the file open, and nobody else can open it meanwhile. POSIX systems have no such open,
/// and advisory locks would not stop other programs anyway.
class FileSource : public ByteSource {
public:
    /// Null when the path cannot be opened or is not a regular file.
    static std::unique_ptr<FileSource> Open(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::ptrdiff_t Read(char* buffer, std::size_t size) override;

private:
#ifdef _WIN32
    explicit FileSource(void* handle) : m_handle(handle) {}
    void* m_handle;  // HANDLE
#else
    explicit FileSource(int fd) : m_fd(fd) {}
    int m_fd;
#endif
};
