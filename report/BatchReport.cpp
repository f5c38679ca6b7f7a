#include "report/BatchReport.h"

#include <algorithm>
#include <optional>

#include "report/FileText.h"
#include "report/ListFormat.h"

namespace {

/// The figures of the text table: Distance 3D, Total Time, Moving Time, Total Ascent,
/// Total Descent, Max Elevation, Maximum Speed.
constexpr std::size_t kTextFigures[] = {6, 2, 3, 12, 13, 11, 9};
constexpr std::size_t kMinValueWidth = 12;

std::string Heading(const char* label, const char* unit) {
    return *unit == '\0' ? std::string(label) : std::string(label) + " (" + unit + ")";
}

std::string TextHeading(std::size_t row, UnitSystem units) {
    return Heading(kStatisticsRows[row].label, ShownUnit(kStatisticsRows[row].unit, units));
}

std::vector<StatisticsRow> Rows(const BatchResult& result, const BatchLayout& layout) {
    return result.analysed ? FormatStatisticsRows(result.statistics, result.channels,
                                                  layout.display, result.hasTimes)
                           : std::vector<StatisticsRow>();
}

/// Calls column with each channel row that has a column in the layout.
template <typename Column>
void ForEachChannelColumn(const BatchLayout& layout, Column column) {
    for (const ChannelRowInfo& info : kChannelRows) {
        if (layout.channels[static_cast<std::size_t>(info.channel)]) {
            column(info);
        }
    }
}

/// A channel figure of the file, or nothing when the file lacks the channel.
std::optional<double> ChannelCell(const BatchResult& result, const ChannelRowInfo& info) {
    if (!result.analysed || !result.channels.Of(info.channel).present) {
        return std::nullopt;
    }
    return ChannelRowValue(result.channels, info);
}

void AppendCell(std::string& line, const std::string& text, std::size_t width, bool right) {
    const std::size_t pad = width > DisplayWidth(text) ? width - DisplayWidth(text) : 0;
    line.append(right ? pad : 0, ' ');
    line += text;
    line.append(right ? 0 : pad, ' ');
}

std::string EndLine(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

std::string WriteTextRow(const BatchResult& result, const BatchLayout& layout) {
    std::string line;
    AppendCell(line, result.file, layout.fileWidth, false);
    const std::vector<StatisticsRow> rows = Rows(result, layout);
    for (std::size_t figure : kTextFigures) {
        line += "  ";
        const std::size_t width =
            std::max(kMinValueWidth, TextHeading(figure, layout.display.units).size());
        AppendCell(line, result.analysed ? rows[figure].value : std::string(), width, true);
    }
    ForEachChannelColumn(layout, [&](const ChannelRowInfo& info) {
        const std::optional<double> value = ChannelCell(result, info);
        line += "  ";
        AppendCell(line, value ? FormatNumber(*value) : std::string(),
                   std::max(kMinValueWidth, DisplayWidth(Heading(info.label, info.unit))), true);
    });
    if (!result.error.empty()) {
        line += "  " + result.error;
    }
    return EndLine(line);
}

std::string WriteJsonRow(const BatchResult& result, const BatchLayout& layout) {
    std::string out = "{\"file\": " + JsonString(result.file)
                      + ", \"sections\": " + std::to_string(result.sections)
                      + ", \"points\": " + std::to_string(result.points) + ", \"statistics\": [";
    if (result.analysed) {
        const std::vector<StatisticsRow> rows = Rows(result, layout);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out += i == 0 ? "" : ", ";
            out += JsonStatistic(rows[i]);
        }
    }
    out += "]";
    if (result.analysed && result.terrain) {
        out += ", \"terrain\": " + JsonTerrain(*result.terrain, true);
    }
    if (!result.error.empty()) {
        out += ", \"error\": " + JsonString(result.error);
    }
    return out + "}\n";
}

std::string WriteCsvRow(const BatchResult& result, const BatchLayout& layout) {
    std::string out = CsvField(result.file) + ',' + std::to_string(result.sections) + ','
                      + std::to_string(result.points);
    for (std::size_t i = 0; i < kStatisticsRowCount; ++i) {
        out += ',';
        out += result.analysed ? CsvNumber(result.statistics.Get(i)) : std::string();
    }
    ForEachChannelColumn(layout, [&](const ChannelRowInfo& info) {
        const std::optional<double> value = ChannelCell(result, info);
        out += ',';
        out += value ? CsvNumber(*value) : std::string();
    });
    return out + ',' + CsvField(result.error) + '\n';
}

}  // namespace

std::string WriteBatchHeader(const BatchLayout& layout) {
    if (layout.format == ReportFormat::Json) {
        return {};
    }
    if (layout.format == ReportFormat::Csv) {
        std::string out = "file,sections,points";
        for (const StatisticsRowInfo& info : kStatisticsRows) {
            out += ',' + CsvField(info.label);
        }
        ForEachChannelColumn(
            layout, [&](const ChannelRowInfo& info) { out += ',' + CsvField(info.label); });
        return out + ",error\n";
    }
    std::string line;
    AppendCell(line, "file", layout.fileWidth, false);
    for (std::size_t figure : kTextFigures) {
        line += "  ";
        const std::string heading = TextHeading(figure, layout.display.units);
        AppendCell(line, heading, std::max(kMinValueWidth, heading.size()), true);
    }
    ForEachChannelColumn(layout, [&](const ChannelRowInfo& info) {
        line += "  ";
        const std::string heading = Heading(info.label, info.unit);
        AppendCell(line, heading, std::max(kMinValueWidth, DisplayWidth(heading)), true);
    });
    return EndLine(line);
}

std::string WriteBatchRow(const BatchResult& result, const BatchLayout& layout) {
    if (layout.format == ReportFormat::Json) {
        return WriteJsonRow(result, layout);
    }
    return layout.format == ReportFormat::Csv ? WriteCsvRow(result, layout)
                                              : WriteTextRow(result, layout);
}
