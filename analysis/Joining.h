#pragma once

#include <cstddef>
#include <span>

#include "track/TrackSection.h"

/// How the chosen sections are put together (the index of the connection choice).
inline constexpr int ConnectNone = 0;        // every section is a run of its own
inline constexpr int ConnectAuto = 1;        // join where time gap and jump are small
inline constexpr int ConnectAll = 2;         // one continuous track
inline constexpr int ConnectDontSelect = 3;  // ends the program: exit status 42

inline constexpr double kKmhToMetresPerSecond = 0.2777777777777778;
inline constexpr int kDontSelectExitStatus = 42;

enum class JoinResult {
    Joined,      // the track holds the joined and analysed points
    DontSelect,  // ConnectDontSelect was in force: the caller ends the program
};

/// Builds the joined track from the chosen rows of the loaded sections: copies their points in
/// row order (whatever the order of the rows given; a row given twice counts once), marks the
/// run starts, applies the connection mode and analyses the result.
/// Thresholds as the window holds them: metres and km/h. Rows beyond the list are ignored.
JoinResult JoinSections(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                        int connectionMode, double verticalThreshold, double speedThresholdKmh,
                        TrackSection& track);

/// The same for a caller that has no further use for the sections: points may be taken over
/// instead of copied, leaving the sections valid but without them.
JoinResult JoinSections(TrackSectionList&& sections, std::span<const std::size_t> chosenRows,
                        int connectionMode, double verticalThreshold, double speedThresholdKmh,
                        TrackSection& track);
