#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "track/ByteSource.h"

/// Splits bytes into lines as a text-mode read does: a line ends at LF, a CR directly before
/// the LF belongs to the line end, and Ctrl-Z (code 26) ends the text. Lines may be of any
/// length; a last line without LF is still a line.
class LineReader {
public:
    enum class Result { Line, End, Error };

    explicit LineReader(ByteSource& source, std::size_t bufferSize = 256 << 10);

    /// The next line; the view stays valid until the next call.
    Result ReadLine(std::string_view& line);

private:
    bool Fill();  // false at the end or after an error

    ByteSource& m_source;
    std::unique_ptr<char[]> m_buffer;  // filled before it is read
    std::size_t m_bufferSize;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::string m_long;  // a line that spans buffer refills
    bool m_ended = false;
    bool m_failed = false;
};
