#pragma once

#include <cstddef>

/// Where the bytes of a track come from: a file, or memory in tests and fuzzing.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Reads up to size bytes; returns the count, 0 at the end, or -1 after an error.
    virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;
};
