#include "track/LineReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char kCtrlZ = 26;
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
