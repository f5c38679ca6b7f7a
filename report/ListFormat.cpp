#include "report/ListFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr char kContinuationName[] = "+^+";
constexpr double kSecondsPerDay = 86400.0;
constexpr int32_t kSecondsPerDayInt = 86400;
constexpr char kInvalidDate[] = "invalid date";

// Day counts of 0100-01-01 and of the day after 9999-12-31: the range of variant dates.
constexpr double kFirstValidDay = -657434.0;
constexpr double kLastValidDayEnd = 2958466.0;
constexpr long long kUnixEpochDay = 25569;  // 1970-01-01 in days since 1899-12-30

std::string ToChars(double value, int precision) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

/// "%02d": at least two characters, zero-padded after any sign.
void AppendTwoDigits(std::string& out, int32_t value) {
    if (value >= 0 && value < 10) {
        out += '0';
    }
    out += FormatInteger(value);
}

void AppendPadded(std::string& out, long long value, std::size_t width) {
    const std::string digits = FormatInteger(value);
    out.append(width > digits.size() ? width - digits.size() : 0, '0');
    out += digits;
}

struct CivilDate {
    long long year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

/// Proleptic Gregorian date of a count of days since 1970-01-01.
CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::string FormatTimeOfDay(long long seconds) {
    std::string out;
    AppendPadded(out, seconds / 3600, 2);
    out += ':';
    AppendPadded(out, seconds / 60 % 60, 2);
    out += ':';
    AppendPadded(out, seconds % 60, 2);
    return out;
}

DateFormatter& InstalledDateFormatter() {
    static DateFormatter formatter;
    return formatter;
}

}  // namespace

std::optional<int32_t> DaysToTimeSpan(double days) {
    const double seconds = std::trunc(days * kSecondsPerDay + 0.5);
    // Also false for NaN, so nothing out of range ever reaches the conversion.
    if (!(seconds >= static_cast<double>(std::numeric_limits<int32_t>::min())
          && seconds <= static_cast<double>(std::numeric_limits<int32_t>::max()))) {
        return std::nullopt;
    }
    return static_cast<int32_t>(seconds);
}

std::string FormatDuration(int32_t seconds, std::string_view format) {
    std::string out;
    out.reserve(format.size() + 8);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (++i == format.size()) {
            break;  // a lone '%' at the end yields nothing
        }
        switch (format[i]) {
            case 'D':
                out += FormatInteger(seconds / kSecondsPerDayInt);
                break;
            case 'H':
                AppendTwoDigits(out, seconds / 3600 - (seconds / kSecondsPerDayInt) * 24);
                break;
            case 'M':
                AppendTwoDigits(out, seconds / 60 - (seconds / 3600) * 60);
                break;
            case 'S':
                AppendTwoDigits(out, seconds % 60);
                break;
            default:
                out += format[i];
                break;
        }
    }
    return out;
}

std::string FormatDurationDays(double days) {
    const std::optional<int32_t> seconds = DaysToTimeSpan(days);
    if (!seconds) {
        return kOutOfRangeTime;
    }
    if (*seconds < kSecondsPerDayInt) {
        return FormatDuration(*seconds, "%H:%M:%S");
    }
    // The hours within the day would drop whole days from a duration: all of its hours show.
    std::string out = FormatInteger(*seconds / 3600);
    out += FormatDuration(*seconds % 3600, ":%M:%S");
    return out;
}

std::string FormatSectionTime(double daysAfterFirstDay) {
    const std::optional<int32_t> seconds = DaysToTimeSpan(daysAfterFirstDay);
    if (!seconds) {
        return kOutOfRangeTime;
    }
    return FormatDuration(*seconds, daysAfterFirstDay < 1.0 ? "%H:%M:%S" : "(+%D) %H:%M:%S");
}

std::string FormatNumber(double value) {
    return ToChars(value, 6);
}

std::string FormatInteger(long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatThreshold(double value) {
    return ToChars(value, 15);
}

DateFormatter SetDateFormatter(DateFormatter formatter) {
    return std::exchange(InstalledDateFormatter(), std::move(formatter));
}

std::string FormatDate(double days) {
    const DateFormatter& formatter = InstalledDateFormatter();
    return formatter ? formatter(days) : DefaultFormatDate(days);
}

std::string DefaultFormatDate(double days) {
    if (!(days > kFirstValidDay - 1.0 && days < kLastValidDayEnd)) {
        return kInvalidDate;  // also NaN
    }
    // Variant dates: the whole part (toward zero) is the day, the absolute fraction the time
    // of day, so -1.25 is 1899-12-29 06:00.
    const double whole = std::trunc(days);
    long long day = static_cast<long long>(whole);
    long long seconds =
        static_cast<long long>(std::floor(std::fabs(days - whole) * kSecondsPerDay + 0.5));
    if (seconds >= kSecondsPerDayInt) {
        ++day;
        seconds -= kSecondsPerDayInt;
    }
    const CivilDate date = CivilFromDays(day - kUnixEpochDay);
    if (date.year < 100 || date.year > 9999) {
        return kInvalidDate;
    }
    if (day == 0) {
        return FormatTimeOfDay(seconds);
    }
    std::string out;
    AppendPadded(out, date.year, 4);
    out += '-';
    AppendPadded(out, date.month, 2);
    out += '-';
    AppendPadded(out, date.day, 2);
    if (seconds != 0) {
        out += ' ';
        out += FormatTimeOfDay(seconds);
    }
    return out;
}

std::string TrackSectionList::GetTrackName() const {
    return IsEmpty() ? std::string() : (*this)[0].name;
}

std::string TrackSectionList::GetDisplayName(std::size_t i) const {
    if (i >= GetSize()) {
        return "(error)";
    }
    std::ptrdiff_t k = static_cast<std::ptrdiff_t>(i);
    while (k >= 0 && (*this)[static_cast<std::size_t>(k)].name == kContinuationName) {
        --k;
    }
    return FormatDisplayName(*this, i, k);
}

std::string FormatShownDate(double days, const DisplayOptions& options) {
    return FormatDate(ShownTime(days, options.time));
}

std::string FormatTitle(const TrackSectionList& sections, const DisplayOptions& options) {
    if (sections.IsEmpty()) {
        return kNoTrackTitle;
    }
    const TrackSection& first = sections[0];
    const TrackSection& last = sections[sections.GetSize() - 1];
    return "Pelorin - TRACK: " + sections.GetTrackName() + "   BEGIN: "
           + (first.hasTimes ? FormatShownDate(first.GetBeginTime(), options) : kNoTime)
           + "   END: " + (last.hasTimes ? FormatShownDate(last.GetEndTime(), options) : kNoTime);
}

std::vector<std::ptrdiff_t> FindNameOwners(const TrackSectionList& sections) {
    std::vector<std::ptrdiff_t> owners(sections.GetSize());
    std::ptrdiff_t owner = -1;
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        if (sections[i].name != kContinuationName) {
            owner = static_cast<std::ptrdiff_t>(i);
        }
        owners[i] = owner;
    }
    return owners;
}

std::string FormatDisplayName(const TrackSectionList& sections, std::size_t row,
                              std::ptrdiff_t owner) {
    if (owner < 0 || static_cast<std::size_t>(owner) >= sections.GetSize()) {
        return "(error)";
    }
    // "%s" stops at the first NUL byte of the name.
    std::string text = sections[static_cast<std::size_t>(owner)].name.c_str();
    text += " (";
    text += FormatInteger(static_cast<long long>(row) - owner + 1);
    text += ')';
    return text;
}

double FirstDay(const TrackSectionList& sections, const DisplayOptions& options) {
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        if (sections[i].hasTimes) {
            return std::floor(ShownTime(sections[i].GetBeginTime(), options.time));
        }
    }
    return 0.0;
}

SectionRow FormatSectionRow(const TrackSectionList& sections, std::size_t row, double firstDay,
                            std::ptrdiff_t owner, const DisplayOptions& options) {
    const TrackSection& section = sections[row];
    const auto timeOfDay = [&](double days) {
        return section.hasTimes ? FormatSectionTime(ShownTime(days, options.time) - firstDay)
                                : std::string(kNoTime);
    };
    SectionRow cells;
    cells.begin = timeOfDay(section.GetBeginTime());
    cells.end = timeOfDay(section.GetEndTime());
    cells.points = FormatInteger(static_cast<long long>(section.points.GetSize()));
    cells.distance = FormatNumber(ShownValue(section.GetLength3D() * 0.001, "km", options.units));
    cells.name = FormatDisplayName(sections, row, owner);
    return cells;
}

std::vector<StatisticsRow> FormatStatisticsRows(const TrackStatistics& statistics,
                                                const ChannelStatistics& channels,
                                                const DisplayOptions& options, bool hasTimes) {
    std::vector<StatisticsRow> rows;
    rows.reserve(kStatisticsRowCount + kChannelRowCount);
    for (std::size_t i = 0; i < kStatisticsRowCount; ++i) {
        const StatisticsRowInfo& info = kStatisticsRows[i];
        const double value = statistics.Get(i);
        switch (info.kind) {
            case StatisticsKind::Date:
                rows.push_back({info.label,
                                hasTimes ? FormatShownDate(value, options) : std::string(kNoTime),
                                TimeUnit(value, options.time), value});
                break;
            case StatisticsKind::Duration:
                rows.push_back({info.label, FormatDurationDays(value), info.unit, value});
                break;
            case StatisticsKind::Number:
                rows.push_back({info.label,
                                FormatNumber(ShownValue(value, info.unit, options.units)),
                                ShownUnit(info.unit, options.units), value});
                break;
        }
    }
    for (const ChannelRowInfo& info : kChannelRows) {
        if (channels.Of(info.channel).present) {
            const double value = ChannelRowValue(channels, info);
            rows.push_back({info.label, FormatNumber(value), info.unit, value});
        }
    }
    return rows;
}

std::vector<std::string> SectionColumnTexts(std::size_t column) {
    switch (column) {
        case 0:
        case 1:
            return {FormatSectionTime(12.0 + 86399.0 / kSecondsPerDay), FormatSectionTime(-0.25),
                    kOutOfRangeTime};
        case 2:
            return {FormatInteger(99999999)};
        case 3:
            return {FormatNumber(-1.23456e+06), FormatNumber(-1234.56)};
        default:
            return {};  // names: the last column, as wide as the list leaves it
    }
}

std::vector<std::string> StatisticsColumnTexts(std::size_t column) {
    std::vector<std::string> texts;
    for (const StatisticsRowInfo& info : kStatisticsRows) {
        if (column == 0) {
            texts.emplace_back(info.label);
        } else if (column == 2) {
            texts.emplace_back(info.unit);
            texts.emplace_back(ShownUnit(info.unit, UnitSystem::Imperial));
        }
    }
    for (const ChannelRowInfo& info : kChannelRows) {
        texts.emplace_back(column == 0 ? info.label : column == 2 ? info.unit : "");
    }
    if (column == 2) {
        // The local zone's names in winter and in summer.
        texts.push_back(TimeUnit(45000.5, TimeReference::Local));
        texts.push_back(TimeUnit(45150.5, TimeReference::Local));
    }
    if (column == 1) {
        // A late hour of a two-digit day and month: the widest a date of the locale gets.
        texts = {FormatDate(45286.0 + 86398.0 / kSecondsPerDay), FormatDurationDays(99.99),
                 FormatNumber(-1.23456e+06), FormatNumber(-1.23456e-100)};
    }
    return texts;
}
