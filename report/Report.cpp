#include "report/Report.h"

#include <algorithm>
#include <iterator>

#include "report/FileText.h"
#include "report/TextBytes.h"

namespace {

/// Writes rows of cells as a table: columns two blanks apart, no blanks at line ends.
void AppendTable(std::string& out, const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) {
                line.append(widths[c] - DisplayWidth(row[c]) + 2, ' ');
            }
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += '\n';
    }
}

/// The rows of the terrain's figures: Total Ascent, Total Descent, Min and Max Elevation.
constexpr std::size_t kTerrainRows[] = {12, 13, 10, 11};

void AppendJsonField(std::string& out, const char* key, const std::string& jsonValue,
                     bool last = false) {
    out += '"';
    out += key;
    out += "\": ";
    out += jsonValue;
    out += last ? "" : ", ";
}

}  // namespace

void DescribeSections(const TrackSectionList& sections, Report& report,
                      const DisplayOptions& options) {
    report.title = FormatTitle(sections, options);
    const double firstDay = FirstDay(sections, options);
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(sections);
    report.sections.clear();
    report.sections.reserve(sections.GetSize());
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        std::vector<const char*> channels;
        for (const Channel channel : kChannels) {
            if (sections[i].channels.Has(channel)) {
                channels.push_back(ChannelName(channel));
            }
        }
        report.sections.push_back({i, sections[i].name,
                                   FormatSectionRow(sections, i, firstDay, owners[i], options),
                                   std::move(channels)});
    }
}

std::string WriteTextReport(const Report& report) {
    std::string out = ShownAsUtf8(report.title) + "\n\nSections:\n";
    std::vector<std::vector<std::string>> table;
    table.push_back({});
    for (const ColumnInfo& column : kSectionColumns) {
        table.back().push_back(column.heading);
    }
    for (const Report::Section& section : report.sections) {
        const SectionRow& cells = section.cells;
        table.push_back(
            {cells.begin, cells.end, cells.points, cells.distance, ShownAsUtf8(cells.name)});
    }
    AppendTable(out, table);
    out += "\nStatistics:\n";
    table.clear();
    table.push_back({});
    for (const ColumnInfo& column : kStatisticsColumns) {
        table.back().push_back(column.heading);
    }
    for (const StatisticsRow& row : report.rows) {
        table.push_back({row.label, row.value, row.unit});
    }
    AppendTable(out, table);
    return out;
}

std::string WriteJsonReport(const Report& report) {
    std::string out = "{\"title\": " + JsonString(report.title) + ",\n\"sections\": [";
    for (std::size_t i = 0; i < report.sections.size(); ++i) {
        const Report::Section& section = report.sections[i];
        out += i == 0 ? "\n  {" : ",\n  {";
        AppendJsonField(out, "index", std::to_string(section.index));
        AppendJsonField(out, "name", JsonString(section.name));
        AppendJsonField(out, "display_name", JsonString(section.cells.name));
        AppendJsonField(out, "begin", JsonString(section.cells.begin));
        AppendJsonField(out, "end", JsonString(section.cells.end));
        AppendJsonField(out, "points", JsonString(section.cells.points));
        AppendJsonField(out, "distance", JsonString(section.cells.distance),
                        section.channels.empty());
        if (!section.channels.empty()) {
            std::string names = "[";
            for (const char* name : section.channels) {
                names += (names.size() > 1 ? ", " : "") + JsonString(name);
            }
            AppendJsonField(out, "channels", names + "]", true);
        }
        out += '}';
    }
    out += "],\n\"statistics\": [";
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        out += i == 0 ? "\n  " : ",\n  ";
        out += JsonStatistic(report.rows[i]);
    }
    out += ']';
    if (report.terrain) {
        out += ",\n\"terrain\": " + JsonTerrain(*report.terrain, false);
    }
    out += "}\n";
    return out;
}

std::string JsonStatistic(const StatisticsRow& row) {
    std::string out = "{";
    AppendJsonField(out, "label", JsonString(row.label));
    AppendJsonField(out, "value", JsonNumber(row.figure));
    AppendJsonField(out, "text", JsonString(row.value));
    AppendJsonField(out, "unit", JsonString(row.unit), true);
    return out + '}';
}

std::string JsonTerrain(const TerrainFigures& terrain, bool oneLine) {
    const std::vector<StatisticsRow> rows = FormatStatisticsRows(terrain.statistics);
    std::string out = "{";
    AppendJsonField(out, "points_without_height", std::to_string(terrain.withoutHeight));
    out += "\"statistics\": [";
    const char* first = oneLine ? "" : "\n  ";
    const char* next = oneLine ? ", " : ",\n  ";
    for (std::size_t i = 0; i < std::size(kTerrainRows); ++i) {
        out += i == 0 ? first : next;
        out += JsonStatistic(rows[kTerrainRows[i]]);
    }
    return out + "]}";
}

std::string WriteReport(const Report& report, ReportFormat format) {
    switch (format) {
        case ReportFormat::Json:
            return WriteJsonReport(report);
        case ReportFormat::Csv:
            return WriteCsvReport(report);
        case ReportFormat::Text:
            break;
    }
    return WriteTextReport(report);
}

std::string WriteCsvReport(const Report& report) {
    std::string out = "Property,Value,Units\n";
    for (const StatisticsRow& row : report.rows) {
        out += CsvField(row.label) + ',' + CsvField(row.value) + ',' + CsvField(row.unit) + '\n';
    }
    return out;
}
