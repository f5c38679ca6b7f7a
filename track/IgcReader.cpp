// Reader of IGC flight recorder files: one section of the B records, named after the file.
// A B record holds the time HHMMSS (UTC), latitude DDMMmmm with N or S, longitude DDDMMmmm
// with E or W, the validity A or V, the pressure altitude and the GNSS altitude (5 characters
// each, in metres). The GNSS altitude counts unless it is 0, then the pressure altitude does.
// The date comes from the HFDTE header; a time of day earlier than the one before means that
// a day has passed. Without a date, times count from day 0 of the day count.

#include <optional>
#include <string_view>

#include "track/LineReader.h"
#include "track/NumberText.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"

namespace {

constexpr std::size_t kPositionEnd = 24;  // a B record is cut short before this
constexpr std::size_t kPressureAltitude = 25;
constexpr std::size_t kGnssAltitude = 30;
constexpr std::size_t kAltitudeWidth = 5;
constexpr int64_t kSecondsPerDay = 86400;

/// The digits of text from first to first + count as a number; -1 if any is not a digit.
int64_t Digits(std::string_view text, std::size_t first, std::size_t count) {
    if (first + count > text.size()) {
        return -1;
    }
    int64_t value = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

/// Degrees from DDMMmmm (or DDDMMmmm) followed by the hemisphere letter.
std::optional<double> Angle(std::string_view text, std::size_t first, std::size_t degreeDigits,
                            char positive, char negative, double limit) {
    const int64_t degrees = Digits(text, first, degreeDigits);
    const int64_t thousandths = Digits(text, first + degreeDigits, 5);  // of a minute
    const char hemisphere = text[first + degreeDigits + 5];
    if (degrees < 0 || thousandths < 0 || thousandths >= 60000
        || (hemisphere != positive && hemisphere != negative)) {
        return std::nullopt;
    }
    const double value = static_cast<double>(degrees) + static_cast<double>(thousandths) / 60000.0;
    if (value > limit) {
        return std::nullopt;
    }
    return hemisphere == negative ? -value : value;
}

std::optional<double> Altitude(std::string_view record, std::size_t first) {
    if (first + kAltitudeWidth > record.size()) {
        return std::nullopt;
    }
    return ParseDecimal(record.substr(first, kAltitudeWidth));
}

/// Days since 1970 of the HFDTE header, in either form; nothing when it holds no valid date.
std::optional<int64_t> HeaderDate(std::string_view line) {
    line.remove_prefix(5);
    if (line.starts_with("DATE:")) {
        line.remove_prefix(5);
    }
    const int64_t day = Digits(line, 0, 2);
    const int64_t month = Digits(line, 2, 2);
    const int64_t year = Digits(line, 4, 2);
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 0) {
        return std::nullopt;
    }
    const int64_t fullYear = year >= 80 ? 1900 + year : 2000 + year;
    return DaysFromCivil(fullYear, static_cast<int>(month), static_cast<int>(day));
}

struct IgcState {
    int64_t date = -25569;      // days since 1970 of the first day; day 0 of the day count
    int64_t previousTime = -1;  // seconds of the day of the last B record with a time
    int64_t days = 0;           // days passed since the first
};

void ReadRecord(std::string_view record, IgcState& state, SectionWriter& writer) {
    if (record.size() < kPositionEnd) {
        writer.SkipPoint();
        return;
    }
    const std::optional<double> latitude = Angle(record, 7, 2, 'N', 'S', 90.0);
    const std::optional<double> longitude = Angle(record, 15, 3, 'E', 'W', 180.0);
    if (!latitude || !longitude) {
        writer.SkipPoint();
        return;
    }
    const int64_t hours = Digits(record, 1, 2);
    const int64_t minutes = Digits(record, 3, 2);
    const int64_t seconds = Digits(record, 5, 2);
    std::optional<double> time;
    if (hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 && seconds >= 0 && seconds < 60) {
        const int64_t ofDay = hours * 3600 + minutes * 60 + seconds;
        if (ofDay < state.previousTime) {
            ++state.days;
        }
        state.previousTime = ofDay;
        const int64_t whole = (state.date + state.days) * kSecondsPerDay + ofDay;
        time = DayCountOfUnixSeconds(static_cast<double>(whole));
    }
    const std::optional<double> gnss = Altitude(record, kGnssAltitude);
    const std::optional<double> pressure = Altitude(record, kPressureAltitude);
    writer.AddPoint(*latitude, *longitude, gnss && *gnss != 0.0 ? gnss : pressure, time);
}

ReadStatus ReadIgc(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                   Messages& messages) {
    SectionWriter writer(list, context.title);
    writer.BeginGroup();
    writer.BeginSection();
    LineReader reader(source);
    IgcState state;
    std::string_view line;
    for (;;) {
        const LineReader::Result result = reader.ReadLine(line);
        if (result == LineReader::Result::Error) {
            writer.Finish(context.path, messages);
            return ReadStatus::ReadFailed;
        }
        if (result == LineReader::Result::End) {
            break;
        }
        if (line.starts_with('B')) {
            ReadRecord(line, state, writer);
        } else if (line.starts_with("HFDTE")) {
            if (const std::optional<int64_t> date = HeaderDate(line)) {
                state.date = *date;
            }
        }
    }
    writer.Finish(context.path, messages);
    return ReadStatus::Ok;
}

bool EndsWithIgc(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string_view end = path.substr(path.size() - 4);
    return end[0] == '.' && (end[1] | 0x20) == 'i' && (end[2] | 0x20) == 'g'
           && (end[3] | 0x20) == 'c';
}

}  // namespace

const TrackFormat kIgcFormat = {
    [](std::string_view, std::string_view, std::string_view path) { return EndsWithIgc(path); },
    ReadIgc,
};
