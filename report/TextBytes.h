#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Names in track files are bytes: UTF-8 from newer loggers, an 8-bit code page from older ones.

/// Length in bytes of the valid UTF-8 sequence at the start of text; 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text);

/// True when all of text is valid UTF-8 (no overlong forms, no surrogates, nothing above
/// U+10FFFF).
bool IsValidUtf8(std::string_view text);

/// Text as it is shown: unchanged when it is valid UTF-8, otherwise every byte read as
/// Latin-1, the code page that older track loggers write, so no byte is lost or replaced.
std::string ShownAsUtf8(std::string_view bytes);
