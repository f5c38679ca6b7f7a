#include "track/FileSource.h"

#include <algorithm>
#include <cerrno>

#include "track/FilePaths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
    const std::filesystem::path name = PathFromUtf8(path);
    if (name.empty()) {
        return nullptr;
    }
    // Share mode 0: the open fails while another program has the file open, and nobody can
    // write to the file, rename or delete it while it is read.
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    // Only disk files: a console, a device such as NUL or a pipe may never end. A directory
    // does not open at all without FILE_FLAG_BACKUP_SEMANTICS.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(new FileSource(handle));
}

FileSource::~FileSource() {
    CloseHandle(m_handle);
}

std::ptrdiff_t FileSource::Read(char* buffer, std::size_t size) {
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(m_handle, buffer, wanted, &count, nullptr)) {
        return -1;
    }
    return static_cast<std::ptrdiff_t>(count);
}

#else

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
    // A name with a NUL in it would open the file named by its first part.
    if (path.find('\0') != std::string::npos) {
        return nullptr;
    }
    // Non-blocking, so that a named pipe cannot hang the open; it is refused below anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    // Only regular files: a directory cannot be read, and a device or pipe may never end.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(new FileSource(fd));
}

FileSource::~FileSource() {
    ::close(m_fd);
}

std::ptrdiff_t FileSource::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

#endif
