// Reader of Training Center files: each <Track> (of an Activity's laps or of a Course) is a
// section, and each <Trackpoint> with a <Position> a point. Trackpoints without a Position
// carry only heart rate or distance and are left out without a word. An Activity is named by
// its sport and Id ("Biking 2013-04-30T19:23:57.000Z"), a Course by its Name. A point's heart
// rate is its <HeartRateBpm><Value>, its cadence <Cadence>, and its power the <Watts> of the
// activity extension (<Extensions><TPX>), with any namespace prefix.

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
            m_child = name == "Position"       ? Child::Position
                      : name == "HeartRateBpm" ? Child::HeartRate
                      : name == "Extensions"   ? Child::Extensions
                                               : Child::Other;
            m_position = m_position || m_child == Child::Position;
            return name == "AltitudeMeters" || name == "Time" || name == "Cadence";
        } else if (m_pointDepth >= 0 && m_depth == m_pointDepth + 2) {
            return (m_child == Child::Position
                    && (name == "LatitudeDegrees" || name == "LongitudeDegrees"))
                   || (m_child == Child::HeartRate && name == "Value")
                   || (m_child == Child::Extensions && name == "Watts");
        } else if (m_pointDepth >= 0 && m_depth > m_pointDepth + 2) {
            return m_child == Child::Extensions && name == "Watts";
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
        const bool child = m_depth == m_pointDepth + 1;
        if (m_child == Child::Position && m_depth == m_pointDepth + 2) {
            if (name == "LatitudeDegrees") {
                m_point.latitude = ParseCoordinate(text, 90.0);
            } else if (name == "LongitudeDegrees") {
                m_point.longitude = ParseCoordinate(text, 180.0);
            }
        } else if (m_child == Child::HeartRate && name == "Value" && !child) {
            Sample(Channel::HeartRate, text);
        } else if (m_child == Child::Extensions && name == "Watts") {
            Sample(Channel::Power, text);
        } else if (child && name == "AltitudeMeters") {
            m_point.altitude = ParseDecimal(text);
        } else if (child && name == "Time") {
            m_point.time = ParseIsoTime(text);
        } else if (child && name == "Cadence") {
            Sample(Channel::Cadence, text);
        }
    }

    void Sample(Channel channel, std::string_view text) {
        m_point.samples[static_cast<std::size_t>(channel)] = ParseChannelSample(channel, text);
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
    enum class Child { Other, Position, HeartRate, Extensions };
    Child m_child = Child::Other;  // the point's child element open, or the last one
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
