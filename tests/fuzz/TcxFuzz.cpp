// Fuzz target: the TCX reader on arbitrary bytes.

#include "FormatFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return FuzzFormat(kTcxFormat, "fuzz.tcx", data, size);
}
