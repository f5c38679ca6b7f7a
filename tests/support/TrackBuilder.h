#pragma once

#include <initializer_list>

#include "track/TrackSection.h"

inline constexpr double kSecond = 1.0 / 86400.0;  // days

/// Appends a point to a section and returns it for further settings.
inline TrackPoint& AddPoint(TrackSection& section, double latitude, double longitude,
                            double altitude, double time, int32_t state = StateConnected) {
    TrackPoint& p = section.points.Add();
    p.latitude = latitude;
    p.longitude = longitude;
    p.altitude = altitude;
    p.time = time;
    p.state = state;
    return p;
}

/// A straight track northwards along a meridian: point i lies i * spacing metres
/// (planar) from the first and i * seconds after it, at the given altitudes.
inline void BuildLine(TrackSection& section, std::initializer_list<double> altitudes,
                      double spacing = 120.0, double seconds = 30.0, double startTime = 40000.0) {
    int i = 0;
    for (double altitude : altitudes) {
        AddPoint(section, i * spacing / 111317.09968901669, 8.0, altitude,
                 startTime + i * seconds * kSecond);
        ++i;
    }
}

/// Sets the states of the points in order.
inline void SetStates(TrackSection& section, std::initializer_list<int32_t> states) {
    std::size_t i = 0;
    for (int32_t state : states) {
        section.points[i++].state = state;
    }
}
