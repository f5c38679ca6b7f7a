// Searches for the fastest stretch and the steepest ascent and descent. Each walks a window
// (m, l) over the track once, so the cost is linear; ties keep the stretch found first, and
// the flags of the stretch found are added to those already there.

#include "track/TrackSection.h"

namespace {

constexpr double kMinFastestDuration = 0.0002314814814814815;  // 20 seconds, in days
constexpr std::size_t kMinFastestSegments = 3;
constexpr double kMinSteepDistance = 300.0;  // planar metres

struct Stretch {
    double best = 0.0;
    std::size_t first = 0;  // m: the point the stretch starts from, not itself marked
    std::size_t last = 0;   // l
};

void Mark(TrackPoint* p, const Stretch& stretch, int32_t flag) {
    if (stretch.best > 0) {
        for (std::size_t i = stretch.first + 1; i <= stretch.last; ++i) {
            p[i].flags |= flag;
        }
    }
}

/// The steepest stretch whose points after the first are all in the given direction or
/// stopped, over more than 300 planar metres. sign is 1 for ascents, -1 for descents.
Stretch FindSteepest(const TrackPoint* p, std::size_t n, int32_t moving, int32_t continuing,
                     double sign) {
    Stretch found;
    std::size_t m = 0;
    std::size_t l = 1;
    while (l < n && m < n) {
        const int32_t state = p[l].state;
        if (state != moving && state != continuing && state != StateStopped) {
            m = l;
            ++l;
        } else if (p[l].distance - p[m].distance > kMinSteepDistance) {
            const double slope =
                sign * (p[l].altitude - p[m].altitude) / (p[l].distance - p[m].distance);
            if (slope > found.best) {
                found = {slope, m, l};
            }
            ++m;
        } else {
            ++l;
        }
    }
    return found;
}

}  // namespace

double TrackSection::FindFastest() {
    TrackPoint* p = points.GetData();
    const std::size_t n = points.GetSize();
    Stretch found;
    std::size_t m = 0;
    std::size_t l = 1;
    while (l < n && m < n) {
        // A stretch never runs across a run start, nor a section start, even a joined one.
        if (p[l].state == StateRunStart || p[l].flags == FlagSectionStart) {
            m = l;
            ++l;
        } else if (p[l].time - p[m].time > kMinFastestDuration && l >= m + kMinFastestSegments) {
            const double speed = (p[l].distance - p[m].distance) / (p[l].time - p[m].time);
            if (speed > found.best) {
                found = {speed, m, l};
            }
            ++m;
        } else {
            ++l;
        }
    }
    Mark(p, found, FlagFastest);
    return found.best;  // metres per day
}

double TrackSection::FindSteepestAscent() {
    const Stretch found =
        FindSteepest(points.GetData(), points.GetSize(), StateRising, StateInAscent, 1.0);
    Mark(points.GetData(), found, FlagSteepestAscent);
    return found.best;
}

double TrackSection::FindSteepestDescent() {
    const Stretch found =
        FindSteepest(points.GetData(), points.GetSize(), StateFalling, StateInDescent, -1.0);
    Mark(points.GetData(), found, FlagSteepestDescent);
    return found.best;
}
