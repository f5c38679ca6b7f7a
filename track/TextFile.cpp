#include "track/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr char kCtrlZ = 26;
}

#ifdef _WIN32

std::filesystem::path PathFromUtf8(std::string_view name) {
    if (name.empty() || name.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(name.size());
    const int wide =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, nullptr, 0);
    if (wide <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, text.data(), wide);
    return std::filesystem::path(std::move(text));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty() || wide.size() > INT_MAX) {
        return {};
    }
    // A lone surrogate, which no UTF-8 can hold, becomes U+FFFD.
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::FILE* OpenFileForWriting(const std::string& path) {
    const std::filesystem::path name = PathFromUtf8(path);
    return name.empty() ? nullptr : _wfopen(name.c_str(), L"wb");
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
    const std::filesystem::path name = PathFromUtf8(path);
    if (name.empty() || path.find('\0') != std::string::npos) {
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

std::filesystem::path PathFromUtf8(std::string_view name) {
    return std::filesystem::path(name);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* OpenFileForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "wb");
}

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

std::ptrdiff_t MemorySource::Read(char* buffer, std::size_t size) {
    if (m_offset >= m_failAfter) {
        return -1;
    }
    const std::size_t limit = std::min(m_bytes.size(), m_failAfter);
    const std::size_t count = std::min(size, limit - std::min(limit, m_offset));
    if (count == 0) {
        return 0;  // the view of an empty text may have no data at all
    }
    std::memcpy(buffer, m_bytes.data() + m_offset, count);
    m_offset += count;
    return static_cast<std::ptrdiff_t>(count);
}

LineReader::LineReader(ByteSource& source, std::size_t bufferSize)
    : m_source(source),
      m_buffer(new char[std::max<std::size_t>(bufferSize, 1)]),
      m_bufferSize(std::max<std::size_t>(bufferSize, 1)) {}

bool LineReader::Fill() {
    if (m_ended) {
        return false;
    }
    std::ptrdiff_t count = m_source.Read(m_buffer.get(), m_bufferSize);
    if (count <= 0) {
        m_ended = true;
        m_failed = count < 0;
        return false;
    }
    // Nothing after Ctrl-Z is read: the text ends there.
    if (const void* stop = std::memchr(m_buffer.get(), kCtrlZ, static_cast<std::size_t>(count))) {
        count = static_cast<const char*>(stop) - m_buffer.get();
        m_ended = true;
    }
    m_pos = 0;
    m_end = static_cast<std::size_t>(count);
    return count > 0;
}

LineReader::Result LineReader::ReadLine(std::string_view& line) {
    m_long.clear();
    bool spans = false;  // the line began in an earlier buffer
    for (;;) {
        if (m_pos == m_end && !Fill()) {
            if (m_failed) {
                return Result::Error;
            }
            if (!spans) {
                return Result::End;
            }
            line = m_long;  // a last line without a line end
            return Result::Line;
        }
        const char* const begin = m_buffer.get() + m_pos;
        const std::size_t available = m_end - m_pos;
        const char* newline = static_cast<const char*>(std::memchr(begin, '\n', available));
        if (newline == nullptr) {
            m_long.append(begin, available);
            spans = true;
            m_pos = m_end;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(newline - begin);
        m_pos += length + 1;
        if (spans) {
            m_long.append(begin, length);
            line = m_long;
        } else {
            line = std::string_view(begin, length);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return Result::Line;
    }
}
