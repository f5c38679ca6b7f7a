#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "track/TrackChannels.h"
#include "track/TrackSectionList.h"

/// Fills the sections of one file for the readers whose points may lack an elevation or a
/// time, and words their warnings. The rules, the same in every such format:
/// - A point without elevation takes the last earlier one of its section, or before the first
///   the first one; a section without any elevation reads 0 throughout. Such points are marked
///   in the section's elevations, so that terrain heights may take their place.
/// - A point without time is dropped when other points of its section have times; a section
///   without any time keeps its points with time 0.
/// - A track, route, activity or course is a group: its first section takes the group's name
///   (the file's title when it has none), further sections are continuations ("+^+").
/// - An element without points makes no section.
/// What a point element held, each value as far as it could be read.
struct PointValues {
    std::optional<double> latitude;   // degrees
    std::optional<double> longitude;  // degrees
    std::optional<double> altitude;   // metres
    std::optional<double> time;       // days since 1899-12-30
    ChannelSamples samples = kNoSamples;
};

class SectionWriter {
public:
    SectionWriter(TrackSectionList& list, std::string title);

    void BeginGroup();
    /// The group's own name, blanks trimmed; renames the group's first section when it was
    /// begun already. An empty name leaves the title.
    void SetGroupName(std::string_view name);
    /// Ends any open section and begins the next one of the group.
    void BeginSection();
    /// Makes room in the open section for count points (and their channels) to come.
    void Reserve(std::size_t count);
    void EndSection();

    /// Appends a point to the open section (none open: the point is ignored). A channel
    /// becomes present in the section with its first sample.
    void AddPoint(double latitude, double longitude, std::optional<double> altitude,
                  std::optional<double> time, const ChannelSamples& samples = kNoSamples);
    /// Counts points that were dropped for want of a readable position.
    void SkipPoint(std::size_t count = 1) { m_skipped += count; }
    /// Appends the point when it has a position, else counts it as dropped. A time that is the
    /// stand-in for a missing one counts as missing.
    void AddOrSkipPoint(const PointValues& point);

    /// Ends the open section and adds at most one warning of each kind for the file.
    void Finish(const std::string& path, std::vector<std::string>& messages);

private:
    void AddSamples(TrackChannels& channels, std::size_t count, const ChannelSamples& samples);
    /// Removes the points without time, with their samples and marks.
    static void DropUntimedPoints(TrackSection& section);

    TrackSectionList& m_list;
    std::string m_title;
    std::string m_groupName;
    std::size_t m_groupFirst = 0;  // index of the group's first section
    std::size_t m_groupSections = 0;
    bool m_open = false;
    std::size_t m_timed = 0;  // points of the open section with and without time
    std::size_t m_untimed = 0;
    bool m_haveAltitude = false;
    double m_lastAltitude = 0.0;
    std::size_t m_skipped = 0;
    std::size_t m_reserved = 0;  // points the open section has room for
    bool m_noAltitudes = false;  // some section with points had none
    bool m_noTimes = false;
};

/// A channel's sample as a file writes it: a plain decimal number within the channel's range,
/// else missing (NaN).
double ParseChannelSample(Channel channel, std::string_view text);

/// A coordinate: a plain decimal number within -limit to limit degrees, else nothing.
std::optional<double> ParseCoordinate(std::string_view text, double limit);

/// An ISO 8601 date and time (YYYY-MM-DDThh:mm:ss with optional fraction, then Z, +hh:mm,
/// -hh:mm, +hhmm, +hh or nothing for UTC) as days since 1899-12-30. Nothing when the text is
/// not such a time.
std::optional<double> ParseIsoTime(std::string_view text);

/// Whether a time read from a file is the stand-in that some writers put out for a point
/// without time: the first second of 1901-12-13T20:45:52Z, the least 32-bit count of seconds
/// since 1970, whatever fraction follows it.
bool IsMissingTimeStandIn(double days);

/// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day);

/// The day count of an instant given as seconds since 1970-01-01T00:00:00Z.
inline double DayCountOfUnixSeconds(double seconds) {
    return 25569.0 + seconds / 86400.0;
}

/// The file's name without folder and extension, which names untitled tracks.
std::string FileTitle(const std::string& path);
