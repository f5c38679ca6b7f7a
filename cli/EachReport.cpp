#include "cli/EachReport.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/Joining.h"
#include "cli/CliRun.h"
#include "track/Platform.h"
#include "ui/ListFormat.h"
#include "ui/Report.h"

namespace {

/// The figures of the text table: Distance 3D, Total Time, Moving Time, Total Ascent,
/// Total Descent, Max Elevation, Maximum Speed.
constexpr std::size_t kTextFigures[] = {6, 2, 3, 12, 13, 11, 9};
constexpr std::size_t kMinValueWidth = 12;

/// Sends the warnings of the calling thread to the result while it lives. A reader may also
/// warn of a file it reads well (points without position, no elevations): only a failure makes
/// the row's error, and the failure is told last.
class ThreadWarnings {
public:
    explicit ThreadWarnings(EachResult& result)
        : m_previous(SetThreadWarningHandler([this, &result](const std::string& text) {
              result.messages += text + "\n";
              m_last = text;
          })) {}
    ~ThreadWarnings() { SetThreadWarningHandler(std::move(m_previous)); }
    ThreadWarnings(const ThreadWarnings&) = delete;
    ThreadWarnings& operator=(const ThreadWarnings&) = delete;

    const std::string& Last() const { return m_last; }

private:
    WarningHandler m_previous;
    std::string m_last;
};

/// Reads and analyses the file; false when the file failed, though what it held may be analysed.
bool Analyse(const CliOptions& options, EachResult& result) {
    TrackSectionList sections;
    const ReadStatus status = sections.LoadTrackFile(result.file);
    result.sections = sections.GetSize();
    std::vector<std::size_t> rows;
    if (status == ReadStatus::OpenFailed) {
        return false;
    }
    if (const std::optional<std::string> mistake = ChooseRows(options, sections.GetSize(), rows)) {
        ShowWarning(*mistake);
        return false;
    }
    TrackSection track;
    JoinSections(std::move(sections), rows, options.connectionMode, options.verticalThreshold,
                 options.speedThreshold, track);
    result.points = track.points.GetSize();
    result.statistics = ComputeStatistics(track);
    result.analysed = true;
    return status == ReadStatus::Ok;
}

std::string CsvNumber(double value) {
    return std::isnan(value)   ? std::string()
           : std::isinf(value) ? std::string(value > 0 ? "inf" : "-inf")
                               : JsonNumber(value);
}

std::string TextHeading(std::size_t row) {
    const StatisticsRowInfo& info = kStatisticsRows[row];
    return *info.unit == '\0' ? std::string(info.label)
                              : std::string(info.label) + " (" + info.unit + ")";
}

void AppendCell(std::string& line, const std::string& text, std::size_t width, bool right) {
    const std::size_t pad = width > DisplayColumns(text) ? width - DisplayColumns(text) : 0;
    line.append(right ? pad : 0, ' ');
    line += text;
    line.append(right ? 0 : pad, ' ');
}

std::string EndLine(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

std::string WriteTextRow(const EachResult& result, const EachLayout& layout) {
    std::string line;
    AppendCell(line, result.file, layout.fileWidth, false);
    const std::vector<StatisticsRow> rows =
        result.analysed ? FormatStatisticsRows(result.statistics) : std::vector<StatisticsRow>();
    for (std::size_t figure : kTextFigures) {
        line += "  ";
        const std::size_t width = std::max(kMinValueWidth, TextHeading(figure).size());
        AppendCell(line,
                   result.analysed ? rows[figure].value : std::string(),
                   width, true);
    }
    if (!result.error.empty()) {
        line += "  " + result.error;
    }
    return EndLine(line);
}

std::string WriteJsonRow(const EachResult& result) {
    std::string out = "{\"file\": " + JsonString(result.file)
                      + ", \"sections\": " + std::to_string(result.sections)
                      + ", \"points\": " + std::to_string(result.points) + ", \"statistics\": [";
    if (result.analysed) {
        const std::vector<StatisticsRow> rows = FormatStatisticsRows(result.statistics);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out += i == 0 ? "{" : ", {";
            out += "\"label\": " + JsonString(rows[i].label)
                   + ", \"value\": " + JsonNumber(result.statistics.Get(i)) + ", \"text\": "
                   + JsonString(rows[i].value) + ", \"unit\": " + JsonString(rows[i].unit) + "}";
        }
    }
    out += "]";
    if (!result.error.empty()) {
        out += ", \"error\": " + JsonString(result.error);
    }
    return out + "}\n";
}

std::string WriteCsvRow(const EachResult& result) {
    std::string out = CsvField(result.file) + ',' + std::to_string(result.sections) + ','
                      + std::to_string(result.points);
    for (std::size_t i = 0; i < kStatisticsRowCount; ++i) {
        out += ',';
        out += result.analysed ? CsvNumber(result.statistics.Get(i)) : std::string();
    }
    return out + ',' + CsvField(result.error) + '\n';
}

}  // namespace

EachResult AnalyseFile(const std::string& file, const CliOptions& options) {
    EachResult result;
    result.file = file;
    const ThreadWarnings warnings(result);
    bool ok = false;
    try {
        ok = Analyse(options, result);
    } catch (const std::bad_alloc&) {
        ShowWarning("pelorin-cli: out of memory while analysing " + file);
        result.analysed = false;
    }
    if (!ok) {
        result.error = warnings.Last().empty() ? "cannot be read" : warnings.Last();
    }
    return result;
}

std::size_t DisplayColumns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string WriteEachHeader(const EachLayout& layout) {
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

std::string WriteEachRow(const EachResult& result, const EachLayout& layout) {
    switch (layout.format) {
        case ReportFormat::Json:
            return WriteJsonRow(result);
        case ReportFormat::Csv:
            return WriteCsvRow(result);
        case ReportFormat::Text:
            break;
    }
    return WriteTextRow(result, layout);
}
