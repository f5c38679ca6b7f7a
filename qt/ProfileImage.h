#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

#include <QImage>
#include <QSize>

#include "plot/PlanProjection.h"
#include "plot/ProfilePicture.h"
#include "qt/SteppedImage.h"
#include "track/TrackPoint.h"

// The pictures of a track drawn with QPainter, at once or in steps.

/// The profile drawn into an image of the given size on the dialog background, the item
/// rectangle being the whole image. Needs no application object.
QImage RenderProfileImage(const TrackPoint* points, std::size_t count, bool overDistance,
                          QSize size);

/// The profile with its axes as the parts lay them out, to be drawn in steps.
std::unique_ptr<SteppedImage> ProfilePictureImage(const ProfilePictureParts& parts,
                                                  const TrackPoint* points, std::size_t count,
                                                  bool overDistance, QSize size);

/// The plan view: the track from above, and the range's points over it in a wide translucent
/// pen, to be drawn in steps.
std::unique_ptr<SteppedImage> PlanImage(const TrackPoint* points, std::size_t count,
                                        const PlanProjection& projection,
                                        std::optional<std::pair<std::size_t, std::size_t>> range,
                                        QSize size);

/// The profile's picture drawn at once.
QImage DrawProfilePicture(const ProfilePictureParts& parts, const TrackPoint* points,
                          std::size_t count, bool overDistance, QSize size);
