// Fuzz target: the GPX reader on arbitrary bytes.

#include "FormatFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return FuzzFormat(kGpxFormat, "fuzz.gpx", data, size);
}
