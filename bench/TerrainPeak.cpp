// Prints the peak resident memory of this process, in bytes, after making the million-point
// terrain track ("points"), or after also looking up its terrain heights in the plain tiles
// ("plain") or in the gzip ones ("gzip"), or the height of one point in one gzip tile
// ("gzip-one"). The measurement is its own process's high-water mark.

#include <cstdio>
#include <string>
#include <vector>

#include "OwnPeakMemory.h"
#include "TerrainBenchData.h"
#include "dem/TerrainModel.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 1;
    }
    const std::string mode = argv[1];
    const std::vector<TrackPoint> points = TerrainTrack(false);
    std::vector<double> heights(points.size());
    if (mode != "points") {
        const std::string folder = mode == "plain" ? "/terrain" : "/terrain-gz";
        TerrainModel model(PELORIN_BENCH_DATA + folder);
        std::vector<std::string> messages;
        const std::size_t count = mode == "gzip-one" ? 1 : points.size();
        model.HeightsOf(points.data(), count, heights.data(), messages);
        if (!messages.empty()) {
            return 1;
        }
    }
    const long bytes = OwnPeakMemory();
    std::printf("%ld\n", bytes);
    return bytes < 0 ? 1 : 0;
}
