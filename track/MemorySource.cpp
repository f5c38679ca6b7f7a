#include "track/MemorySource.h"

#include <algorithm>
#include <cstring>

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
