#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ChannelStatistics.h"
#include "analysis/Statistics.h"
#include "report/DisplayOptions.h"
#include "track/TrackSectionList.h"

// Every text that the title and the two lists show, free of any window system.

inline constexpr char kNoTrackTitle[] = "Pelorin - NO TRACK LOADED - PRES LOAD BUTTON !!!";

/// Whole seconds of a duration in days, rounded half up (truncating d * 86400 + 0.5 toward
/// zero); empty when the result is not a finite value within the signed 32-bit range.
std::optional<int32_t> DaysToTimeSpan(double days);

/// Replaces %D (whole days), %H, %M and %S in format by the fields of a signed duration in
/// seconds, each field divided separately with truncation toward zero ("-5:-59:-59").
std::string FormatDuration(int32_t seconds, std::string_view format);

/// The duration rows' text, "%H:%M:%S" of DaysToTimeSpan below one day; from one day on the
/// hours count whole ("25:03:00"); kOutOfRangeTime when out of range.
std::string FormatDurationDays(double days);

/// Text shown for a time that does not fit in a signed 32-bit count of seconds.
inline constexpr char kOutOfRangeTime[] = "--:--:--";
/// Text shown for the dates and times of day of a section whose file gave it no times.
inline constexpr char kNoTime[] = "--";

/// Time of day of a point relative to the first day d0 (value in days after d0):
/// "%H:%M:%S" below one day, "(+%D) %H:%M:%S" from one day on.
std::string FormatSectionTime(double daysAfterFirstDay);

/// "%g" and "%i" as the C library prints them, whatever the locale.
std::string FormatNumber(double value);
std::string FormatInteger(long long value);

/// "%.*g" with precision 15, as the threshold edits show their values.
std::string FormatThreshold(double value);

/// Writes a date (days since 1899-12-30) as text. The window installs the user's locale format.
using DateFormatter = std::function<std::string(double days)>;
/// Installs the date formatter; an empty one restores the default. Returns the previous one.
DateFormatter SetDateFormatter(DateFormatter formatter);
/// Formats with the installed date formatter.
std::string FormatDate(double days);
/// "YYYY-MM-DD HH:MM:SS" to the nearest second, no time-zone conversion; the day 1899-12-30
/// gives the time alone and an exact midnight the date alone. Negative day counts keep their
/// time of day as the absolute fraction, as variant dates do. Out of range: "invalid date".
std::string DefaultFormatDate(double days);

/// A date as the options show it: in their time zone, with the installed date formatter.
std::string FormatShownDate(double days, const DisplayOptions& options);

/// The window title: the no-track title, or the track title of the loaded sections.
std::string FormatTitle(const TrackSectionList& sections, const DisplayOptions& options = {});

/// For each row, the index of the named section whose name it shows, or -1 when there is none
/// ("(error)"); found in one pass over the list.
std::vector<std::ptrdiff_t> FindNameOwners(const TrackSectionList& sections);

/// The name column of row i, given the owner that FindNameOwners found for it.
std::string FormatDisplayName(const TrackSectionList& sections, std::size_t row,
                              std::ptrdiff_t owner);

/// First day of the loaded sections: the whole days of the begin time of the first section with
/// times, in the options' time zone.
double FirstDay(const TrackSectionList& sections, const DisplayOptions& options = {});

/// The five cells of a row of the sections list.
struct SectionRow {
    std::string begin;     // "Begin"
    std::string end;       // "End"
    std::string points;    // "Num Points"
    std::string distance;  // "Distance", km
    std::string name;      // "Name"
};

struct ColumnInfo {
    const char* heading;
    int width;  // pixels
};
inline constexpr ColumnInfo kSectionColumns[] = {
    {"Begin", 80}, {"End", 80}, {"Num Points", 50}, {"Distance", 60}, {"Name", 150}};
inline constexpr ColumnInfo kStatisticsColumns[] = {
    {"Property", 100}, {"Value", 115}, {"Units", 40}};

/// Texts a column must show whole besides its heading: every text of a column of fixed texts
/// (in every unit system and time zone), and the widest texts that the others commonly hold,
/// dates in the installed format.
std::vector<std::string> SectionColumnTexts(std::size_t column);
std::vector<std::string> StatisticsColumnTexts(std::size_t column);

SectionRow FormatSectionRow(const TrackSectionList& sections, std::size_t row, double firstDay,
                            std::ptrdiff_t owner, const DisplayOptions& options = {});

/// The three cells of a row of the statistics list, and the figure its value shows.
struct StatisticsRow {
    std::string label;
    std::string value;
    std::string unit;
    double figure = 0.0;  // days, or the unit of the row
};

/// The 31 rows for the figures, in display order, then the rows of the channels the track has,
/// as the options show them. Without times (hasTimes false) the dates read kNoTime; the
/// durations stay as they are.
std::vector<StatisticsRow> FormatStatisticsRows(const TrackStatistics& statistics,
                                                const ChannelStatistics& channels = {},
                                                const DisplayOptions& options = {},
                                                bool hasTimes = true);
