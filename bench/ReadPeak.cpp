// Reads one track file and prints the peak resident memory of this process, in bytes. The
// measurement is its own process's high-water mark, so nothing of the caller counts.

#include <cstdio>

#include "OwnPeakMemory.h"
#include "track/TrackSectionList.h"

int main(int argc, char** argv) {
    TrackSectionList sections;
    if (argc != 2 || sections.LoadTrackFile(argv[1]).status != ReadStatus::Ok) {
        return 1;
    }
    const long bytes = OwnPeakMemory();
    std::printf("%ld\n", bytes);
    return bytes < 0 ? 1 : 0;
}
