#include "plot/PlotCanvas.h"

namespace {

constexpr PenStyle kPenStyles[kPlotPenCount] = {
    {210, 180, 180, 6},  // RiseChord
    {180, 210, 180, 6},  // FallChord
    {255, 255, 255, 6},  // StoppedBand
    {255, 0, 0, 6},      // SteepestAscentBand
    {0, 255, 0, 6},      // SteepestDescentBand
    {255, 255, 0, 6},    // FastestBand
    {100, 100, 255, 2},  // LevelLine
    {120, 0, 0, 2},      // AscentLine
    {0, 120, 0, 2},      // DescentLine
    {130, 130, 178, 1},  // RunMarker
    {255, 128, 0, 1},    // TerrainLine
    {90, 90, 90, 1},     // RecordedLine
};

}  // namespace

const PenStyle& GetPenStyle(PlotPen pen) {
    return kPenStyles[static_cast<std::size_t>(pen)];
}
