#include "cli/EachRun.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analysis/ChannelStatistics.h"
#include "analysis/Joining.h"
#include "analysis/Statistics.h"
#include "analysis/StatisticsTotal.h"
#include "cli/EachFiles.h"
#include "cli/TerrainRun.h"
#include "dem/TerrainHeights.h"
#include "report/BatchReport.h"
#include "report/FileText.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kProgressStep(200);
constexpr std::chrono::seconds kProgressDelay(1);
constexpr std::size_t kFilesInFlightPerJob = 2;

/// A file analysed and its row written, waiting for its turn.
struct Done {
    BatchResult result;
    std::string row;
};

/// Hands the files to the workers in order and the finished rows back in order. A worker
/// takes a file only while fewer than `window` files are taken and not yet written, which
/// bounds the memory whatever the scheduling.
class Schedule {
public:
    Schedule(std::size_t count, std::size_t window) : m_slots(count), m_window(window) {}

    /// The next file for a worker; nothing when every file is taken.
    std::optional<std::size_t> NextFile() {
        std::unique_lock lock(m_mutex);
        m_room.wait(lock,
                    [&] { return m_next >= m_slots.size() || m_next < m_written + m_window; });
        if (m_next >= m_slots.size()) {
            return std::nullopt;
        }
        return m_next++;
    }

    void Finish(std::size_t file, Done done) {
        {
            const std::lock_guard lock(m_mutex);
            m_slots[file] = std::move(done);
        }
        m_ready.notify_all();
    }

    /// The row of a file once it is done; nothing when it is not done within the patience.
    std::optional<Done> Take(std::size_t file, Clock::duration patience) {
        std::unique_lock lock(m_mutex);
        if (!m_ready.wait_for(lock, patience, [&] { return m_slots[file].has_value(); })) {
            return std::nullopt;
        }
        std::optional<Done> done = std::exchange(m_slots[file], std::nullopt);
        ++m_written;
        lock.unlock();
        m_room.notify_all();
        return done;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_room;   // a file may be taken
    std::condition_variable m_ready;  // a row is done
    std::vector<std::optional<Done>> m_slots;
    std::size_t m_window;
    std::size_t m_next = 0;
    std::size_t m_written = 0;
};

/// The line of files done, points per second and time left, from a second on.
class Progress {
public:
    Progress(const CliHooks& hooks, std::size_t files) : m_hooks(hooks), m_files(files) {}

    void Count(std::size_t points) {
        ++m_done;
        m_points += points;
    }

    void Show() {
        const Clock::time_point now = Clock::now();
        if (!m_hooks.progress || now - m_start < kProgressDelay || now - m_shown < kProgressStep) {
            return;
        }
        m_shown = now;
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        const double rate = static_cast<double>(m_points) / seconds;
        std::string stage = std::to_string(m_done) + " of " + std::to_string(m_files) + " files, "
                            + std::to_string(static_cast<long long>(rate)) + " points/s";
        if (m_done > 0) {
            const auto left = static_cast<long long>(seconds * static_cast<double>(m_files - m_done)
                                                     / static_cast<double>(m_done));
            char clock[32];
            std::snprintf(clock, sizeof clock, "%lld:%02lld", left / 60, left % 60);
            stage += std::string(", ") + clock + " left";
        }
        m_hooks.progress(stage);
    }

private:
    const CliHooks& m_hooks;
    std::size_t m_files;
    std::size_t m_done = 0;
    std::size_t m_points = 0;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_shown{};
};

Done Failed(const std::string& path, const std::string& error) {
    Done done;
    done.result.file = path;
    done.result.error = error;
    done.result.messages = {"pelorin-cli: " + error};
    return done;
}

/// Reads, joins and analyses one file as the tool does with that file alone. A reader may also
/// warn of a file it reads well (points without position, no elevations): only a failure makes
/// the row's error, and the failure is told last.
BatchResult AnalyseFile(const std::string& file, const CliOptions& options, TerrainModel* terrain) {
    BatchResult result;
    result.file = file;
    bool ok = false;
    try {
        TrackSectionList sections;
        ReadResult read = sections.LoadTrackFile(file);
        result.messages = std::move(read.messages);
        if (terrain != nullptr) {
            AddFileTerrain(*terrain, sections, 0, file, options.analysis.elevation,
                           result.messages);
        }
        result.sections = sections.GetSize();
        std::vector<std::size_t> rows;
        if (read.status == ReadStatus::OpenFailed) {
            ok = false;
        } else if (const std::optional<std::string> mistake =
                       ChooseRows(options, sections.GetSize(), rows)) {
            result.messages.push_back(*mistake);
        } else {
            result.terrain = TerrainFiguresBefore(terrain, sections, rows, options.analysis);
            TrackSection track;
            JoinSections(std::move(sections), rows, options.analysis, track);
            result.points = track.points.GetSize();
            result.hasTimes = track.hasTimes;
            result.statistics = ComputeStatistics(track, result.channels);
            if (terrain != nullptr && options.analysis.elevation == ElevationSource::Terrain) {
                result.terrain = TerrainFiguresOf(track, result.statistics);
            }
            result.analysed = true;
            ok = read.status == ReadStatus::Ok;
        }
    } catch (const std::bad_alloc&) {
        result.messages.push_back("pelorin-cli: out of memory while analysing " + file);
        result.analysed = false;
    }
    if (!ok) {
        result.error = result.messages.empty() ? "cannot be read" : result.messages.back();
    }
    return result;
}

/// Whether rows are written as their files are done: JSON Lines have no heading, while the
/// heading of text and CSV lists the channels of all files, known once every file is read.
bool RowsStream(const BatchLayout& layout) {
    return layout.format == ReportFormat::Json;
}

Done Process(const EachFile& file, const CliOptions& options, const BatchLayout& layout,
             TerrainModel* terrain) {
    Done done;
    try {
        done = file.error.empty() ? Done{AnalyseFile(file.path, options, terrain), {}}
                                  : Failed(file.path, file.error);
    } catch (const std::bad_alloc&) {
        // Memory may be back for the small row once the file's points are gone.
        done = Failed(file.path, "out of memory while analysing " + file.path);
    }
    if (RowsStream(layout)) {
        done.row = WriteBatchRow(done.result, layout);
    }
    return done;
}

BatchLayout LayoutFor(const CliOptions& options, const std::vector<EachFile>& files) {
    BatchLayout layout{options.format, DisplayWidth(options.total ? "TOTAL" : "file"),
                       options.display, {}};
    for (const EachFile& file : files) {
        layout.fileWidth = std::max(layout.fileWidth, DisplayWidth(file.path));
    }
    return layout;
}

/// One lock for each distinct path. Windows opens a file for one reader at a time, so a file
/// named twice in a batch must not be read by two workers at once.
class FileLocks {
public:
    explicit FileLocks(const std::vector<EachFile>& files) {
        std::map<std::string, std::mutex*> byPath;
        for (const EachFile& file : files) {
            std::mutex*& lock = byPath[file.path];
            if (lock == nullptr) {
                lock = &m_mutexes.emplace_back();
            }
            m_locks.push_back(lock);
        }
    }
    std::mutex& Of(std::size_t file) { return *m_locks[file]; }

private:
    std::deque<std::mutex> m_mutexes;
    std::vector<std::mutex*> m_locks;
};

/// Adds a file's terrain figures to those of the total row.
void AddTerrain(const BatchResult& result, StatisticsTotal& total, BatchResult& totalRow) {
    if (result.terrain && totalRow.terrain) {
        total.Add(result.terrain->statistics, result.points);
        totalRow.terrain->withoutHeight += result.terrain->withoutHeight;
    }
}

std::size_t JobCount(const CliOptions& options, std::size_t files) {
    const std::size_t jobs = options.jobs > 0 ? static_cast<std::size_t>(options.jobs)
                                              : std::max(1u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(1, std::min(jobs, files));
}

}  // namespace

int RunEach(const CliOptions& options, const CliHooks& hooks, const EachSink& out,
            const EachSink& err) {
    const std::vector<EachFile> files = CollectTrackFiles(options.files);
    BatchLayout layout = LayoutFor(options, files);
    // One terrain model for all workers, so that each tile is opened once; what it tells about
    // the folder comes first.
    std::optional<TerrainModel> terrain;
    if (!options.dem.empty()) {
        std::vector<std::string> notices;
        terrain.emplace(options.dem).HeightsOf(nullptr, 0, nullptr, notices);
        for (const std::string& notice : notices) {
            err(notice + "\n");
        }
    }
    TerrainModel* model = terrain ? &*terrain : nullptr;
    const std::size_t jobs = JobCount(options, files.size());
    Schedule schedule(files.size(), jobs * kFilesInFlightPerJob);
    FileLocks locks(files);
    std::vector<std::jthread> workers;
    for (std::size_t j = 0; j < jobs; ++j) {
        workers.emplace_back([&] {
            while (const std::optional<std::size_t> file = schedule.NextFile()) {
                std::unique_lock lock(locks.Of(*file));
                Done done = Process(files[*file], options, layout, model);
                lock.unlock();
                schedule.Finish(*file, std::move(done));
            }
        });
    }
    Progress progress(hooks, files.size());
    StatisticsTotal total;
    StatisticsTotal terrainTotal;
    BatchResult totalRow;
    totalRow.file = "TOTAL";
    totalRow.analysed = true;
    if (model != nullptr) {
        totalRow.terrain.emplace();
    }
    bool failed = false;
    std::vector<BatchResult> heldBack;  // rows that wait for the heading
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::optional<Done> done;
        while (!(done = schedule.Take(i, kProgressStep))) {
            progress.Show();
        }
        const BatchResult& result = done->result;
        for (const std::string& message : result.messages) {
            err(message + "\n");
        }
        failed = failed || !result.error.empty();
        if (result.error.empty()) {
            totalRow.sections += result.sections;
            totalRow.points += result.points;
            totalRow.hasTimes = totalRow.hasTimes && result.hasTimes;
            total.Add(result.statistics, result.points, result.channels);
            AddTerrain(result, terrainTotal, totalRow);
        }
        progress.Count(result.points);
        progress.Show();
        if (RowsStream(layout)) {
            out(done->row);
        } else {
            heldBack.push_back(std::move(done->result));
        }
    }
    for (const BatchResult& result : heldBack) {
        for (std::size_t c = 0; c < kChannelCount; ++c) {
            layout.channels[c] = layout.channels[c] || result.channels.figures[c].present;
        }
    }
    out(WriteBatchHeader(layout));
    for (const BatchResult& result : heldBack) {
        out(WriteBatchRow(result, layout));
    }
    if (options.total) {
        totalRow.statistics = total.Result();
        totalRow.channels = total.ChannelResult();
        if (totalRow.terrain) {
            totalRow.terrain->statistics = terrainTotal.Result();
        }
        out(WriteBatchRow(totalRow, layout));
    }
    return failed ? kExitFileError : kExitOk;
}
