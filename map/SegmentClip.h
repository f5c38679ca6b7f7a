#pragma once

#include "map/Mercator.h"

/// Cuts the segment from a to b down to its part inside the box (Liang-Barsky); false when
/// no part of it is inside.
bool ClipSegment(WorldPoint& a, WorldPoint& b, const WorldBox& box);
