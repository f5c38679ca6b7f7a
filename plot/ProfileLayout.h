#pragma once

#include "plot/PlotCanvas.h"

/// Where the parts of the profile window's picture lie, in pixels of a surface of the given
/// size: the profile's item rectangle, leaving room for the axes' labels at the left and the
/// bottom.
struct ProfileLayout {
    static constexpr int kLeftMargin = 64;
    static constexpr int kBottomMargin = 40;
    static constexpr int kTopMargin = 20;
    static constexpr int kRightMargin = 12;
    static constexpr int kTickLength = 4;
    static constexpr int kFontSize = 11;
    static constexpr int kPixelsPerTick = 90;  // horizontal; 40 vertically

    PlotRect item;
    int horizontalTickCount = 1;
    int verticalTickCount = 1;
};
ProfileLayout LayOutProfile(int width, int height);
