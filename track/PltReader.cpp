// Reader of Ozi Explorer track files (.plt).
//
// What the reader takes from a file, and what it leaves on purpose:
// - Lines 1 to 6 are the header and only line 5 is looked at: its fourth comma-separated
//   field names the first section. The banner, datum, altitude unit and point count are not
//   checked, so any text file reads, and a file without a header loses six points to it.
// - Point lines carry latitude, longitude, break flag, altitude in feet and a day count since
//   1899-12-30; later fields (the date and time as text) are ignored, since they are often in
//   local time while the day count is UTC.
// - A nonzero break flag on any point line but the first starts a new section named "+^+".
// - Altitudes are multiplied by 0.3048006096012 (the US survey foot, not 0.3048); the
//   value -777 that marks "no altitude" is converted like any other, and the point is marked
//   as one without elevation, so that a terrain height may take its place.
// - Numbers always use a full stop; fields without a number read as 0.
// - The point lines end at the first line that is empty or holds only blanks.

#include "track/PltReader.h"

#include <cstring>
#include <vector>

#include "track/LineReader.h"
#include "track/NumberText.h"

namespace {

constexpr double kMetresPerFoot = 0.3048006096012;
constexpr double kNoAltitudeFeet = -777.0;
constexpr std::size_t kHeaderLines = 6;
constexpr std::size_t kNameLine = 5;
constexpr std::size_t kNameField = 3;
const char kContinuationName[] = "+^+";

/// Calls sink with each piece of text between separators, the last one included, until
/// sink returns false.
template <typename Sink>
void ForEachPiece(std::string_view text, char separator, Sink sink) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        const std::size_t stop = found == std::string_view::npos ? text.size() : found;
        if (!sink(text.substr(start, stop - start)) || found == std::string_view::npos) {
            return;
        }
        start = found + 1;
    }
}

/// The fourth field of the header's name line, trimmed; empty when the line has fewer
/// fields (with exactly three, the fourth is the splitter's extra empty field).
std::string NameField(std::string_view line) {
    std::string_view name;
    std::size_t index = 0;
    ForEachPiece(line, ',', [&](std::string_view piece) {
        if (index++ == kNameField) {
            name = TrimBlanks(piece);
            return false;
        }
        return true;
    });
    return std::string(name);
}

struct PointFields {
    double latitude = 0.0;   // degrees
    double longitude = 0.0;  // degrees
    int32_t breakFlag = 0;
    double feet = 0.0;
    double time = 0.0;  // days since 1899-12-30
};

/// Converts the first five fields of a point line. Each conversion reads straight from the
/// line: a number never holds a comma, so it ends within its field, and the next field starts
/// after the next comma. A field the line does not have reads as empty text.
void ReadPointFields(std::string_view line, PointFields& fields) {
    const char* p = line.data();
    const char* const end = p + line.size();
    const auto nextField = [&p, end] {
        const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
        p = comma != nullptr ? static_cast<const char*>(comma) + 1 : end;
    };
    fields.latitude = ReadDouble(p, end);
    nextField();
    fields.longitude = ReadDouble(p, end);
    nextField();
    fields.breakFlag = ReadInt(p, end);
    nextField();
    fields.feet = ReadDouble(p, end);
    nextField();
    fields.time = ReadDouble(p, end);
}

}  // namespace

void SplitFields(std::vector<std::string>& fields, const std::string& text, char separator,
                 bool trim) {
    fields.clear();
    ForEachPiece(text, separator, [&](std::string_view piece) {
        fields.emplace_back(trim ? TrimBlanks(piece) : piece);
        return true;
    });
    // One more, empty field: a point line of four fields thereby reads its date as 0.
    fields.emplace_back();
}

ReadStatus ReadTrackText(TrackSectionList& list, ByteSource& source) {
    LineReader reader(source);
    std::string_view line;
    std::string name;
    for (std::size_t number = 1; number <= kHeaderLines; ++number) {
        const LineReader::Result result = reader.ReadLine(line);
        if (result == LineReader::Result::Error) {
            return ReadStatus::ReadFailed;
        }
        if (result == LineReader::Result::Line && number == kNameLine) {
            name = NameField(line);
        }
    }

    TrackSection* section = &list.Add();
    section->name = std::move(name);
    std::size_t pointCount = 0;
    for (;;) {
        const LineReader::Result result = reader.ReadLine(line);
        if (result == LineReader::Result::Error) {
            return ReadStatus::ReadFailed;
        }
        if (result == LineReader::Result::End || TrimBlanks(line).empty()) {
            return ReadStatus::Ok;
        }
        PointFields fields;
        ReadPointFields(line, fields);
        // The first point belongs to the header's section whatever its flag says.
        if (pointCount != 0 && fields.breakFlag != 0) {
            section = &list.Add();
            section->name = kContinuationName;
        }
        TrackPoint& point = section->points.Add();
        point.longitude = fields.longitude;
        point.latitude = fields.latitude;
        point.altitude = fields.feet * kMetresPerFoot;
        point.time = fields.time;
        section->elevations.NoteRecorded(section->points.GetSize(), fields.feet != kNoAltitudeFeet);
        ++pointCount;
    }
}
