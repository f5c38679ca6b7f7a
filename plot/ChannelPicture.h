#pragma once

#include <string>

#include "plot/PlotCanvas.h"
#include "plot/ProfilePicture.h"

class SvgCanvas;

/// The profile window's second plot: one value per point of the view (NaN where a sample is
/// missing) in the unit of its caption, under the profile, over the same axis and zoom.
struct ChannelPlot {
    const double* values = nullptr;  // one per point of the view; may be null without points
    std::string caption;             // of the vertical axis, e.g. "Heart Rate (bpm)"
    int height = 0;                  // pixels; its width is the profile's
};

/// The parts of the second plot under a profile of the parts, at its width and plot.height:
/// the profile's horizontal axis, gaps and walked points, with a vertical axis from the lowest
/// to the highest value of those points.
ProfilePictureParts ChannelPictureOf(const ProfilePictureParts& profile, const ChannelPlot& plot);

/// The line through the values of the points parts.first to parts.last (excluded); a missing
/// sample or the start of a run breaks it. The points within one pixel column make one stroke
/// from their lowest to their highest pixel: it paints what lines through each of them paint,
/// so that a long track costs a few strokes a column. On an axis in order the columns' ends
/// are found by search, and only the lowest and highest value of a column are mapped.
void DrawChannelLine(PlotCanvas& canvas, const ProfileView& view, const double* values,
                     const ProfilePictureParts& parts);

/// The second plot under a profile of the parts, with its axes and the marks, in coordinates
/// of its own (0, 0 at its top left), as the window shows it.
void AddChannelPicture(SvgCanvas& canvas, const ProfileView& view, const ProfileMarks& marks,
                       const ProfilePictureParts& profile, const ChannelPlot& plot);
