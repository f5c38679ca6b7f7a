#include "track/FitInput.h"

#include <array>
#include <cstring>

namespace {

// The protocol's checksum, four bits at a time.
constexpr uint16_t kCrcNibbles[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00,
                                      0x2800, 0xE401, 0xA001, 0x6C00, 0x7800, 0xB401,
                                      0x5000, 0x9C01, 0x8801, 0x4400};

constexpr uint16_t CrcNibble(uint16_t crc, unsigned nibble) {
    const uint16_t mixed = kCrcNibbles[crc & 0xF];
    crc = static_cast<uint16_t>((crc >> 4) & 0x0FFF);
    return static_cast<uint16_t>(crc ^ mixed ^ kCrcNibbles[nibble & 0xF]);
}

/// Byte tables derived from the nibble steps: table k gives the checksum of a byte followed by
/// k zero bytes, so that a step takes 16 bytes at once.
constexpr std::size_t kCrcStep = 16;
constexpr std::array<std::array<uint16_t, 256>, kCrcStep> MakeCrcTables() {
    std::array<std::array<uint16_t, 256>, kCrcStep> tables{};
    for (unsigned b = 0; b < 256; ++b) {
        tables[0][b] = CrcNibble(CrcNibble(0, b), b >> 4);
    }
    for (std::size_t k = 1; k < kCrcStep; ++k) {
        for (unsigned b = 0; b < 256; ++b) {
            const uint16_t before = tables[k - 1][b];
            tables[k][b] = static_cast<uint16_t>((before >> 8) ^ tables[0][before & 0xFF]);
        }
    }
    return tables;
}

constexpr auto kCrcTables = MakeCrcTables();

}  // namespace

uint16_t FitCrc(uint16_t crc, const unsigned char* bytes, std::size_t size) {
    std::size_t i = 0;
    for (; i + kCrcStep <= size; i += kCrcStep) {
        const unsigned char* p = bytes + i;
        uint16_t next = static_cast<uint16_t>(kCrcTables[kCrcStep - 1][(p[0] ^ crc) & 0xFF]
                                              ^ kCrcTables[kCrcStep - 2][p[1] ^ (crc >> 8)]);
        for (std::size_t k = 2; k < kCrcStep; ++k) {
            next ^= kCrcTables[kCrcStep - 1 - k][p[k]];
        }
        crc = next;
    }
    for (; i < size; ++i) {
        crc = static_cast<uint16_t>((crc >> 8) ^ kCrcTables[0][(crc ^ bytes[i]) & 0xFF]);
    }
    return crc;
}

FitInput::FitInput(ByteSource& source)
    : m_source(source), m_buffer(new unsigned char[kBufferSize]) {}

void FitInput::UpdateCrc() {
    m_crc = FitCrc(m_crc, m_buffer.get() + m_crcFrom, m_pos - m_crcFrom);
    m_crcFrom = m_pos;
}

bool FitInput::Fill(std::size_t count) {
    UpdateCrc();
    std::memmove(m_buffer.get(), m_buffer.get() + m_pos, m_end - m_pos);
    m_base += m_pos;
    m_end -= m_pos;
    m_pos = 0;
    m_crcFrom = 0;
    while (m_end < count && !m_ended && !m_failed) {
        const std::ptrdiff_t got =
            m_source.Read(reinterpret_cast<char*>(m_buffer.get()) + m_end, kBufferSize - m_end);
        m_failed = got < 0;
        m_ended = got == 0;
        m_end += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    return m_end >= count;
}
