#include "track/SectionWriter.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <utility>

#include "track/FilePaths.h"
#include "track/NumberText.h"

namespace {

const char kContinuationName[] = "+^+";

/// Reads exactly count digits at p; -1 when they are not all there.
int FixedDigits(const char*& p, const char* end, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i, ++p) {
        if (p == end || *p < '0' || *p > '9') {
            return -1;
        }
        value = value * 10 + (*p - '0');
    }
    return value;
}

bool Expect(const char*& p, const char* end, char c) {
    if (p == end || *p != c) {
        return false;
    }
    ++p;
    return true;
}

int DaysInMonth(int64_t year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

/// The zone designator at p, as seconds east of UTC; false when it is not one.
bool ReadZone(const char*& p, const char* end, int& offset) {
    offset = 0;
    if (p == end) {
        return true;
    }
    if (*p == 'Z' || *p == 'z') {
        ++p;
        return true;
    }
    if (*p != '+' && *p != '-') {
        return false;
    }
    const int sign = *p++ == '-' ? -1 : 1;
    const int hours = FixedDigits(p, end, 2);
    int minutes = 0;
    if (p != end) {
        Expect(p, end, ':');
        minutes = FixedDigits(p, end, 2);
    }
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) {
        return false;
    }
    offset = sign * (hours * 3600 + minutes * 60);
    return true;
}

}  // namespace

SectionWriter::SectionWriter(TrackSectionList& list, std::string title)
    : m_list(list), m_title(std::move(title)) {}

void SectionWriter::BeginGroup() {
    EndSection();
    m_groupName.clear();
    m_groupSections = 0;
}

void SectionWriter::SetGroupName(std::string_view name) {
    const std::string_view trimmed = TrimBlanks(name);
    if (trimmed.empty()) {
        return;
    }
    m_groupName = trimmed;
    if (m_groupSections > 0) {
        m_list[m_groupFirst].name = m_groupName;
    }
}

void SectionWriter::BeginSection() {
    EndSection();
    TrackSection& section = m_list.Add();
    if (m_groupSections == 0) {
        m_groupFirst = m_list.GetSize() - 1;
        section.name = m_groupName.empty() ? m_title : m_groupName;
    } else {
        section.name = kContinuationName;
    }
    ++m_groupSections;
    m_open = true;
    m_timed = 0;
    m_untimed = 0;
    m_haveAltitude = false;
    m_lastAltitude = 0.0;
    m_reserved = 0;
}

void SectionWriter::Reserve(std::size_t count) {
    if (m_open) {
        m_reserved = count;
        m_list[m_list.GetSize() - 1].points.Reserve(count);
    }
}

void SectionWriter::AddOrSkipPoint(const PointValues& point) {
    if (point.latitude && point.longitude) {
        const bool standIn = point.time && IsMissingTimeStandIn(*point.time);
        AddPoint(*point.latitude, *point.longitude, point.altitude,
                 standIn ? std::nullopt : point.time, point.samples);
    } else {
        SkipPoint();
    }
}

double ParseChannelSample(Channel channel, std::string_view text) {
    const std::optional<double> value = ParseDecimal(text);
    return value ? ChannelSample(channel, *value) : kMissingSample;
}

std::optional<double> ParseCoordinate(std::string_view text, double limit) {
    const std::optional<double> value = ParseDecimal(text);
    return value && *value >= -limit && *value <= limit ? value : std::nullopt;
}

void SectionWriter::AddPoint(double latitude, double longitude, std::optional<double> altitude,
                             std::optional<double> time, const ChannelSamples& samples) {
    if (!m_open) {
        return;
    }
    TrackSection& section = m_list[m_list.GetSize() - 1];
    GrowArray<TrackPoint>& points = section.points;
    if (altitude && !m_haveAltitude) {
        // The points before the first elevation take that one.
        for (std::size_t i = 0; i < points.GetSize(); ++i) {
            points[i].altitude = *altitude;
        }
        m_haveAltitude = true;
    }
    if (altitude) {
        m_lastAltitude = *altitude;
    }
    TrackPoint& point = points.Add();
    point.latitude = latitude;
    point.longitude = longitude;
    point.altitude = m_lastAltitude;
    // NaN marks a missing time until the section ends; no read time is NaN.
    point.time = time ? *time : std::numeric_limits<double>::quiet_NaN();
    ++(time ? m_timed : m_untimed);
    AddSamples(section.channels, points.GetSize(), samples);
    section.elevations.NoteRecorded(points.GetSize(), altitude.has_value(), m_reserved);
}

void SectionWriter::AddSamples(TrackChannels& channels, std::size_t count,
                               const ChannelSamples& samples) {
    for (const Channel channel : kChannels) {
        const double sample = samples[static_cast<std::size_t>(channel)];
        GrowArray<double>& values = channels.Of(channel);
        if (!values.IsEmpty()) {
            values.Add() = sample;
        } else if (!std::isnan(sample)) {
            values.Reserve(m_reserved);
            channels.Add(channel, count)[count - 1] = sample;
        }
    }
}

void SectionWriter::EndSection() {
    if (!m_open) {
        return;
    }
    m_open = false;
    TrackSection& section = m_list[m_list.GetSize() - 1];
    GrowArray<TrackPoint>& points = section.points;
    if (points.IsEmpty()) {
        // An element without points makes no section: the group's next section takes its
        // place, and with it the group's name.
        m_list.SetSize(m_list.GetSize() - 1);
        --m_groupSections;
        return;
    }
    m_noAltitudes = m_noAltitudes || !m_haveAltitude;
    if (m_timed == 0) {
        m_noTimes = true;
        section.hasTimes = false;
        for (std::size_t i = 0; i < points.GetSize(); ++i) {
            points[i].time = 0.0;
        }
    } else if (m_untimed > 0) {
        DropUntimedPoints(section);
    }
}

void SectionWriter::DropUntimedPoints(TrackSection& section) {
    GrowArray<TrackPoint>& points = section.points;
    GrowArray<unsigned char>& unrecorded = section.elevations.unrecorded;
    std::size_t kept = 0;
    bool anyUnrecorded = false;
    for (std::size_t i = 0; i < points.GetSize(); ++i) {
        if (!std::isnan(points[i].time)) {
            for (const Channel channel : kChannels) {
                if (section.channels.Has(channel)) {
                    section.channels.Of(channel)[kept] = section.channels.Of(channel)[i];
                }
            }
            if (!unrecorded.IsEmpty()) {
                unrecorded[kept] = unrecorded[i];
                anyUnrecorded = anyUnrecorded || unrecorded[i] != 0;
            }
            points[kept++] = points[i];
        }
    }
    points.SetSize(kept);
    for (const Channel channel : kChannels) {
        if (section.channels.Has(channel)) {
            section.channels.Of(channel).SetSize(kept);
        }
    }
    section.channels.DropEmpty();
    // Marks that only the dropped points needed are dropped with them.
    unrecorded.SetSize(anyUnrecorded ? kept : 0);
}

void SectionWriter::Finish(const std::string& path, std::vector<std::string>& messages) {
    EndSection();
    if (m_skipped > 0) {
        messages.push_back(path + ": " + std::to_string(m_skipped)
                           + " points without position were skipped.");
    }
    if (m_noAltitudes) {
        messages.push_back(path + ": the track has no elevations.");
    }
    if (m_noTimes) {
        messages.push_back(path + ": the track has no times.");
    }
}

int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<double> ParseIsoTime(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    const char* p = trimmed.data();
    const char* const end = p + trimmed.size();
    const int year = FixedDigits(p, end, 4);
    const int month = Expect(p, end, '-') ? FixedDigits(p, end, 2) : -1;
    const int day = Expect(p, end, '-') ? FixedDigits(p, end, 2) : -1;
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    if (p == end || (*p != 'T' && *p != 't' && *p != ' ')) {
        return std::nullopt;
    }
    ++p;
    const int hour = FixedDigits(p, end, 2);
    const int minute = Expect(p, end, ':') ? FixedDigits(p, end, 2) : -1;
    const int second = Expect(p, end, ':') ? FixedDigits(p, end, 2) : -1;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) {
        return std::nullopt;
    }
    double fraction = 0.0;
    if (p != end && *p == '.') {
        const char* const dot = p++;
        while (p != end && *p >= '0' && *p <= '9') {
            ++p;
        }
        if (p == dot + 1) {
            return std::nullopt;
        }
        fraction = TextToDouble(std::string_view(dot, static_cast<std::size_t>(p - dot)));
    }
    int offset = 0;
    if (!ReadZone(p, end, offset) || p != end) {
        return std::nullopt;
    }
    const int64_t whole =
        DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offset;
    return DayCountOfUnixSeconds(static_cast<double>(whole) + fraction);
}

bool IsMissingTimeStandIn(double days) {
    constexpr double kStandIn = -2147483648.0;  // seconds since 1970-01-01: 1901-12-13T20:45:52Z
    const double seconds = (days - DayCountOfUnixSeconds(0.0)) * 86400.0;
    // A millionth of a second of slack for the rounding of the day count.
    return std::floor(seconds + 1e-6) == kStandIn;
}

std::string FileTitle(const std::string& path) {
    return Utf8FromPath(PathFromUtf8(path).stem());
}
