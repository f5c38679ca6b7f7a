#pragma once

#include <QImage>
#include <QSize>

#include "plot/ChannelPicture.h"

/// The second plot of the profile window with its axes, drawn at once on the window's
/// background: the line clipped to its plot area, as the SVG draws it.
QImage DrawChannelPicture(const ProfilePictureParts& parts, const ProfileView& view,
                          const double* values, QSize size);
