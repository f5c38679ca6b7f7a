#pragma once

#include <cstdio>
#include <cstring>

/// The peak resident memory of this process so far, in bytes; -1 where the system does not
/// tell. For the child processes whose memory a benchmark measures.
inline long OwnPeakMemory() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kilobytes = -1;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            std::sscanf(line + 6, "%ld", &kilobytes);
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kilobytes < 0 ? -1 : kilobytes * 1024;
}
