#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "track/ByteSource.h"

/// The FIT checksum (CRC-16 with the polynomial 0xA001, reflected, starting at crc) of bytes.
uint16_t FitCrc(uint16_t crc, const unsigned char* bytes, std::size_t size);

/// The bytes of a source through one buffer, with the checksum of the bytes taken since the
/// last reset. Taken bytes are checked in long runs, when the buffer moves on or the checksum
/// is asked for.
class FitInput {
public:
    /// Enough for the longest message: 255 fields and 255 developer fields of 255 bytes.
    static constexpr std::size_t kBufferSize = 256 << 10;

    explicit FitInput(ByteSource& source);

    /// The next count bytes (count <= kBufferSize), or null when the source ends or fails first.
    const unsigned char* Peek(std::size_t count) {
        if (m_end - m_pos >= count || Fill(count)) {
            return m_buffer.get() + m_pos;
        }
        return nullptr;
    }
    /// Takes count bytes that Peek has shown.
    void Skip(std::size_t count) { m_pos += count; }
    /// Offset in the source of the next byte.
    uint64_t Offset() const { return m_base + m_pos; }
    bool Failed() const { return m_failed; }

    /// Starts the checksum at the next byte.
    void ResetCrc() {
        m_crc = 0;
        m_crcFrom = m_pos;
    }
    uint16_t Crc() {
        UpdateCrc();
        return m_crc;
    }

private:
    void UpdateCrc();
    bool Fill(std::size_t count);

    ByteSource& m_source;
    std::unique_ptr<unsigned char[]> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    uint64_t m_base = 0;  // offset in the source of the buffer's first byte
    bool m_ended = false;
    bool m_failed = false;
    uint16_t m_crc = 0;
    std::size_t m_crcFrom = 0;  // the buffer's bytes from here to m_pos are not checked yet
};
