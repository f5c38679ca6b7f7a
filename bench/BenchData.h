#pragma once

#include <string>

#include "track/TrackSection.h"

/// Path of a generated track file of pointCount points (about 72 bytes a line) with a break
/// every breakEvery points (0: none); written on first use and kept for later runs.
std::string GeneratedTrackFile(std::size_t pointCount, std::size_t breakEvery = 0);

/// Peak resident memory in bytes that a program run with one argument reports of itself.
long PeakMemoryOf(const std::string& program, const std::string& argument);

/// The million-point track as loaded: one section.
const TrackSectionList& MillionPointSections();

/// The million-point track with a break every 100000 points, joined (sections apart) and
/// analysed, as the plot receives it.
const TrackSection& MillionPointProfile();
