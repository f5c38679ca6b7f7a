#include "analysis/Joining.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>
#include <vector>

#include "analysis/Classify.h"

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

/// Copies the points of the chosen sections in list order; each non-empty section's first
/// point starts a run and carries the section-start flag. A channel that any of them has comes
/// along, missing at the points of the others. With sections that are not needed afterwards,
/// the first one's points are taken over instead of copied.
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
    track.hasTimes = true;
    std::array<bool, kChannelCount> present{};
    for (std::size_t row : rows) {
        for (const Channel channel : kChannels) {
            present[static_cast<std::size_t>(channel)] |= sections[row].channels.Has(channel);
        }
    }
    for (std::size_t row : rows) {
        auto& source = sections[row];
        if (source.points.IsEmpty()) {
            continue;
        }
        track.hasTimes = track.hasTimes && sections[row].hasTimes;
        const std::size_t first = points.GetSize();
        AppendOrTake<kTakeOver>(points, source.points);
        for (const Channel channel : kChannels) {
            if (!present[static_cast<std::size_t>(channel)]) {
                continue;
            }
            if (source.channels.Has(channel)) {
                track.channels.Add(channel, first);  // missing where no section had it yet
                AppendOrTake<kTakeOver>(track.channels.Of(channel), source.channels.Of(channel));
            } else {
                track.channels.Add(channel, points.GetSize());
            }
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
