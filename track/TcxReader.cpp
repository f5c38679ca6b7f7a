// Reader of Training Center files: each <Track> (of an Activity's laps or of a Course) is a
// section, and each <Trackpoint> with a <Position> a point. Trackpoints without a Position
// carry only heart rate or distance and are left out without a word. An Activity is named by
// its sport and Id ("Biking 2013-04-30T19:23:57.000Z"), a Course by its Name.

#include <optional>
#include <string>

#include "track/NumberText.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"
#include "track/XmlReader.h"

namespace {

class TcxHandler : public XmlHandler {
public:
    explicit TcxHandler(SectionWriter& writer) : m_writer(writer) {}

    bool StartElement(std::string_view name, const char* const* attributes) override {
        ++m_depth;
        if (m_groupDepth < 0 && (name == "Activity" || name == "Course")) {
            m_groupDepth = m_depth;
            m_activity = name == "Activity";
            const char* sport = m_activity ? FindAttribute(attributes, "Sport") : nullptr;
            m_sport = sport != nullptr ? sport : "";
            m_writer.BeginGroup();
            m_writer.SetGroupName(m_sport);
        } else if (m_trackDepth < 0 && name == "Track") {
            if (m_groupDepth < 0) {
                m_writer.BeginGroup();  // a track of no activity or course is a group alone
            }
            m_trackDepth = m_depth;
            m_writer.BeginSection();
        } else if (m_groupDepth >= 0 && m_depth == m_groupDepth + 1) {
            return name == (m_activity ? "Id" : "Name");
        } else if (m_trackDepth >= 0 && m_depth == m_trackDepth + 1 && name == "Trackpoint") {
            m_pointDepth = m_depth;
            m_position = false;
            m_point = {};
        } else if (m_pointDepth >= 0 && m_depth == m_pointDepth + 1) {
            m_position = m_position || name == "Position";
            return name == "AltitudeMeters" || name == "Time";
        } else if (m_position && m_depth == m_pointDepth + 2) {
            return name == "LatitudeDegrees" || name == "LongitudeDegrees";
        }
        return false;
    }

    void EndElement(std::string_view name, std::string_view text) override {
        if (m_pointDepth >= 0 && m_depth > m_pointDepth) {
            PointField(name, text);
        } else if (m_depth == m_pointDepth) {
            EndPoint();
        } else if (m_depth == m_trackDepth) {
            m_writer.EndSection();
            m_trackDepth = -1;
        } else if (m_groupDepth >= 0 && m_depth == m_groupDepth + 1) {
            if (name == "Id" && m_activity) {
                m_writer.SetGroupName(m_sport.empty() ? std::string(text)
                                                      : m_sport + " " + std::string(text));
            } else if (name == "Name" && !m_activity) {
                m_writer.SetGroupName(text);
            }
        } else if (m_depth == m_groupDepth) {
            m_groupDepth = -1;
        }
        --m_depth;
    }

private:
    void PointField(std::string_view name, std::string_view text) {
        if (name == "LatitudeDegrees" && m_depth == m_pointDepth + 2) {
            m_point.latitude = ParseCoordinate(text, 90.0);
        } else if (name == "LongitudeDegrees" && m_depth == m_pointDepth + 2) {
            m_point.longitude = ParseCoordinate(text, 180.0);
        } else if (name == "AltitudeMeters" && m_depth == m_pointDepth + 1) {
            m_point.altitude = ParseDecimal(text);
        } else if (name == "Time" && m_depth == m_pointDepth + 1) {
            m_point.time = ParseIsoTime(text);
        }
    }

    void EndPoint() {
        m_pointDepth = -1;
        if (m_position) {
            m_writer.AddOrSkipPoint(m_point);
        }
    }

    SectionWriter& m_writer;
    long m_depth = 0;
    long m_groupDepth = -1;  // depth of the open Activity or Course
    long m_trackDepth = -1;
    long m_pointDepth = -1;
    bool m_activity = false;
    std::string m_sport;
    bool m_position = false;
    PointValues m_point;
};

ReadStatus ReadTcx(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                   Messages& messages) {
    SectionWriter writer(list, context.title);
    TcxHandler handler(writer);
    return ReadXmlTrack(source, handler, writer, context.path, messages);
}

}  // namespace

const TrackFormat kTcxFormat = {
    [](std::string_view, std::string_view root, std::string_view) {
        return root == "TrainingCenterDatabase";
    },
    ReadTcx,
};
