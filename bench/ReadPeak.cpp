// Reads one track file and prints the peak resident memory of this process, in bytes. The
// measurement is its own process's high-water mark, so nothing of the caller counts.

#include <cstdio>
#include <cstring>

#include "track/TrackSectionList.h"

int main(int argc, char** argv) {
    TrackSectionList sections;
    if (argc != 2 || sections.LoadTrackFile(argv[1]).status != ReadStatus::Ok) {
        return 1;
    }
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
    std::printf("%ld\n", kilobytes * 1024);
    return kilobytes < 0 ? 1 : 0;
}
