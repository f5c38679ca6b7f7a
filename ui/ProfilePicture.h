#pragma once

#include <cstddef>
#include <string>

#include "track/TrackPoint.h"
#include "ui/ProfileDrawing.h"
#include "ui/ProfileView.h"

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

/// Everything a picture of the profile window shows, for one surface size.
struct ProfilePictureParts {
    ProfileLayout layout;
    ProfileMapping mapping;
    std::vector<AxisTick> horizontal;
    std::vector<AxisTick> vertical;
    std::string horizontalCaption;  // "Distance (km)" or "Time of day"
    std::string verticalCaption;    // "Elevation (m)"
};
ProfilePictureParts ProfilePictureOf(const TrackPoint* points, std::size_t count, bool overDistance,
                                     const ProfileZoom& zoom, int width, int height);

/// The profile (width by height, with its axes) and the plan view beside it (planWidth by
/// height) as one SVG document; every drawing operation is written, as in the plot's SVG.
std::string RenderProfilePictureSvg(const TrackPoint* points, std::size_t count, bool overDistance,
                                    const ProfileZoom& zoom, int width, int height, int planWidth);
