#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "track/FitInput.h"

/// Writes FIT files for tests: definitions, data messages, header and checksums.
class FitWriter {
public:
    struct Field {
        int number;
        int size;
        int baseType;
    };

    /// The record fields the reader uses: position, altitude, time.
    static std::vector<Field> RecordFields() {
        return {{0, 4, 0x85}, {1, 4, 0x85}, {2, 2, 0x84}, {253, 4, 0x86}};
    }

    /// Defines a local type; developer fields count into each data message's size.
    FitWriter& Define(int local, int global, const std::vector<Field>& fields,
                      bool bigEndian = false, const std::vector<Field>& developer = {}) {
        m_data += static_cast<char>(0x40 | (developer.empty() ? 0 : 0x20) | local);
        m_data += '\0';
        m_data += static_cast<char>(bigEndian ? 1 : 0);
        m_data += bigEndian ? std::string{char(global >> 8), char(global)}
                            : std::string{char(global), char(global >> 8)};
        AppendFields(fields);
        if (!developer.empty()) {
            AppendFields(developer);
        }
        Layout& layout = m_layouts[local];
        layout = {bigEndian, fields};
        layout.fields.insert(layout.fields.end(), developer.begin(), developer.end());
        return *this;
    }

    /// A data message of the local type, one value a field (missing ones are 0); header 0x80
    /// and up is a compressed-timestamp header.
    FitWriter& Data(int local, const std::vector<uint64_t>& values, int header = -1) {
        m_data += static_cast<char>(header >= 0 ? header : local);
        const Layout& layout = m_layouts[local];
        for (std::size_t i = 0; i < layout.fields.size(); ++i) {
            const int size = layout.fields[i].size;
            const uint64_t value = i < values.size() ? values[i] : 0;
            for (int k = 0; k < size; ++k) {
                const int byte = layout.bigEndian ? size - 1 - k : k;
                m_data += static_cast<char>(byte < 8 ? value >> (8 * byte) : 0);
            }
        }
        return *this;
    }

    FitWriter& Raw(const std::string& bytes) {
        m_data += bytes;
        return *this;
    }

    /// The file: header (14 bytes, or 12), data and checksum; dataSize overrides the size.
    std::string File(bool shortHeader = false, int64_t dataSize = -1) const {
        const uint32_t size = static_cast<uint32_t>(dataSize >= 0 ? dataSize : m_data.size());
        std::string file{char(shortHeader ? 12 : 14), 0x20, 0x54, 0x08};
        for (int k = 0; k < 4; ++k) {
            file += static_cast<char>(size >> (8 * k));
        }
        file += ".FIT";
        if (!shortHeader) {
            AppendCrc(file);
        }
        file += m_data;
        AppendCrc(file);
        return file;
    }

    static void AppendCrc(std::string& bytes) {
        const uint16_t crc =
            FitCrc(0, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        bytes += {static_cast<char>(crc & 0xFF), static_cast<char>(crc >> 8)};
    }

private:
    struct Layout {
        bool bigEndian = false;
        std::vector<Field> fields;
    };

    void AppendFields(const std::vector<Field>& fields) {
        m_data += static_cast<char>(fields.size());
        for (const Field& field : fields) {
            m_data += {char(field.number), char(field.size), char(field.baseType)};
        }
    }

    std::string m_data;
    Layout m_layouts[16];
};
