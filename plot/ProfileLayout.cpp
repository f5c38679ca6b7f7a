#include "plot/ProfileLayout.h"

#include <algorithm>

ProfileLayout LayOutProfile(int width, int height) {
    ProfileLayout layout;
    layout.item = {ProfileLayout::kLeftMargin, ProfileLayout::kTopMargin,
                   std::max(ProfileLayout::kLeftMargin, width - ProfileLayout::kRightMargin),
                   std::max(ProfileLayout::kTopMargin, height - ProfileLayout::kBottomMargin)};
    layout.horizontalTickCount =
        std::max(1, (layout.item.right - layout.item.left) / ProfileLayout::kPixelsPerTick);
    layout.verticalTickCount = std::max(1, (layout.item.bottom - layout.item.top) / 40);
    return layout;
}
