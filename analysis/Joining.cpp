#include "analysis/Joining.h"

#include <algorithm>
#include <array>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "analysis/Classify.h"
#include "analysis/ElevationChoice.h"

namespace {

constexpr double kMaxJoinGap = 0.03125;  // days: 45 minutes
constexpr double kMaxJoinJump = 5000.0;  // planar metres

/// Appends source to target, taking it over instead when target is empty and the source is
/// not needed afterwards.
template <bool kTakeOver, typename T, typename Source>
void AppendOrTake(GrowArray<T>& target, Source& source) {
    if constexpr (kTakeOver) {
        if (target.IsEmpty()) {
            target = std::move(source);
            return;
        }
    }
    target.Append(source.GetData(), source.GetSize());
}

/// Pads target with fill up to size first, then appends source; a section without the array
/// (source empty) is padded up to end instead.
template <bool kTakeOver, typename T, typename Source>
void AppendAlong(GrowArray<T>& target, Source& source, std::size_t first, std::size_t end, T fill) {
    const std::size_t padTo = source.IsEmpty() ? end : first;
    const std::size_t had = target.GetSize();
    if (padTo > had) {
        target.SetSize(padTo);
        for (std::size_t i = had; i < padTo; ++i) {
            target[i] = fill;
        }
    }
    if (!source.IsEmpty()) {
        AppendOrTake<kTakeOver>(target, source);
    }
}

/// The arrays beside the points that any of the chosen sections has.
struct Present {
    std::array<bool, kChannelCount> channels{};
    bool unrecorded = false;
    bool terrain = false;
};

template <typename Sections>
Present PresentIn(Sections& sections, const std::vector<std::size_t>& rows) {
    Present present;
    for (std::size_t row : rows) {
        const TrackSection& section = sections[row];
        for (const Channel channel : kChannels) {
            present.channels[static_cast<std::size_t>(channel)] |= section.channels.Has(channel);
        }
        present.unrecorded |= !section.elevations.unrecorded.IsEmpty();
        present.terrain |= !section.elevations.terrain.IsEmpty();
    }
    return present;
}

/// Copies the points of the chosen sections in list order; each non-empty section's first
/// point starts a run and carries the section-start flag. A channel, a mark of points without
/// elevation or a terrain height that any of them has comes along, missing at the points of
/// the others. With sections that are not needed afterwards, the first one's points are taken
/// over instead of copied.
template <typename Sections>
void CopyChosen(Sections& sections, std::span<const std::size_t> chosenRows, TrackSection& track) {
    constexpr bool kTakeOver = !std::is_const_v<Sections>;
    std::vector<std::size_t> rows(chosenRows.begin(), chosenRows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    while (!rows.empty() && rows.back() >= sections.GetSize()) {
        rows.pop_back();
    }
    GrowArray<TrackPoint>& points = track.points;
    points.RemoveAll();
    track.channels.RemoveAll();
    track.elevations.RemoveAll();
    track.hasTimes = true;
    const Present present = PresentIn(sections, rows);
    for (std::size_t row : rows) {
        auto& source = sections[row];
        if (source.points.IsEmpty()) {
            continue;
        }
        track.hasTimes = track.hasTimes && sections[row].hasTimes;
        const std::size_t first = points.GetSize();
        AppendOrTake<kTakeOver>(points, source.points);
        const std::size_t end = points.GetSize();
        for (const Channel channel : kChannels) {
            if (present.channels[static_cast<std::size_t>(channel)]) {
                AppendAlong<kTakeOver>(track.channels.Of(channel), source.channels.Of(channel),
                                       first, end, kMissingSample);
            }
        }
        if (present.unrecorded) {
            AppendAlong<kTakeOver>(track.elevations.unrecorded, source.elevations.unrecorded, first,
                                   end, static_cast<unsigned char>(0));
        }
        if (present.terrain) {
            AppendAlong<kTakeOver>(track.elevations.terrain, source.elevations.terrain, first, end,
                                   std::numeric_limits<double>::quiet_NaN());
        }
        points[first].state = StateRunStart;
        points[first].flags |= FlagSectionStart;
    }
}

/// Joins a section to the one before when it starts within 45 minutes (the gap is signed:
/// a section that starts before the previous one ended passes) and within 5 km of where the
/// previous one ended; both bounds are inclusive. The analysis of the unjoined track that
/// would measure the distance for this test would also mark stretches of the unjoined
/// track, which say nothing about the joined one: the test runs within the one analysis.
bool IsNearSection(const TrackPoint& previous, const TrackPoint& start) {
    return start.time - previous.time <= kMaxJoinGap
           && start.distance - previous.distance <= kMaxJoinJump;
}

}  // namespace

void CopyChosenSections(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                        TrackSection& track) {
    CopyChosen(sections, chosenRows, track);
}

void ConnectAndAnalyze(TrackSection& track, const AnalysisSettings& settings) {
    JoinTest joinTest = nullptr;
    switch (settings.connection) {
        case ConnectAll:
            for (std::size_t i = 1; i < track.points.GetSize(); ++i) {
                track.points[i].state = StateConnected;
            }
            break;
        case ConnectAuto:
            joinTest = IsNearSection;
            break;
        default:  // ConnectNone, and no choice at all
            break;
    }
    ChooseElevations(track, settings.elevation);
    AnalyzeJoining(track, settings, joinTest);
}

void JoinSections(const TrackSectionList& sections, std::span<const std::size_t> chosenRows,
                  const AnalysisSettings& settings, TrackSection& track) {
    CopyChosen(sections, chosenRows, track);
    ConnectAndAnalyze(track, settings);
}

void JoinSections(TrackSectionList&& sections, std::span<const std::size_t> chosenRows,
                  const AnalysisSettings& settings, TrackSection& track) {
    CopyChosen(sections, chosenRows, track);
    ConnectAndAnalyze(track, settings);
}
