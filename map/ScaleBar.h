#pragma once

#include <string>

/// A bar of a round ground length for the map's corner.
struct ScaleBar {
    double metres = 0.0;  // 1, 2 or 5 times a power of ten
    double pixels = 0.0;  // its length on the map
    std::string label;    // "500 m", "2 km"
};

/// The longest round length (1, 2 or 5 times a power of ten, from 1 m) that fits within the
/// given pixels at the given ground metres per pixel; "km" from 1000 m on.
ScaleBar ChooseScaleBar(double metresPerPixel, double maxPixels = 100.0);
