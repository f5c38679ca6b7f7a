#pragma once

#include <cstddef>
#include <functional>

#include <QImage>
#include <QSize>
#include <QString>

#include "track/TrackPoint.h"
#include "ui/ReportFile.h"

// Files written through QSaveFile: the text goes to a temporary file beside the target, which
// replaces it only when everything was written, so a failure leaves the old file as it was.

/// Writes what the producer hands to its sink; false when anything failed.
bool SaveTextFile(const QString& path, const std::function<bool(const TextSink&)>& produce);

/// The image saved as PNG at 96 dots per inch.
bool SavePng(const QString& path, QImage image);

/// The profile drawn into an image of the given size in pixels, saved as PNG.
bool SaveProfilePng(const QString& path, const TrackPoint* points, std::size_t count,
                    bool overDistance, QSize size);
