#include "dem/MappedFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

std::unique_ptr<MappedFile> MappedFile::Open(const std::filesystem::path& path,
                                             std::string& error) {
    // Others may read the file meanwhile, but not change it under the mapping.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot be opened";
        return nullptr;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        error = "is not a regular file";
        return nullptr;
    }
    if (size.QuadPart == 0) {
        CloseHandle(file);
        return std::unique_ptr<MappedFile>(new MappedFile(nullptr, 0));
    }
    // The view keeps the file open; neither handle is needed once it exists.
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* view = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (mapping != nullptr) {
        CloseHandle(mapping);
    }
    CloseHandle(file);
    if (view == nullptr) {
        error = "cannot be mapped into memory";
        return nullptr;
    }
    return std::unique_ptr<MappedFile>(new MappedFile(static_cast<const unsigned char*>(view),
                                                      static_cast<std::size_t>(size.QuadPart)));
}

MappedFile::~MappedFile() {
    if (m_data != nullptr) {
        UnmapViewOfFile(m_data);
    }
}

#else

std::unique_ptr<MappedFile> MappedFile::Open(const std::filesystem::path& path,
                                             std::string& error) {
    // Non-blocking, so that a named pipe cannot hang the open; it is refused below anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = "cannot be opened";
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = "is not a regular file";
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    void* data = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);  // the mapping keeps the file
    if (data == MAP_FAILED) {
        error = "cannot be mapped into memory";
        return nullptr;
    }
    return std::unique_ptr<MappedFile>(
        new MappedFile(static_cast<const unsigned char*>(data), size));
}

MappedFile::~MappedFile() {
    if (m_data != nullptr) {
        ::munmap(const_cast<unsigned char*>(m_data), m_size);
    }
}

#endif
