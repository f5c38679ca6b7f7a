#pragma once

#include <cstddef>
#include <string_view>

#include "track/ByteSource.h"

/// Bytes held in memory; optionally fails after a given number of bytes.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes, std::size_t failAfter = std::string_view::npos)
        : m_bytes(bytes), m_failAfter(failAfter) {}
    std::ptrdiff_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view m_bytes;
    std::size_t m_failAfter;
    std::size_t m_offset = 0;
};
