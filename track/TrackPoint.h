#pragma once

#include <cstdint>
#include <type_traits>

/// State of a point: how the track moves on the segment that ends at it.
/// Kept as a plain int so that any value read back (or drawn) stays representable.
inline constexpr int32_t StateConnected = 0;  // continues from the previous point (before analysis)
inline constexpr int32_t StateRunStart = 1;  // first point of a run: the segment before it is a gap
inline constexpr int32_t StateStopped = 2;   // slower than the speed threshold
inline constexpr int32_t StateLevel = 3;     // moving, neither ascent nor descent
inline constexpr int32_t StateInAscent = 4;  // moving, counted to an ascent
inline constexpr int32_t StateInDescent = 5;  // moving, counted to a descent
inline constexpr int32_t StateRising = 6;     // moving and climbing past the vertical threshold
inline constexpr int32_t StateFalling = 7;    // moving and descending past the vertical threshold

/// Stretch markers and the section-start marker, combined bitwise in TrackPoint::flags.
inline constexpr int32_t FlagSteepestAscent = 1;
inline constexpr int32_t FlagSteepestDescent = 2;
inline constexpr int32_t FlagFastest = 4;
inline constexpr int32_t FlagSectionStart = 8;

/// One recorded fix. The reader fills the last four fields; state, distance and flags
/// are derived on the joined track only.
struct TrackPoint {
    int32_t state = 0;
    double distance = 0.0;  // cumulative planar metres along the joined track
    int32_t flags = 0;
    double longitude = 0.0;  // degrees, east positive
    double latitude = 0.0;   // degrees, north positive
    double altitude = 0.0;   // metres
    double time = 0.0;       // days since 1899-12-30 00:00
};

// Points are moved and copied as raw memory.
static_assert(std::is_trivially_copyable_v<TrackPoint>);
static_assert(sizeof(TrackPoint) == 56);
