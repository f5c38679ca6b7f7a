#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "report/ListFormat.h"
#include "support/TestFiles.h"
#include "support/TrackBuilder.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

/// Day count of a time of day, in days after midnight.
double Clock(int hours, int minutes, double seconds) {
    return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

/// A section named name with points at the given day counts.
void AddSection(TrackSectionList& list, const std::string& name,
                std::initializer_list<double> times) {
    TrackSection& section = list.Add();
    section.name = name;
    for (double time : times) {
        AddPoint(section, 46.0, 8.0, 500.0, time);
    }
}

std::vector<std::string> DisplayNames(const TrackSectionList& list) {
    std::vector<std::string> names;
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(list);
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        names.push_back(list.GetDisplayName(i));
        EXPECT_EQ(FormatDisplayName(list, i, owners[i]), names.back()) << "row " << i;
    }
    return names;
}

}  // namespace

TEST(ListFormat, TimeSpanRoundsHalfUpAndTruncatesTowardZero) {
    EXPECT_EQ(DaysToTimeSpan(Clock(10, 20, 30.4)), 37230);
    EXPECT_EQ(DaysToTimeSpan(Clock(10, 20, 30.6)), 37231);
    EXPECT_EQ(DaysToTimeSpan(0.5 / 86400.0), 1);
    EXPECT_EQ(DaysToTimeSpan(-0.25), -21599);  // -21600 + 0.5 truncates toward zero
    EXPECT_EQ(DaysToTimeSpan(24855.0), 2147472000);
    EXPECT_EQ(DaysToTimeSpan(-24855.0), -2147471999);
}

TEST(ListFormat, TimeSpanOutsideTheSignedRangeIsEmpty) {
    EXPECT_EQ(DaysToTimeSpan(24856.0), std::nullopt);
    EXPECT_EQ(DaysToTimeSpan(-24856.0), std::nullopt);
    EXPECT_EQ(DaysToTimeSpan(-45000.0), std::nullopt);  // a section without points
    EXPECT_EQ(DaysToTimeSpan(kNaN), std::nullopt);
    EXPECT_EQ(DaysToTimeSpan(kInf), std::nullopt);
    EXPECT_EQ(DaysToTimeSpan(-kInf), std::nullopt);
    EXPECT_EQ(FormatSectionTime(-45000.0), kOutOfRangeTime);
    EXPECT_EQ(FormatDurationDays(kNaN), kOutOfRangeTime);
}

TEST(ListFormat, DurationFieldsAreDividedSeparately) {
    EXPECT_EQ(FormatDuration(-21599, "%H:%M:%S"), "-5:-59:-59");
    EXPECT_EQ(FormatDuration(2 * 86400 + 3 * 3600 + 4 * 60 + 5, "%D|%H|%M|%S"), "2|03|04|05");
    EXPECT_EQ(FormatDuration(-90061, "%D %H:%M:%S"), "-1 -1:-1:-1");
    EXPECT_EQ(FormatDuration(59, "%%%x%S%"), "%x59");  // other codes yield their character
}

TEST(ListFormat, DurationsOfADayOrMoreShowTheirWholeHours) {
    EXPECT_EQ(FormatDurationDays(Clock(23, 59, 59)), "23:59:59");
    EXPECT_EQ(FormatDurationDays(1.0 - 0.2 / 86400.0), "24:00:00");  // rounds up to a day
    EXPECT_EQ(FormatDurationDays(Clock(25, 3, 0)), "25:03:00");
    EXPECT_EQ(FormatDurationDays(3.0 + Clock(0, 0, 5)), "72:00:05");
    EXPECT_EQ(FormatDurationDays(24855.0), "596520:00:00");
    EXPECT_EQ(FormatDurationDays(-1.5), "-11:-59:-59");  // negative: each field on its own
}

TEST(ListFormat, SectionTimeShowsLaterDaysInParentheses) {
    EXPECT_EQ(FormatSectionTime(Clock(9, 15, 0)), "09:15:00");
    EXPECT_EQ(FormatSectionTime(1.0 + Clock(8, 0, 30)), "(+1) 08:00:30");
    EXPECT_EQ(FormatSectionTime(1.0), "(+1) 00:00:00");
    EXPECT_EQ(FormatSectionTime(12.0 + Clock(23, 59, 59)), "(+12) 23:59:59");
    EXPECT_EQ(FormatSectionTime(-0.25), "-5:-59:-59");
    // Just below one day takes the short format, whose hours wrap at the rounded midnight.
    EXPECT_EQ(FormatSectionTime(1.0 - 0.2 / 86400.0), "00:00:00");
}

TEST(ListFormat, NumbersPrintAsPercentG) {
    EXPECT_EQ(FormatNumber(12.5), "12.5");
    EXPECT_EQ(FormatNumber(0.0001), "0.0001");
    EXPECT_EQ(FormatNumber(0.00001), "1e-05");
    EXPECT_EQ(FormatNumber(100000.0), "100000");
    EXPECT_EQ(FormatNumber(1000000.0), "1e+06");
    EXPECT_EQ(FormatNumber(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatNumber(13.78954), "13.7895");
    EXPECT_EQ(FormatNumber(-0.0), "-0");
    EXPECT_EQ(FormatNumber(kInf), "inf");
    EXPECT_EQ(FormatNumber(-kInf), "-inf");
    EXPECT_EQ(FormatNumber(kNaN), "nan");
    EXPECT_EQ(FormatNumber(-kNaN), "-nan");  // the sign of x86's default NaN
    EXPECT_EQ(FormatInteger(-42), "-42");
    EXPECT_EQ(FormatThreshold(15.0), "15");
    EXPECT_EQ(FormatThreshold(1.8), "1.8");
    EXPECT_EQ(FormatThreshold(0.1 + 0.2), "0.3");
}

TEST(ListFormat, NumbersIgnoreADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!SetCommaLocale(LC_NUMERIC)) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const std::string number = FormatNumber(12.5);
    const std::string threshold = FormatThreshold(1.8);
    const std::string date = DefaultFormatDate(45122.5);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(number, "12.5");
    EXPECT_EQ(threshold, "1.8");
    EXPECT_EQ(date, "2023-07-15 12:00:00");
}

TEST(ListFormat, DefaultDateRoundsToTheSecondWithoutTimeZone) {
    EXPECT_EQ(DefaultFormatDate(45122.2793403), "2023-07-15 06:42:15");
    EXPECT_EQ(DefaultFormatDate(37681.0 + Clock(10, 20, 30.4)), "2003-03-01 10:20:30");
    EXPECT_EQ(DefaultFormatDate(37681.0 + Clock(10, 20, 30.6)), "2003-03-01 10:20:31");
    EXPECT_EQ(DefaultFormatDate(1.0), "1899-12-31");
    EXPECT_EQ(DefaultFormatDate(61.0), "1900-03-01");  // 1900 is no leap year
    EXPECT_EQ(DefaultFormatDate(36585.0), "2000-02-29");
}

TEST(ListFormat, DefaultDateLeavesOutTheZeroDayAndAnExactMidnight) {
    EXPECT_EQ(DefaultFormatDate(0.0), "00:00:00");
    EXPECT_EQ(DefaultFormatDate(0.75), "18:00:00");
    EXPECT_EQ(DefaultFormatDate(37681.0), "2003-03-01");
    EXPECT_EQ(DefaultFormatDate(37681.0 - 0.2 / 86400.0), "2003-03-01");  // rounds to midnight
    EXPECT_EQ(DefaultFormatDate(37681.0 + 0.4 / 86400.0), "2003-03-01");
}

TEST(ListFormat, DefaultDateTakesNegativeDaysAsVariantDates) {
    EXPECT_EQ(DefaultFormatDate(-1.25), "1899-12-29 06:00:00");  // absolute fraction
    EXPECT_EQ(DefaultFormatDate(-0.5), "12:00:00");              // still the zero day
    EXPECT_EQ(DefaultFormatDate(-1.0), "1899-12-29");
    EXPECT_EQ(DefaultFormatDate(-2.0 - 86399.8 / 86400.0), "1899-12-29");  // 23:59:59.8 rounds up
}

TEST(ListFormat, DefaultDateOutsideYears100To9999IsInvalid) {
    EXPECT_EQ(DefaultFormatDate(-657434.0), "0100-01-01");
    EXPECT_EQ(DefaultFormatDate(-657434.5), "0100-01-01 12:00:00");
    EXPECT_EQ(DefaultFormatDate(-657435.0), "invalid date");
    EXPECT_EQ(DefaultFormatDate(2958465.5), "9999-12-31 12:00:00");
    EXPECT_EQ(DefaultFormatDate(2958466.0), "invalid date");
    EXPECT_EQ(DefaultFormatDate(1e300), "invalid date");
    EXPECT_EQ(DefaultFormatDate(kNaN), "invalid date");
    EXPECT_EQ(DefaultFormatDate(-kInf), "invalid date");
}

TEST(ListFormat, DateFormatterCanBeReplacedAndRestored) {
    EXPECT_EQ(FormatDate(37681.5), "2003-03-01 12:00:00");
    SetDateFormatter([](double days) { return "day " + FormatNumber(days); });
    EXPECT_EQ(FormatDate(37681.5), "day 37681.5");
    const DateFormatter previous = SetDateFormatter({});
    EXPECT_TRUE(static_cast<bool>(previous));
    EXPECT_EQ(FormatDate(37681.5), "2003-03-01 12:00:00");
}

TEST(ListFormat, ContinuationSectionsCountOnFromTheirNamedSection) {
    TrackSectionList list;
    AddSection(list, "Walk", {1.0});
    AddSection(list, "+^+", {2.0});
    AddSection(list, "+^+", {3.0});
    AddSection(list, "Bike", {4.0});
    AddSection(list, "+^+", {5.0});
    AddSection(list, "+^+ ", {6.0});  // not the marker: compared exactly
    AddSection(list, "", {});
    EXPECT_EQ(DisplayNames(list),
              (std::vector<std::string>{"Walk (1)", "Walk (2)", "Walk (3)", "Bike (1)", "Bike (2)",
                                        "+^+  (1)", " (1)"}));
}

TEST(ListFormat, ContinuationWithoutNamedSectionIsAnError) {
    TrackSectionList list;
    AddSection(list, "+^+", {1.0});
    AddSection(list, "+^+", {2.0});
    AddSection(list, std::string("Ri\0de", 5), {3.0});  // "%s" ends at the NUL
    EXPECT_EQ(DisplayNames(list), (std::vector<std::string>{"(error)", "(error)", "Ri (1)"}));
    EXPECT_EQ(list.GetDisplayName(3), "(error)");  // beyond the list
}

TEST(ListFormat, TitleNamesTheFirstSectionWithBeginAndEndOfTheList) {
    TrackSectionList list;
    EXPECT_EQ(FormatTitle(list), "Pelorin - NO TRACK LOADED - PRES LOAD BUTTON !!!");
    AddSection(list, "Walk", {37681.0 + Clock(9, 15, 0), 37681.0 + Clock(12, 0, 0)});
    AddSection(list, "+^+", {37682.0 + Clock(8, 0, 30), 37682.0 + Clock(17, 30, 0)});
    EXPECT_EQ(list.GetTrackName(), "Walk");
    EXPECT_EQ(FormatTitle(list),
              "Pelorin - TRACK: Walk   BEGIN: 2003-03-01 09:15:00   END: 2003-03-02 17:30:00");
    AddSection(list, "Empty", {});  // a last section without points ends at day 0
    EXPECT_EQ(FormatTitle(list),
              "Pelorin - TRACK: Walk   BEGIN: 2003-03-01 09:15:00   END: 00:00:00");
}

TEST(ListFormat, SectionRowsAreRelativeToTheFirstDay) {
    TrackSectionList list;
    AddSection(list, "Walk", {37681.0 + Clock(9, 15, 0), 37681.0 + Clock(10, 20, 30.4)});
    AddSection(list, "+^+", {37682.0 + Clock(8, 0, 30), 37682.0 + Clock(10, 20, 30.6)});
    AddSection(list, "Empty", {});
    BuildLine(list.Add(), {500.0, 500.0, 500.0, 500.0}, 120.0, 30.0, 37680.75);
    const double firstDay = FirstDay(list);
    EXPECT_EQ(firstDay, 37681.0);
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(list);

    const SectionRow first = FormatSectionRow(list, 0, firstDay, owners[0]);
    EXPECT_EQ(first.begin, "09:15:00");
    EXPECT_EQ(first.end, "10:20:30");
    EXPECT_EQ(first.points, "2");
    EXPECT_EQ(first.name, "Walk (1)");
    const SectionRow second = FormatSectionRow(list, 1, firstDay, owners[1]);
    EXPECT_EQ(second.begin, "(+1) 08:00:30");
    EXPECT_EQ(second.end, "(+1) 10:20:31");
    EXPECT_EQ(second.name, "Walk (2)");
    const SectionRow empty = FormatSectionRow(list, 2, firstDay, owners[2]);
    EXPECT_EQ(empty.begin, kOutOfRangeTime);  // time 0.0, about 103 years before
    EXPECT_EQ(empty.points, "0");
    EXPECT_EQ(empty.distance, "0");
    const SectionRow line = FormatSectionRow(list, 3, firstDay, owners[3]);
    EXPECT_EQ(line.begin, "-5:-59:-59");  // 18:00 on the day before
    EXPECT_EQ(line.distance, "0.36");     // 360 m in km
    EXPECT_EQ(line.points, "4");
}

TEST(ListFormat, StatisticsRowsTakeTheirTextByKind) {
    TrackStatistics figures{};
    figures.begin = 37681.0 + Clock(9, 15, 0);
    figures.totalTime = Clock(25, 3, 0);
    figures.stoppedTime = -0.25;
    figures.distance2D = 1234567.0;
    figures.totalDescent = -0.0;
    figures.maximumDescentSlope = kNaN;
    const std::vector<StatisticsRow> rows = FormatStatisticsRows(figures);
    ASSERT_EQ(rows.size(), 31u);
    const auto row = [&](std::size_t i) {
        return rows[i].label + "|" + rows[i].value + "|" + rows[i].unit;
    };
    EXPECT_EQ(row(0), "Begin|2003-03-01 09:15:00|GMT");
    EXPECT_EQ(row(1), "End|00:00:00|GMT");
    EXPECT_EQ(row(2), "Total Time|25:03:00|");
    EXPECT_EQ(row(4), "Stopped Time|-5:-59:-59|");
    EXPECT_EQ(row(5), "Distance 2D|1.23457e+06|km");
    EXPECT_EQ(row(13), "Total Descent|-0|m");
    EXPECT_EQ(row(21), "Average Ascent Speed|0|m/m");
    EXPECT_EQ(row(23), "Moving Average Speed in Ascent|0|km/h");
    EXPECT_EQ(row(27), "Average Ascent Slope|0|%");
    EXPECT_EQ(row(30), "Maximum Descent Slope|nan|%");
}

TEST(ListFormat, SectionsWithoutTimesShowNoDatesButTheirDurations) {
    TrackSectionList list;
    AddSection(list, "Untimed", {0.0, 0.0});
    list[0].hasTimes = false;
    AddSection(list, "Walk", {37681.0 + Clock(9, 15, 0), 37681.0 + Clock(12, 0, 0)});
    EXPECT_EQ(FormatTitle(list), "Pelorin - TRACK: Untimed   BEGIN: --   END: 2003-03-01 12:00:00");
    const double firstDay = FirstDay(list);
    EXPECT_EQ(firstDay, 37681.0);
    const std::vector<std::ptrdiff_t> owners = FindNameOwners(list);
    EXPECT_EQ(FormatSectionRow(list, 0, firstDay, owners[0]).begin, "--");
    EXPECT_EQ(FormatSectionRow(list, 0, firstDay, owners[0]).end, "--");
    EXPECT_EQ(FormatSectionRow(list, 1, firstDay, owners[1]).begin, "09:15:00");
    TrackStatistics figures{};
    figures.totalTime = Clock(1, 0, 0);
    const std::vector<StatisticsRow> rows = FormatStatisticsRows(figures, {}, {}, false);
    EXPECT_EQ(rows[0].value + rows[1].value, "----");
    EXPECT_EQ(rows[2].value, "01:00:00");
}

// The zone is given as a POSIX rule, so that no time zone database is needed.
TEST(ListFormat, ImperialUnitsAndLocalTimesChangeTextsAndUnits) {
#ifdef _WIN32
    GTEST_SKIP() << "the zone rule is a POSIX one";
#else
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const DisplayOptions options{UnitSystem::Imperial, TimeReference::Local};
    TrackStatistics figures{};
    figures.begin = 37803.0 + Clock(12, 0, 0);  // 2003-07-01, summer time
    figures.end = 37622.0;                      // 2003-01-01, winter time
    figures.distance2D = 16.09344;
    figures.minElevation = 304.8;
    figures.maximumSpeed = 32.18688;
    figures.averageAscentSpeed = 3.048;
    figures.averageAscentSlope = 12.5;
    const std::vector<StatisticsRow> rows = FormatStatisticsRows(figures, {}, options);
    const auto row = [&](std::size_t i) {
        return rows[i].value + "|" + rows[i].unit;
    };
    EXPECT_EQ(row(0), "2003-07-01 14:00:00|CEST");
    EXPECT_EQ(row(1), "2003-01-01 01:00:00|CET");
    EXPECT_EQ(row(5), "10|mi");
    EXPECT_EQ(row(9), "20|mph");
    EXPECT_EQ(row(10), "1000|ft");
    EXPECT_EQ(row(21), "10|ft/min");
    EXPECT_EQ(row(27), "12.5|%");
    TrackSectionList list;
    AddSection(list, "Walk", {37803.0 + Clock(22, 30, 0)});
    BuildLine(list.Add(), {0.0, 0.0}, 3218.688, 30.0, 37804.0);
    const double firstDay = FirstDay(list, options);
    EXPECT_EQ(firstDay, 37804.0);  // half past midnight, local time
    EXPECT_EQ(FormatSectionRow(list, 0, firstDay, 0, options).begin, "00:30:00");
    EXPECT_EQ(FormatSectionRow(list, 1, firstDay, 0, options).distance, "2");
    unsetenv("TZ");
    tzset();
#endif
}
