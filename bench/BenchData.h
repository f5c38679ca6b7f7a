#pragma once

#include <chrono>
#include <ctime>
#include <string>

#include "track/TrackSectionList.h"

/// Path of a generated track file of pointCount points (about 72 bytes a line) with a break
/// every breakEvery points (0: none); written on first use and kept for later runs.
std::string GeneratedTrackFile(std::size_t pointCount, std::size_t breakEvery = 0);

/// Path of a generated GPX file of pointCount points in one <trkseg>, each with <ele> and
/// <time> (about 100 bytes a point); written on first use and kept for later runs.
/// A GPX file of a walk, one point a second; with channels, every point also carries heart
/// rate, cadence, temperature and power in the extensions devices write.
std::string GeneratedGpxFile(std::size_t pointCount, bool channels = false);

/// Path of a generated FIT activity of recordCount records (position, altitude, time, heart
/// rate and cadence, 17 bytes each) with a lap every 1000; written on first use and kept.
std::string GeneratedFitFile(std::size_t recordCount);

/// Peak resident memory in bytes that a program run with one argument reports of itself.
long PeakMemoryOf(const std::string& program, const std::string& argument);

/// The million-point track as loaded: one section.
const TrackSectionList& MillionPointSections();

/// The million-point track with a break every 100000 points, joined (sections apart) and
/// analysed, as the plot receives it.
const TrackSection& MillionPointProfile();

/// Path of a million-point recording with GPS jitter, stops and breaks, written by the
/// realistic generator on first use.
std::string RealisticTrackFile();

/// That recording as the window shows it after a Load: every section chosen, joined where
/// close, analysed.
const TrackSection& RealisticProfile();

/// The smooth (0) or the realistic (1) profile, as a benchmark argument picks it.
const TrackSection& ProfileOf(long long which);

/// Wall and processor milliseconds since an earlier reading.
struct Clocks {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = CpuMilliseconds();

    static double CpuMilliseconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    }
    double WallSince(const Clocks& start) const {
        return std::chrono::duration<double, std::milli>(wall - start.wall).count();
    }
};
