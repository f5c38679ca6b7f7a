#pragma once

#include <string>
#include <string_view>

// How the figures and times a user reads are shown. The value travels with every call that
// writes them; the track's own units (km, m, km/h, days since 1899-12-30 in UTC) never change.

/// Metric: km, m, km/h, m/m (metres per minute). Imperial: mi, ft, mph, ft/min. Slopes stay
/// ratios in percent either way.
enum class UnitSystem { Metric, Imperial };

/// Dates and times of day as the file stores them (UTC, shown with the unit "GMT"), or in the
/// machine's local time zone (with its abbreviation, e.g. "CEST").
enum class TimeReference { Utc, Local };

struct DisplayOptions {
    UnitSystem units = UnitSystem::Metric;
    TimeReference time = TimeReference::Utc;

    bool operator==(const DisplayOptions&) const = default;
};

/// A figure given in one of the track's units ("km", "m", "km/h", "m/m") in the shown unit.
double ShownValue(double value, std::string_view trackUnit, UnitSystem units);
/// The unit text of a figure given in a track unit; other units ("%", "") stay as they are.
const char* ShownUnit(const char* trackUnit, UnitSystem units);

/// A day count (UTC) as the chosen time shows it: shifted by the local time zone's offset at
/// that instant. The day count 0, which stands for a section without points or times, stays.
double ShownTime(double days, TimeReference time);
/// The unit of a date: "GMT", or the abbreviation of the local zone at that instant.
std::string TimeUnit(double days, TimeReference time);

/// The machine's local time zone at an instant (days since 1899-12-30, UTC): its offset east of
/// UTC in days and its abbreviation. Offset 0 and "GMT" where the instant has no local time.
struct LocalZone {
    double offset = 0.0;  // days
    std::string abbreviation = "GMT";
};
LocalZone LocalZoneAt(double days);
