#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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

/// The axes with their ticks, labels and captions, as the parts lay them out on a picture of
/// the size.
void DrawProfileAxes(QPainter& painter, const ProfilePictureParts& parts, QSize size);

/// The profile with its axes as the parts lay them out, clipped to its plot area, to be drawn
/// in steps.
std::unique_ptr<SteppedImage> ProfilePictureImage(const ProfilePictureParts& parts,
                                                  const ProfileView& view, QSize size);

/// The plan view: the track from above, to be drawn in steps.
std::unique_ptr<SteppedImage> PlanImage(const TrackPoint* points, std::size_t count,
                                        const PlanProjection& projection, QSize size);

/// The path of a range's points (PlanRangePath) over the plan view in a wide translucent pen.
void DrawPlanRange(QPainter& painter, const std::vector<PlotPoint>& path);

/// The profile's picture drawn at once.
QImage DrawProfilePicture(const ProfilePictureParts& parts, const ProfileView& view, QSize size);
