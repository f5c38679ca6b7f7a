#include "report/DisplayOptions.h"

#include <cmath>
#include <ctime>

#include "track/SectionWriter.h"

namespace {

constexpr double kMetresPerFoot = 0.3048;  // the international foot
constexpr double kKmPerMile = 1.609344;
constexpr double kUnixEpochDay = 25569.0;  // 1970-01-01 in days since 1899-12-30
constexpr double kSecondsPerDay = 86400.0;

struct UnitPair {
    std::string_view track;
    const char* imperial;
    double divisor;  // track unit per imperial unit
};

// km/h and mph share the divisor of km and mi; m/m and ft/min that of m and ft.
constexpr UnitPair kUnits[] = {
    {"km", "mi", kKmPerMile},
    {"m", "ft", kMetresPerFoot},
    {"km/h", "mph", kKmPerMile},
    {"m/m", "ft/min", kMetresPerFoot},
};

const UnitPair* Find(std::string_view trackUnit) {
    for (const UnitPair& pair : kUnits) {
        if (pair.track == trackUnit) {
            return &pair;
        }
    }
    return nullptr;
}

bool LocalTime(std::time_t when, std::tm& out) {
#ifdef _WIN32
    return localtime_s(&out, &when) == 0;
#else
    return localtime_r(&when, &out) != nullptr;
#endif
}

}  // namespace

double ShownValue(double value, std::string_view trackUnit, UnitSystem units) {
    const UnitPair* pair = units == UnitSystem::Imperial ? Find(trackUnit) : nullptr;
    return pair != nullptr ? value / pair->divisor : value;
}

const char* ShownUnit(const char* trackUnit, UnitSystem units) {
    const UnitPair* pair = units == UnitSystem::Imperial ? Find(trackUnit) : nullptr;
    return pair != nullptr ? pair->imperial : trackUnit;
}

LocalZone LocalZoneAt(double days) {
    const double seconds = std::floor((days - kUnixEpochDay) * kSecondsPerDay);
    // Within the range every platform's time_t and calendar functions handle.
    if (!(seconds > -2.0e12 && seconds < 2.0e12)) {
        return {};
    }
    const auto when = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!LocalTime(when, local)) {
        return {};
    }
    const double localSeconds =
        static_cast<double>(DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday))
            * kSecondsPerDay
        + local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    char name[64];
    const std::size_t length = std::strftime(name, sizeof name, "%Z", &local);
    return {(localSeconds - seconds) / kSecondsPerDay,
            length != 0 ? std::string(name, length) : std::string("GMT")};
}

double ShownTime(double days, TimeReference time) {
    if (time == TimeReference::Utc || days == 0.0) {
        return days;
    }
    return days + LocalZoneAt(days).offset;
}

std::string TimeUnit(double days, TimeReference time) {
    if (time == TimeReference::Utc || days == 0.0) {
        return "GMT";
    }
    return LocalZoneAt(days).abbreviation;
}
