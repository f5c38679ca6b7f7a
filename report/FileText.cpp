#include "report/FileText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "report/TextBytes.h"

namespace {

void AppendUnicodeEscape(std::string& out, unsigned code) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += "\\u00";
    out += kDigits[(code >> 4) & 0xF];
    out += kDigits[code & 0xF];
}

}  // namespace

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    out.reserve(bytes.size() + 2);
    while (!bytes.empty()) {
        const unsigned char c = static_cast<unsigned char>(bytes[0]);
        std::size_t length = 1;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            AppendUnicodeEscape(out, c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((length = Utf8SequenceLength(bytes)) != 0) {
            out.append(bytes.substr(0, length));
        } else {
            length = 1;
            AppendUnicodeEscape(out, c);
        }
        bytes.remove_prefix(length);
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value) {
    if (std::isnan(value)) {
        return "\"nan\"";
    }
    if (std::isinf(value)) {
        return value > 0 ? "\"inf\"" : "\"-inf\"";
    }
    return FormatPrecise(value);
}

std::string FormatPrecise(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

std::string WriteTsv(const std::vector<std::vector<std::string>>& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            for (char ch : row[c]) {
                out += ch == '\t' || ch == '\n' || ch == '\r' ? ' ' : ch;
            }
            out += c + 1 < row.size() ? '\t' : '\n';
        }
    }
    return out;
}

std::string CsvNumber(double value) {
    return std::isnan(value)   ? std::string()
           : std::isinf(value) ? std::string(value > 0 ? "inf" : "-inf")
                               : JsonNumber(value);
}

std::size_t DisplayWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}
