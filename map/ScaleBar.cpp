#include "map/ScaleBar.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

std::string WholeNumber(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 0);
    return std::string(text, result.ptr);
}

}  // namespace

ScaleBar ChooseScaleBar(double metresPerPixel, double maxPixels) {
    ScaleBar bar;
    if (!(metresPerPixel > 0.0) || !std::isfinite(metresPerPixel) || !(maxPixels > 0.0)) {
        return bar;
    }
    const double room = metresPerPixel * maxPixels;  // metres that fit
    const double power = std::pow(10.0, std::floor(std::log10(room)));
    double metres = power;
    for (double step : {2.0, 5.0, 10.0}) {
        if (power * step <= room * (1.0 + 1e-12)) {
            metres = power * step;
        }
    }
    bar.metres = std::max(metres, 1.0);
    bar.pixels = bar.metres / metresPerPixel;
    bar.label = bar.metres >= 1000.0 ? WholeNumber(bar.metres / 1000.0) + " km"
                                     : WholeNumber(bar.metres) + " m";
    return bar;
}
