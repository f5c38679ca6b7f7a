// Fuzz target: the IGC reader on arbitrary bytes.

#include "FormatFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return FuzzFormat(kIgcFormat, "fuzz.igc", data, size);
}
