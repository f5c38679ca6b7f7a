#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Statistics.h"
#include "track/TrackSection.h"
#include "ui/ListFormat.h"

/// What the window shows: the title, the sections list and the statistics list.
struct Report {
    struct Section {
        std::size_t index;
        std::string name;  // the section's own name, as read
        SectionRow cells;
    };
    std::string title;
    std::vector<Section> sections;
    TrackStatistics statistics;
    std::vector<StatisticsRow> rows;
};

/// The title and the rows of the sections list for the loaded sections.
void DescribeSections(const TrackSectionList& sections, Report& report);

std::string WriteTextReport(const Report& report);
std::string WriteJsonReport(const Report& report);
std::string WriteCsvReport(const Report& report);

/// A JSON string literal of arbitrary bytes: valid UTF-8 passes through, control characters
/// are escaped, and each byte that is not part of valid UTF-8 is read as Latin-1 (\u00XX).
std::string JsonString(std::string_view bytes);

/// A figure for JSON: 17 significant digits, or the string "nan", "inf" or "-inf".
std::string JsonNumber(double value);

/// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

/// Writes the points as CSV with the header index,state,distance,flags,longitude,latitude,
/// altitude,time; false when the file cannot be written.
bool WritePointsCsv(const std::string& path, const TrackSection& track);

/// Writes text to a file; false when it cannot be written.
bool WriteFile(const std::string& path, std::string_view text);
