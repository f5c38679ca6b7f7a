#pragma once

/// A segment from (x1, y1) to (x2, y2), in any unit of a plane.
struct Segment {
    double x1;
    double y1;
    double x2;
    double y2;
};

/// Cuts the segment down to its part inside the box from (left, top) to (right, bottom)
/// (Liang-Barsky); false when no part of it is inside, or a coordinate is NaN. Drawings clip
/// far-off lines so that no rasteriser's fixed-point numbers overflow.
bool ClipSegment(Segment& segment, double left, double top, double right, double bottom);
