#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plot/ProfileAxes.h"
#include "plot/ProfileLayout.h"
#include "plot/ProfileMapping.h"
#include "plot/ProfileZoom.h"
#include "track/TrackPoint.h"

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
