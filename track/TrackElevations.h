#pragma once

#include <cmath>
#include <cstddef>
#include <limits>

#include "track/GrowArray.h"

/// What a section knows of its points' heights besides TrackPoint::altitude, one entry per
/// point in each array that is present. Each array is empty while it would say nothing, so a
/// track whose points all had an elevation, and that was never looked up in the terrain, costs
/// no memory for them.
struct TrackElevations {
    /// 1 where the point's file gave it no elevation (its altitude is the filled-in one).
    GrowArray<unsigned char> unrecorded;
    /// The terrain height under the point in metres, NaN where no tile gives one.
    GrowArray<double> terrain;
    /// On a joined track whose altitudes were chosen from the terrain: the recorded altitudes
    /// in metres, as the sections hold them.
    GrowArray<double> recorded;

    /// Whether point i's file gave it no elevation.
    bool IsUnrecorded(std::size_t i) const { return !unrecorded.IsEmpty() && unrecorded[i] != 0; }

    /// The terrain height under point i in metres; NaN where there is none.
    double TerrainAt(std::size_t i) const {
        return terrain.IsEmpty() ? std::numeric_limits<double>::quiet_NaN() : terrain[i];
    }

    /// Notes whether the point just added, the count-th of its section, had an elevation in
    /// its file; the marks take memory only from the first point without one, then room for
    /// reserved points at once.
    void NoteRecorded(std::size_t count, bool hadElevation, std::size_t reserved = 0) {
        if (!unrecorded.IsEmpty()) {
            unrecorded.Add() = hadElevation ? 0 : 1;
        } else if (!hadElevation) {
            unrecorded.Reserve(reserved);
            unrecorded.SetSize(count);  // the points before had their elevations
            unrecorded[count - 1] = 1;
        }
    }

    void RemoveAll() {
        unrecorded.RemoveAll();
        terrain.RemoveAll();
        recorded.RemoveAll();
    }
};
