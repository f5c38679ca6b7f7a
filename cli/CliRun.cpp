#include "cli/CliRun.h"

#include <optional>
#include <utility>
#include <vector>

#include "analysis/ChannelStatistics.h"
#include "analysis/Joining.h"
#include "analysis/Statistics.h"
#include "cli/TerrainRun.h"
#include "dem/TerrainHeights.h"
#include "plot/SvgCanvas.h"
#include "report/Report.h"
#include "report/ReportFile.h"

namespace {

constexpr std::size_t kLongTrack = 1000000;  // points from which progress is shown

std::size_t PointCount(const TrackSectionList& sections) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        count += sections[i].points.GetSize();
    }
    return count;
}

/// Reads the files, the first as a Load and the others appended, and looks up the terrain
/// heights of each with a terrain model; false if any failed. What the reader and the terrain
/// tell the user goes to err.
bool ReadFiles(const CliOptions& options, const CliHooks& hooks, TerrainModel* terrain,
               TrackSectionList& sections, std::string& err) {
    bool ok = true;
    const std::size_t count = options.files.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& path = options.files[i];
        if (hooks.progress && count > 1) {
            hooks.progress("reading file " + std::to_string(i + 1) + " of " + std::to_string(count)
                           + ": " + path);
        }
        const std::size_t first = i == 0 ? 0 : sections.GetSize();
        ReadResult read = i == 0 ? sections.LoadTrackFile(path) : sections.ReadTrackFile(path);
        if (terrain != nullptr) {
            AddFileTerrain(*terrain, sections, first, path, options.analysis.elevation,
                           read.messages);
        }
        for (const std::string& message : read.messages) {
            err += message + "\n";
        }
        ok = ok && read.status == ReadStatus::Ok;
    }
    return ok;
}

bool WritePlot(const CliOptions& options, const CliHooks& hooks, const TrackSection& profile,
               std::string& err) {
    const TrackPoint* points = profile.points.IsEmpty() ? nullptr : profile.points.GetData();
    const std::size_t count = profile.points.GetSize();
    bool written = false;
    if (PlotFormatOf(options.plotPath) == PlotFormat::Svg) {
        written = WriteProfileSvg(options.plotPath, points, count, options.overDistance,
                                  options.plotWidth, options.plotHeight);
    } else if (hooks.writePng) {
        written = hooks.writePng(options.plotPath, points, count, options.overDistance,
                                 options.plotWidth, options.plotHeight);
    } else {
        err += "pelorin-cli: this build cannot write PNG images: " + options.plotPath + "\n";
        return false;
    }
    if (!written) {
        err += "pelorin-cli: cannot write " + options.plotPath + "\n";
    }
    return written;
}

bool WriteMap(const CliOptions& options, const CliHooks& hooks, const TrackSection& profile,
              std::string& err) {
    if (!hooks.writeMap) {
        err += "pelorin-cli: this build cannot draw maps: " + options.mapPath + "\n";
        return false;
    }
    std::string error;
    const TrackPoint* points = profile.points.IsEmpty() ? nullptr : profile.points.GetData();
    if (!hooks.writeMap(options, points, profile.points.GetSize(), error)) {
        err += "pelorin-cli: " + error + "\n";
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> ChooseRows(const CliOptions& options, std::size_t sectionCount,
                                      std::vector<std::size_t>& rows) {
    if (!options.select) {
        for (std::size_t i = 0; i < sectionCount; ++i) {
            rows.push_back(i);
        }
        return std::nullopt;
    }
    for (std::size_t index : *options.select) {
        if (index >= sectionCount) {
            return "pelorin-cli: --select: there is no section " + std::to_string(index) + " ("
                   + std::to_string(sectionCount) + " loaded)";
        }
    }
    rows = *options.select;
    return std::nullopt;
}

int RunCli(const CliOptions& options, const CliHooks& hooks, std::string& out, std::string& err) {
    std::optional<TerrainModel> terrain;
    if (!options.dem.empty()) {
        terrain.emplace(options.dem);
    }
    TrackSectionList sections;
    TerrainModel* model = terrain ? &*terrain : nullptr;
    int status = ReadFiles(options, hooks, model, sections, err) ? kExitOk : kExitFileError;
    std::vector<std::size_t> rows;
    if (const std::optional<std::string> mistake = ChooseRows(options, sections.GetSize(), rows)) {
        err += *mistake + "\n";
        return kExitUsage;
    }
    Report report;
    DescribeSections(sections, report, options.display);
    const bool longWork = options.files.size() > 1 || PointCount(sections) > kLongTrack;
    const auto progress = [&](const std::string& stage) {
        if (hooks.progress && longWork) {
            hooks.progress(stage);
        }
    };
    progress("joining and analysing");
    report.terrain = TerrainFiguresBefore(model, sections, rows, options.analysis);
    // The sections are described: their points may go into the track without a copy.
    TrackSection track;
    JoinSections(std::move(sections), rows, options.analysis, track);
    // The plot draws its own copy, taken before the statistics add their flags again.
    TrackSection profile;
    if ((!options.plotPath.empty() || !options.mapPath.empty()) && !track.points.IsEmpty()) {
        profile.points.Append(track.points.GetData(), track.points.GetSize());
    }
    progress("computing statistics");
    ChannelStatistics channels;
    report.statistics = ComputeStatistics(track, channels);
    report.rows = FormatStatisticsRows(report.statistics, channels, options.display,
                                       track.hasTimes);
    if (model != nullptr && options.analysis.elevation == ElevationSource::Terrain) {
        report.terrain = TerrainFiguresOf(track, report.statistics);
    }
    out += WriteReport(report, options.format);
    if (!options.pointsPath.empty()) {
        progress("writing " + options.pointsPath);
        if (!WritePointsCsv(options.pointsPath, track)) {
            err += "pelorin-cli: cannot write " + options.pointsPath + "\n";
            status = kExitFileError;
        }
    }
    if (!options.plotPath.empty()) {
        progress("drawing " + options.plotPath);
        status = WritePlot(options, hooks, profile, err) ? status : kExitFileError;
    }
    if (!options.mapPath.empty()) {
        progress("drawing " + options.mapPath);
        status = WriteMap(options, hooks, profile, err) ? status : kExitFileError;
    }
    return status;
}
