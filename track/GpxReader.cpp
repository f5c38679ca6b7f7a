// Reader of GPX 1.0 and 1.1: each <trkseg> of each <trk> is a section, and so is each <rte>
// with its <rtept>s; waypoints are not part of a track. A point needs a readable lat and lon
// (in range); <ele> and <time> may be missing, by the rules of SectionWriter. A <time> of
// 1901-12-13T20:45:52Z, which GPSBabel writes for points without one, counts as missing.
// Within a point's <extensions>, at any depth and with any namespace prefix: hr, cad and atemp
// of Garmin's track point extension (v1 and v2), and the power that devices write as power or
// PowerInWatts.

#include <optional>

#include "track/NumberText.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"
#include "track/XmlReader.h"

namespace {

/// The channel an element within a point's extensions carries, if any.
std::optional<Channel> ExtensionChannel(std::string_view name) {
    if (name == "hr") {
        return Channel::HeartRate;
    }
    if (name == "cad") {
        return Channel::Cadence;
    }
    if (name == "atemp") {
        return Channel::Temperature;
    }
    if (name == "power" || name == "PowerInWatts") {
        return Channel::Power;
    }
    return std::nullopt;
}

/// A coordinate attribute; a missing one reads as empty text, which is no number.
std::optional<double> CoordinateAttribute(const char* const* attributes, std::string_view name,
                                          double limit) {
    const char* text = FindAttribute(attributes, name);
    return ParseCoordinate(text != nullptr ? text : "", limit);
}

class GpxHandler : public XmlHandler {
public:
    explicit GpxHandler(SectionWriter& writer) : m_writer(writer) {}

    bool StartElement(std::string_view name, const char* const* attributes) override {
        ++m_depth;
        if (m_groupDepth < 0 && (name == "trk" || name == "rte")) {
            m_groupDepth = m_depth;
            m_route = name == "rte";
            m_writer.BeginGroup();
            if (m_route) {
                m_writer.BeginSection();
            }
        } else if (m_groupDepth >= 0 && m_depth == m_groupDepth + 1) {
            if (!m_route && name == "trkseg") {
                m_segmentDepth = m_depth;
                m_writer.BeginSection();
            } else if (m_route && name == "rtept") {
                BeginPoint(attributes);
            }
            return name == "name";
        } else if (m_segmentDepth >= 0 && m_depth == m_segmentDepth + 1 && name == "trkpt") {
            BeginPoint(attributes);
        } else if (m_pointDepth >= 0 && m_depth == m_pointDepth + 1) {
            if (name == "extensions") {
                m_extensionsDepth = m_depth;
            }
            return name == "ele" || name == "time";
        } else if (m_extensionsDepth >= 0 && m_depth > m_extensionsDepth) {
            return ExtensionChannel(name).has_value();
        }
        return false;
    }

    void EndElement(std::string_view name, std::string_view text) override {
        if (m_extensionsDepth >= 0 && m_depth > m_extensionsDepth) {
            if (const std::optional<Channel> channel = ExtensionChannel(name)) {
                m_point.samples[static_cast<std::size_t>(*channel)] =
                    ParseChannelSample(*channel, text);
            }
        } else if (m_pointDepth >= 0 && m_depth == m_pointDepth + 1) {
            if (name == "ele") {
                m_point.altitude = ParseDecimal(text);
            } else if (name == "time") {
                m_point.time = ParseIsoTime(text);
            }
            m_extensionsDepth = -1;
        } else if (m_depth == m_pointDepth) {
            EndPoint();
        } else if (m_groupDepth >= 0 && m_depth == m_groupDepth + 1 && name == "name") {
            m_writer.SetGroupName(text);
        } else if (m_depth == m_segmentDepth) {
            m_writer.EndSection();
            m_segmentDepth = -1;
        } else if (m_depth == m_groupDepth) {
            m_writer.EndSection();
            m_groupDepth = -1;
        }
        --m_depth;
    }

private:
    void BeginPoint(const char* const* attributes) {
        m_pointDepth = m_depth;
        m_point = {CoordinateAttribute(attributes, "lat", 90.0),
                   CoordinateAttribute(attributes, "lon", 180.0), std::nullopt, std::nullopt,
                   kNoSamples};
    }

    void EndPoint() {
        m_pointDepth = -1;
        m_writer.AddOrSkipPoint(m_point);
    }

    SectionWriter& m_writer;
    long m_depth = 0;
    long m_groupDepth = -1;  // depth of the open <trk> or <rte>
    long m_segmentDepth = -1;
    long m_pointDepth = -1;
    long m_extensionsDepth = -1;  // the open point's <extensions>
    bool m_route = false;
    PointValues m_point;
};

ReadStatus ReadGpx(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                   Messages& messages) {
    SectionWriter writer(list, context.title);
    GpxHandler handler(writer);
    return ReadXmlTrack(source, handler, writer, context.path, messages);
}

}  // namespace

const TrackFormat kGpxFormat = {
    [](std::string_view, std::string_view root, std::string_view) { return root == "gpx"; },
    ReadGpx,
};
