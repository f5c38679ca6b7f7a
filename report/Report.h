#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Statistics.h"
#include "report/ListFormat.h"
#include "track/TrackSectionList.h"

/// How a report is written: as text tables, as JSON, or the statistics as CSV.
enum class ReportFormat { Text, Json, Csv };

/// The figures of a track computed from its terrain heights (a point without one keeps its
/// recorded height), beside those of the chosen heights.
struct TerrainFigures {
    TrackStatistics statistics{};
    std::size_t withoutHeight = 0;  // points of the track without a terrain height
};

/// What the window shows: the title, the sections list and the statistics list; with a
/// terrain folder, the figures of the terrain heights.
struct Report {
    struct Section {
        std::size_t index;
        std::string name;  // the section's own name, as read
        SectionRow cells;
        std::vector<const char*> channels;  // the names of the channels it has
    };
    std::string title;
    std::vector<Section> sections;
    TrackStatistics statistics;
    std::vector<StatisticsRow> rows;
    std::optional<TerrainFigures> terrain;
};

/// The title and the rows of the sections list for the loaded sections.
void DescribeSections(const TrackSectionList& sections, Report& report,
                      const DisplayOptions& options = {});

/// The text format: the title, then the two lists as tables. Names read in an 8-bit code page
/// are shown in UTF-8, as the window shows them.
std::string WriteTextReport(const Report& report);
std::string WriteJsonReport(const Report& report);
std::string WriteCsvReport(const Report& report);
std::string WriteReport(const Report& report, ReportFormat format);

/// One figure as a JSON object: {"label", "value", "text", "unit"}.
std::string JsonStatistic(const StatisticsRow& row);

/// The terrain's figures as a JSON object: {"points_without_height", "statistics": [Total
/// Ascent, Total Descent, Min Elevation, Max Elevation]}, on one line or a figure a line.
std::string JsonTerrain(const TerrainFigures& terrain, bool oneLine);
