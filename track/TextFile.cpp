#include "track/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kCtrlZ = 26;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
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
