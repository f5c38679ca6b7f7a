#pragma once

#include <cstddef>
#include <string>

#include <QImage>
#include <QSize>

#include "track/TrackPoint.h"

/// The image saved as PNG at 96 dots per inch through the one writer of whole files, so a
/// failure leaves the old file as it was; false when anything failed.
bool SavePng(const std::string& path, QImage image);

/// The profile drawn into an image of the given size in pixels, saved as PNG.
bool SaveProfilePng(const std::string& path, const TrackPoint* points, std::size_t count,
                    bool overDistance, QSize size);
