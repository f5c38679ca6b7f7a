// Decoder of FIT files: a file header (12 or 14 bytes: its size, versions, the size of the
// data, ".FIT", in 14 bytes a checksum of the first 12 where 0 means none), the data as
// messages, then a checksum of header and data; several such files may follow one another.
// A message starts with a header byte:
// - bit 7 set: a data message of local type 0-3 (bits 5-6) whose time is the last timestamp
//   rolled over to the 5-bit offset in bits 0-4;
// - bit 6 set: a definition of local type 0-15 (bits 0-3): reserved byte, architecture (1:
//   big-endian), global message number, the fields as number, size and base type, and when
//   bit 5 is set the developer fields as number, size and index;
// - else a data message of local type 0-15, its fields in the order and sizes defined.
// Only the fields Pelorin reads are decoded; every other field, message and developer field
// is skipped by its size. A field of an integer base type is read by its first element; a
// size that holds no whole number of elements, a float, string or unknown base type, the base
// type's invalid value and a value outside the field's range all read as missing.

#include "track/FitDecoder.h"

#include <cstring>
#include <iterator>
#include <limits>

#include "track/FitInput.h"

namespace {

constexpr std::size_t kHeaderCore = 12;  // the header of every version; its checksum covers it
constexpr std::size_t kCrcSize = 2;
constexpr int kTimestampField = 253;

/// Where a field of interest lies in a data message and how to read it; width 0: not there.
struct Slot {
    uint16_t offset = 0;  // after the message's header byte
    uint8_t width = 0;    // bytes of one element
    bool isSigned = false;
    uint64_t invalid = 0;  // the base type's invalid value
};

enum class Kind : uint8_t { Other, Record, Lap };

enum RecordSlot {
    Latitude,
    Longitude,
    Altitude,
    EnhancedAltitude,
    HeartRate,
    Cadence,
    Power,
    Temperature,
    kRecordSlots
};
constexpr int kLapStartTime = 0;  // the lap's start_time in slot 0

/// The record field each slot reads, in RecordSlot order.
constexpr int kRecordFields[kRecordSlots] = {0, 1, 2, 78, 3, 4, 7, 13};
constexpr int kLapStartTimeField = 2;

struct Definition {
    bool defined = false;
    bool bigEndian = false;
    Kind kind = Kind::Other;
    std::size_t size = 0;  // bytes of a data message after its header byte
    Slot time;
    Slot slots[kRecordSlots];
};

/// The slot of a field of the given size and base type at offset; unreadable: width 0.
Slot MakeSlot(std::size_t offset, unsigned size, unsigned baseType) {
    struct BaseType {
        uint8_t width;  // 0: not read
        bool isSigned;
        uint64_t invalid;
    };
    // By base type number (the low 5 bits of the base type).
    static constexpr BaseType kBaseTypes[] = {
        {1, false, 0xFF},               // enum
        {1, true, 0x7F},                // sint8
        {1, false, 0xFF},               // uint8
        {2, true, 0x7FFF},              // sint16
        {2, false, 0xFFFF},             // uint16
        {4, true, 0x7FFFFFFF},          // sint32
        {4, false, 0xFFFFFFFF},         // uint32
        {0, false, 0},                  // string
        {0, false, 0},                  // float32
        {0, false, 0},                  // float64
        {1, false, 0},                  // uint8z
        {2, false, 0},                  // uint16z
        {4, false, 0},                  // uint32z
        {1, false, 0xFF},               // byte
        {8, true, 0x7FFFFFFFFFFFFFFF},  // sint64
        {8, false, ~uint64_t{0}},       // uint64
        {8, false, 0},                  // uint64z
    };
    const unsigned number = baseType & 0x1F;
    Slot slot;
    if (number >= std::size(kBaseTypes)) {
        return slot;
    }
    const BaseType& type = kBaseTypes[number];
    if (type.width == 0 || size < type.width || size % type.width != 0) {
        return slot;
    }
    slot.offset = static_cast<uint16_t>(offset);
    slot.width = type.width;
    slot.isSigned = type.isSigned;
    slot.invalid = type.invalid;
    return slot;
}

/// W bytes at p as an unsigned number in the given byte order.
template <unsigned W>
uint64_t Load(const unsigned char* p, bool bigEndian) {
    uint64_t raw = 0;
    for (unsigned i = 0; i < W; ++i) {
        raw |= uint64_t{p[i]} << (8 * (bigEndian ? W - 1 - i : i));
    }
    return raw;
}

/// The value of the slot in the message content; false when missing or invalid.
inline bool ReadSlot(const unsigned char* content, const Slot& slot, bool bigEndian,
                     int64_t& value) {
    const unsigned char* p = content + slot.offset;
    uint64_t raw = 0;
    switch (slot.width) {
        case 1:
            raw = p[0];
            break;
        case 2:
            raw = Load<2>(p, bigEndian);
            break;
        case 4:
            raw = Load<4>(p, bigEndian);
            break;
        case 8:
            raw = Load<8>(p, bigEndian);
            break;
        default:
            return false;
    }
    if (raw == slot.invalid) {
        return false;
    }
    const unsigned unused = 64 - 8 * slot.width;
    if (slot.isSigned) {
        value = static_cast<int64_t>(raw << unused) >> unused;
        return true;
    }
    if (raw > static_cast<uint64_t>(INT64_MAX)) {
        return false;
    }
    value = static_cast<int64_t>(raw);
    return true;
}

/// The slot's value when it fits T.
template <typename T>
inline std::optional<T> Narrow(const unsigned char* content, const Slot& slot, bool bigEndian) {
    int64_t value = 0;
    if (!ReadSlot(content, slot, bigEndian, value) || value < std::numeric_limits<T>::min()
        || value > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(value);
}

uint32_t LittleEndian32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

class Decoder {
public:
    Decoder(ByteSource& source, FitHandler& handler) : m_input(source), m_handler(handler) {}

    FitOutcome Run() {
        while (DecodeFile()) {
        }
        m_outcome.readFailed = m_input.Failed();
        return m_outcome;
    }

private:
    /// Decodes one file of the chain; false when none follows or decoding stops.
    bool DecodeFile() {
        const uint64_t start = m_input.Offset();
        const unsigned char* head = m_input.Peek(kHeaderCore);
        if (head == nullptr) {
            // Nothing after a whole file is the normal end.
            const bool ended = start > 0 && m_input.Peek(1) == nullptr;
            return ended ? false : Damaged(start);
        }
        const std::size_t headerSize = head[0];
        if ((headerSize != 12 && headerSize != 14) || std::memcmp(head + 8, ".FIT", 4) != 0) {
            return Damaged(start);
        }
        const uint64_t dataEnd = start + headerSize + LittleEndian32(head + 4);
        m_input.ResetCrc();
        head = m_input.Peek(headerSize);
        if (head == nullptr) {
            return Damaged(start);
        }
        if (headerSize == 14) {
            const unsigned storedCrc = head[12] | unsigned{head[13]} << 8;
            m_outcome.checksumMismatch =
                m_outcome.checksumMismatch
                || (storedCrc != 0 && storedCrc != FitCrc(0, head, kHeaderCore));
        }
        m_input.Skip(headerSize);
        for (Definition& definition : m_definitions) {
            definition.defined = false;
        }
        m_lastTime.reset();
        m_handler.OnFile();
        while (m_input.Offset() < dataEnd) {
            if (!DecodeMessage(dataEnd - m_input.Offset())) {
                return false;
            }
        }
        if (m_input.Peek(kCrcSize) == nullptr) {
            return Damaged(m_input.Offset());
        }
        m_input.Skip(kCrcSize);
        // Header, data and the checksum after them check to 0.
        m_outcome.checksumMismatch = m_outcome.checksumMismatch || m_input.Crc() != 0;
        return true;
    }

    /// Decodes the message at the input, which has room bytes left in its file's data.
    bool DecodeMessage(uint64_t room) {
        const uint64_t at = m_input.Offset();
        const unsigned char* bytes = m_input.Peek(1);
        if (bytes == nullptr) {
            return Damaged(at);
        }
        const unsigned header = bytes[0];
        if ((header & 0xC0) == 0x40) {
            return DecodeDefinition(header, room);
        }
        const bool compressed = (header & 0x80) != 0;
        const Definition& definition = m_definitions[compressed ? (header >> 5) & 3 : header & 0xF];
        if (!definition.defined || definition.size + 1 > room) {
            return Damaged(at);
        }
        bytes = m_input.Peek(definition.size + 1);
        if (bytes == nullptr) {
            return Damaged(at);
        }
        DecodeData(definition, bytes + 1, compressed ? static_cast<int>(header & 0x1F) : -1);
        m_input.Skip(definition.size + 1);
        return true;
    }

    bool DecodeDefinition(unsigned header, uint64_t room) {
        const uint64_t at = m_input.Offset();
        constexpr std::size_t kFixed = 6;  // header byte, reserved, architecture, number, count
        const unsigned char* bytes = m_input.Peek(kFixed);
        std::size_t length = kFixed + 3 * std::size_t{bytes != nullptr ? bytes[5] : 0u};
        if (bytes != nullptr && (header & 0x20) != 0) {
            bytes = m_input.Peek(length + 1);
            length += bytes != nullptr ? 1 + 3 * std::size_t{bytes[length]} : 0;
        }
        if (bytes == nullptr || length > room || (bytes = m_input.Peek(length)) == nullptr) {
            return Damaged(at);
        }
        Definition& definition = m_definitions[header & 0xF];
        definition = Definition{};
        definition.defined = true;
        definition.bigEndian = bytes[2] == 1;
        const unsigned global = definition.bigEndian ? unsigned{bytes[3]} << 8 | bytes[4]
                                                     : unsigned{bytes[4]} << 8 | bytes[3];
        definition.kind = global == 20 ? Kind::Record : global == 19 ? Kind::Lap : Kind::Other;
        std::size_t offset = 0;
        const unsigned fieldCount = bytes[5];
        for (unsigned i = 0; i < fieldCount; ++i) {
            const unsigned char* field = bytes + kFixed + 3 * i;
            Place(definition, field[0], MakeSlot(offset, field[1], field[2]));
            offset += field[1];
        }
        for (std::size_t i = kFixed + 3 * fieldCount + 1; i < length; i += 3) {
            offset += bytes[i + 1];  // a developer field: skipped by its size
        }
        definition.size = offset;
        m_input.Skip(length);
        return true;
    }

    static void Place(Definition& definition, unsigned field, const Slot& slot) {
        if (field == kTimestampField) {
            definition.time = slot;
        } else if (definition.kind == Kind::Record) {
            for (int k = 0; k < kRecordSlots; ++k) {
                if (kRecordFields[k] == static_cast<int>(field)) {
                    definition.slots[k] = slot;
                }
            }
        } else if (definition.kind == Kind::Lap && field == kLapStartTimeField) {
            definition.slots[kLapStartTime] = slot;
        }
    }

    /// compressedOffset: the time offset of a compressed header, else -1.
    void DecodeData(const Definition& definition, const unsigned char* content,
                    int compressedOffset) {
        const bool big = definition.bigEndian;
        std::optional<uint32_t> time = Narrow<uint32_t>(content, definition.time, big);
        if (!time && compressedOffset >= 0 && m_lastTime) {
            const uint64_t rolled =
                uint64_t{*m_lastTime}
                + ((static_cast<unsigned>(compressedOffset) - *m_lastTime) & 0x1F);
            if (rolled < std::numeric_limits<uint32_t>::max()) {
                time = static_cast<uint32_t>(rolled);
            }
        }
        if (time) {
            m_lastTime = time;
        }
        if (definition.kind == Kind::Record) {
            const Slot* slots = definition.slots;
            FitRecord record;
            record.time = time;
            record.latitude = Narrow<int32_t>(content, slots[Latitude], big);
            record.longitude = Narrow<int32_t>(content, slots[Longitude], big);
            record.altitude = Narrow<uint32_t>(content, slots[EnhancedAltitude], big);
            if (!record.altitude) {
                record.altitude = Narrow<uint16_t>(content, slots[Altitude], big);
            }
            record.heartRate = Narrow<uint8_t>(content, slots[HeartRate], big);
            record.cadence = Narrow<uint8_t>(content, slots[Cadence], big);
            record.power = Narrow<uint16_t>(content, slots[Power], big);
            record.temperature = Narrow<int8_t>(content, slots[Temperature], big);
            m_handler.OnRecord(record);
        } else if (definition.kind == Kind::Lap) {
            if (const auto start =
                    Narrow<uint32_t>(content, definition.slots[kLapStartTime], big)) {
                m_handler.OnLap(*start);
            }
        }
    }

    /// Notes damage at offset, unless the source failed there; always false, to stop.
    bool Damaged(uint64_t offset) {
        if (!m_input.Failed()) {
            m_outcome.damagedAt = offset;
        }
        return false;
    }

    FitInput m_input;
    FitHandler& m_handler;
    Definition m_definitions[16];
    std::optional<uint32_t> m_lastTime;  // of the last message with a time
    FitOutcome m_outcome;
};

}  // namespace

FitOutcome DecodeFit(ByteSource& source, FitHandler& handler) {
    return Decoder(source, handler).Run();
}
