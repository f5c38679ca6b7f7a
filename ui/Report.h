#pragma once

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

/// The text format: the title, then the two lists as tables. Names read in an 8-bit code page
/// are shown in UTF-8, as the window shows them.
std::string WriteTextReport(const Report& report);
std::string WriteJsonReport(const Report& report);
std::string WriteCsvReport(const Report& report);

/// A JSON string literal of arbitrary bytes: valid UTF-8 passes through, control characters
/// are escaped, and each byte that is not part of valid UTF-8 is read as Latin-1 (\u00XX).
std::string JsonString(std::string_view bytes);

/// A figure for JSON: 17 significant digits, or the string "nan", "inf" or "-inf".
std::string JsonNumber(double value);

/// 17 significant digits, enough to give the same double back; "nan", "inf" and "-inf" as such.
std::string FormatPrecise(double value);

/// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

/// Tab-separated text for a spreadsheet: one line per row, the cells of a row a tab apart.
/// Tabs and line ends inside a cell become blanks, so every cell stays in its place.
std::string WriteTsv(const std::vector<std::vector<std::string>>& rows);
