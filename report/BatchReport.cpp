#include "report/BatchReport.h"

#include <algorithm>

#include "report/FileText.h"
#include "report/ListFormat.h"

namespace {

/// The figures of the text table: Distance 3D, Total Time, Moving Time, Total Ascent,
/// Total Descent, Max Elevation, Maximum Speed.
constexpr std::size_t kTextFigures[] = {6, 2, 3, 12, 13, 11, 9};
constexpr std::size_t kMinValueWidth = 12;

std::string TextHeading(std::size_t row) {
    const StatisticsRowInfo& info = kStatisticsRows[row];
    return *info.unit == '\0' ? std::string(info.label)
                              : std::string(info.label) + " (" + info.unit + ")";
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
    const std::vector<StatisticsRow> rows =
        result.analysed ? FormatStatisticsRows(result.statistics) : std::vector<StatisticsRow>();
    for (std::size_t figure : kTextFigures) {
        line += "  ";
        const std::size_t width = std::max(kMinValueWidth, TextHeading(figure).size());
        AppendCell(line, result.analysed ? rows[figure].value : std::string(), width, true);
    }
    if (!result.error.empty()) {
        line += "  " + result.error;
    }
    return EndLine(line);
}

std::string WriteJsonRow(const BatchResult& result) {
    std::string out = "{\"file\": " + JsonString(result.file)
                      + ", \"sections\": " + std::to_string(result.sections)
                      + ", \"points\": " + std::to_string(result.points) + ", \"statistics\": [";
    if (result.analysed) {
        const std::vector<StatisticsRow> rows = FormatStatisticsRows(result.statistics);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out += i == 0 ? "" : ", ";
            out += JsonStatistic(rows[i], result.statistics.Get(i));
        }
    }
    out += "]";
    if (!result.error.empty()) {
        out += ", \"error\": " + JsonString(result.error);
    }
    return out + "}\n";
}

std::string WriteCsvRow(const BatchResult& result) {
    std::string out = CsvField(result.file) + ',' + std::to_string(result.sections) + ','
                      + std::to_string(result.points);
    for (std::size_t i = 0; i < kStatisticsRowCount; ++i) {
        out += ',';
        out += result.analysed ? CsvNumber(result.statistics.Get(i)) : std::string();
    }
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
        return out + ",error\n";
    }
    std::string line;
    AppendCell(line, "file", layout.fileWidth, false);
    for (std::size_t figure : kTextFigures) {
        line += "  ";
        const std::string heading = TextHeading(figure);
        AppendCell(line, heading, std::max(kMinValueWidth, heading.size()), true);
    }
    return EndLine(line);
}

std::string WriteBatchRow(const BatchResult& result, const BatchLayout& layout) {
    if (layout.format == ReportFormat::Json) {
        return WriteJsonRow(result);
    }
    return layout.format == ReportFormat::Csv ? WriteCsvRow(result) : WriteTextRow(result, layout);
}
