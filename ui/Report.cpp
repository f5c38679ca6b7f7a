#include "ui/Report.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "ui/TextBytes.h"

namespace {

void AppendUnicodeEscape(std::string& out, unsigned code) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += "\\u00";
    out += kDigits[(code >> 4) & 0xF];
    out += kDigits[code & 0xF];
}

/// Columns of display width by code points, so that UTF-8 names keep the table aligned.
std::size_t DisplayWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

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

void AppendJsonField(std::string& out, const char* key, const std::string& jsonValue,
                     bool last = false) {
    out += '"';
    out += key;
    out += "\": ";
    out += jsonValue;
    out += last ? "" : ", ";
}

}  // namespace

void DescribeSections(const TrackSectionList& sections, Report& report) {
    report.title = FormatTitle(sections);
    const double firstDay = FirstDay(sections);
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(sections);
    report.sections.clear();
    report.sections.reserve(sections.GetSize());
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        report.sections.push_back(
            {i, sections[i].name, FormatSectionRow(sections, i, firstDay, owners[i])});
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
        AppendJsonField(out, "distance", JsonString(section.cells.distance), true);
        out += '}';
    }
    out += "],\n\"statistics\": [";
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        const StatisticsRow& row = report.rows[i];
        out += i == 0 ? "\n  {" : ",\n  {";
        AppendJsonField(out, "label", JsonString(row.label));
        AppendJsonField(out, "value", JsonNumber(report.statistics.Get(i)));
        AppendJsonField(out, "text", JsonString(row.value));
        AppendJsonField(out, "unit", JsonString(row.unit), true);
        out += '}';
    }
    out += "]}\n";
    return out;
}

std::string WriteCsvReport(const Report& report) {
    std::string out = "Property,Value,Units\n";
    for (const StatisticsRow& row : report.rows) {
        out += CsvField(row.label) + ',' + CsvField(row.value) + ',' + CsvField(row.unit) + '\n';
    }
    return out;
}

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    out.reserve(bytes.size() + 2);
    while (!bytes.empty()) {
        const unsigned char c = static_cast<unsigned char>(bytes[0]);
        std::size_t length = 1;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            AppendUnicodeEscape(out, c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((length = Utf8SequenceLength(bytes)) != 0) {
            out.append(bytes.substr(0, length));
        } else {
            length = 1;
            AppendUnicodeEscape(out, c);
        }
        bytes.remove_prefix(length);
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value) {
    if (std::isnan(value)) {
        return "\"nan\"";
    }
    if (std::isinf(value)) {
        return value > 0 ? "\"inf\"" : "\"-inf\"";
    }
    return FormatPrecise(value);
}

std::string FormatPrecise(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

std::string WriteTsv(const std::vector<std::vector<std::string>>& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            for (char ch : row[c]) {
                out += ch == '\t' || ch == '\n' || ch == '\r' ? ' ' : ch;
            }
            out += c + 1 < row.size() ? '\t' : '\n';
        }
    }
    return out;
}
