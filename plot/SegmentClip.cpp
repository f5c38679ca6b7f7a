#include "plot/SegmentClip.h"

#include <algorithm>

bool ClipSegment(Segment& segment, double left, double top, double right, double bottom) {
    const double dx = segment.x2 - segment.x1;
    const double dy = segment.y2 - segment.y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {segment.x1 - left, right - segment.x1, segment.y1 - top,
                         bottom - segment.y1};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (!(t0 <= t1)) {
        return false;
    }
    const double x = segment.x1;
    const double y = segment.y1;
    segment = {x + t0 * dx, y + t0 * dy, x + t1 * dx, y + t1 * dy};
    return true;
}
