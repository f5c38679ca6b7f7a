#pragma once

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// A parsed JSON value: just enough to read the tool's report back.
struct JsonValue {
    enum Type { Null, Bool, Number, String, Array, Object } type = Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;  // UTF-8
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;
    std::vector<std::string> keys;  // members in document order

    const JsonValue& operator[](const std::string& key) const { return members.at(key); }
    const JsonValue& operator[](std::size_t i) const { return items.at(i); }
};

/// A strict reader: the whole text must be one value; strings must be valid UTF-8 without raw
/// control characters.
class JsonReader {
public:
    static std::optional<JsonValue> Parse(std::string_view text) {
        JsonReader reader(text);
        JsonValue value;
        if (!reader.ReadValue(value)) {
            return std::nullopt;
        }
        reader.SkipBlanks();
        return reader.m_at == text.size() ? std::optional<JsonValue>(value) : std::nullopt;
    }

private:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    void SkipBlanks() {
        while (m_at < m_text.size()
               && std::string_view(" \t\r\n").find(m_text[m_at]) != std::string_view::npos) {
            ++m_at;
        }
    }
    bool Take(char c) {
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool TakeWord(std::string_view word) {
        if (m_text.substr(m_at, word.size()) != word) {
            return false;
        }
        m_at += word.size();
        return true;
    }

    bool ReadValue(JsonValue& value) {
        SkipBlanks();
        if (m_at >= m_text.size()) {
            return false;
        }
        const char c = m_text[m_at];
        if (c == '{') {
            return ReadObject(value);
        }
        if (c == '[') {
            return ReadArray(value);
        }
        if (c == '"') {
            value.type = JsonValue::String;
            return ReadString(value.text);
        }
        if (TakeWord("true") || TakeWord("false")) {
            value.type = JsonValue::Bool;
            value.boolean = m_text.substr(m_at - 4, 4) == "true";
            return true;
        }
        if (TakeWord("null")) {
            return true;
        }
        return ReadNumber(value);
    }

    bool ReadNumber(JsonValue& value) {
        const std::size_t start = m_at;
        const std::string_view allowed = "+-.0123456789eE";
        while (m_at < m_text.size() && allowed.find(m_text[m_at]) != std::string_view::npos) {
            ++m_at;
        }
        const std::string_view number = m_text.substr(start, m_at - start);
        if (number.empty() || number[0] == '+' || number[0] == '.') {
            return false;
        }
        const auto result =
            std::from_chars(number.data(), number.data() + number.size(), value.number);
        value.type = JsonValue::Number;
        return result.ec == std::errc() && result.ptr == number.data() + number.size();
    }

    bool ReadArray(JsonValue& value) {
        value.type = JsonValue::Array;
        ++m_at;
        if (Take(']')) {
            return true;
        }
        do {
            value.items.emplace_back();
            if (!ReadValue(value.items.back())) {
                return false;
            }
        } while (Take(','));
        return Take(']');
    }

    bool ReadObject(JsonValue& value) {
        value.type = JsonValue::Object;
        ++m_at;
        if (Take('}')) {
            return true;
        }
        do {
            std::string key;
            SkipBlanks();
            if (!ReadString(key) || !Take(':') || value.members.count(key) != 0
                || !ReadValue(value.members[key])) {
                return false;
            }
            value.keys.push_back(key);
        } while (Take(','));
        return Take('}');
    }

    static void AppendUtf8(std::string& out, uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool ReadEscape(std::string& out) {
        if (m_at >= m_text.size()) {
            return false;
        }
        const char c = m_text[m_at++];
        const std::string_view simple = "\"\\/bfnrt";
        const std::string_view meaning = "\"\\/\b\f\n\r\t";
        if (simple.find(c) != std::string_view::npos) {
            out += meaning[simple.find(c)];
            return true;
        }
        uint32_t code = 0;
        if (c != 'u' || m_at + 4 > m_text.size()) {
            return false;
        }
        const auto result =
            std::from_chars(m_text.data() + m_at, m_text.data() + m_at + 4, code, 16);
        if (result.ptr != m_text.data() + m_at + 4 || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;  // the tool writes no surrogate pairs
        }
        m_at += 4;
        AppendUtf8(out, code);
        return true;
    }

    bool ReadString(std::string& out) {
        if (m_at >= m_text.size() || m_text[m_at] != '"') {
            return false;
        }
        ++m_at;
        while (m_at < m_text.size()) {
            const unsigned char c = static_cast<unsigned char>(m_text[m_at++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c == '\\') {
                if (!ReadEscape(out)) {
                    return false;
                }
                continue;
            }
            out += static_cast<char>(c);
            if (c >= 0x80 && !ReadUtf8Tail(c, out)) {
                return false;
            }
        }
        return false;
    }

    bool ReadUtf8Tail(unsigned char lead, std::string& out) {
        const int tail = lead >= 0xF0 && lead <= 0xF4 ? 3
                         : lead >= 0xE0               ? 2
                         : lead >= 0xC2               ? 1
                                                      : -1;
        if (tail < 0 || lead > 0xF4) {
            return false;
        }
        for (int k = 0; k < tail; ++k) {
            if (m_at >= m_text.size()
                || (static_cast<unsigned char>(m_text[m_at]) & 0xC0) != 0x80) {
                return false;
            }
            out += m_text[m_at++];
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};
