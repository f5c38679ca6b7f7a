#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ReadBytes.h"
#include "support/TestFiles.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"

namespace {

std::string Gpx(const std::string& body,
                const std::string& ns = "http://www.topografix.com/GPX/1/1") {
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"" + ns + "\">\n" + body
           + "</gpx>\n";
}

std::string Point(const std::string& lat, const std::string& inner = "") {
    return "<trkpt lat=\"" + lat + "\" lon=\"8\">" + inner + "</trkpt>";
}

/// Generates a long document without holding it: head, then count times the filler, then tail.
class RepeatSource : public ByteSource {
public:
    RepeatSource(std::string head, std::string filler, std::size_t count, std::string tail)
        : m_head(std::move(head)),
          m_filler(std::move(filler)),
          m_count(count),
          m_tail(std::move(tail)) {}
    std::ptrdiff_t Read(char* buffer, std::size_t size) override {
        std::size_t done = 0;
        while (done < size && m_stage <= 2) {
            const std::string& piece = m_stage == 0 ? m_head : m_stage == 1 ? m_filler : m_tail;
            const std::size_t count = std::min(size - done, piece.size() - m_offset);
            std::memcpy(buffer + done, piece.data() + m_offset, count);
            done += count;
            m_offset += count;
            if (m_offset == piece.size()) {
                m_offset = 0;
                m_stage += m_stage == 1 && --m_count > 0 ? 0 : 1;
            }
        }
        return static_cast<std::ptrdiff_t>(done);
    }

private:
    std::string m_head, m_filler;
    std::size_t m_count;
    std::string m_tail;
    int m_stage = 0;
    std::size_t m_offset = 0;
};

}  // namespace

TEST(TrackFormats, SectionsNamesAndContinuations) {
    const std::string seg = "<trkseg>" + Point("1") + "</trkseg>";
    const struct {
        std::string bytes;
        std::string outline;
    } cases[] = {
        {Gpx("<wpt lat=\"1\" lon=\"2\"/><trk><name> Walk </name>" + seg + seg + seg + "</trk><trk>"
             + seg
             + "</trk><rte><name>R</name><rtept lat=\"1\" lon=\"2\"/>"
               "<rtept lat=\"3\" lon=\"4\"/></rte>"),
         "Walk:1 +^+:1 +^+:1 walk:1 R:2"},
        {Gpx("<trk>" + seg + "<name>Late</name></trk>", "http://www.topografix.com/GPX/1/0"),
         "Late:1"},
        {"\xEF\xBB\xBF<!-- c --><!DOCTYPE x [<!ENTITY e \"E\">]><g:gpx xmlns:g=\"u\"><g:trk>"
         "<g:name>&e;</g:name><g:trkseg><g:trkpt lat=\"1\" lon=\"2\"/></g:trkseg></g:trk></g:gpx>",
         "E:1"},
        {"<TrainingCenterDatabase><Activities><Activity Sport=\"Biking\"><Id>2013Z</Id><Lap>"
         "<Track><Trackpoint><Position><LatitudeDegrees>1</LatitudeDegrees><LongitudeDegrees>2"
         "</LongitudeDegrees></Position></Trackpoint><Trackpoint/></Track></Lap><Lap><Track/>"
         "</Lap></Activity></Activities><Courses><Course><Name>C</Name><Track/></Course>"
         "</Courses></TrainingCenterDatabase>",
         "Biking 2013Z:1"},
        {Gpx("<trk><name>Ride</name><trkseg></trkseg>" + seg + seg + "</trk><rte/>"),
         "Ride:1 +^+:1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Outline(ReadBytes(c.bytes).list), c.outline) << c.bytes;
    }
}

TEST(TrackFormats, MissingElevationsAndTimes) {
    const std::string t1 = "<time>2020-01-01T00:00:00Z</time>";
    const struct {
        std::string points;
        std::vector<double> altitudes;
        bool timed;
        std::vector<std::string> warnings;
    } cases[] = {
        {Point("1", t1) + Point("2", "<ele>5</ele>" + t1) + Point("3", t1)
             + Point("4", "<ele>7</ele>" + t1) + Point("5", "<ele>1e999</ele>" + t1),
         {5, 5, 5, 7, 7},
         true,
         {}},
        {Point("1", "<ele>5</ele>" + t1) + Point("2", "<ele>6</ele>") + Point("3", t1),
         {5, 6},
         true,
         {}},
        {Point("1", "<ele>nan</ele><time>bad</time>") + Point("2") + Point("0x10"),
         {0, 0},
         false,
         {"w.gpx: 1 points without position were skipped.", "w.gpx: the track has no elevations.",
          "w.gpx: the track has no times."}},
    };
    for (const auto& c : cases) {
        const Read read = ReadBytes(Gpx("<trk><trkseg>" + c.points + "</trkseg></trk>"), "w.gpx");
        ASSERT_EQ(read.list.GetSize(), 1u) << c.points;
        const auto& points = read.list[0].points;
        ASSERT_EQ(points.GetSize(), c.altitudes.size()) << c.points;
        for (std::size_t i = 0; i < points.GetSize(); ++i) {
            EXPECT_EQ(points[i].altitude, c.altitudes[i]) << c.points << " point " << i;
            EXPECT_EQ(points[i].time, c.timed ? 43831.0 : 0.0) << c.points << " point " << i;
        }
        EXPECT_EQ(read.messages, c.warnings) << c.points;
    }
}

TEST(TrackFormats, IsoTimes) {
    EXPECT_EQ(ParseIsoTime("2023-07-15T06:42:20.250+02:00"), 0x1.60846462fc963p+15);
    const struct {
        const char* text;
        double seconds;  // after 2023-07-15T00:00:00Z
    } cases[] = {
        {"2023-07-15T00:00:00Z", 0},         {" 2023-07-15T00:00:00 ", 0},
        {"2023-07-15T01:30:00+01:30", 0},    {"2023-07-14T23:00:00.5-0100", 0.5},
        {"2023-07-15t00:00:00.125z", 0.125}, {"2023-07-15T00:00:00-05", 18000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseIsoTime(c.text), DayCountOfUnixSeconds(1689379200.0 + c.seconds)) << c.text;
    }
    for (const char* bad :
         {"", "2023-02-29T00:00:00Z", "2023-07-15", "2023-07-15T24:00:00Z", "2023-07-15T00:00:00.Z",
          "2023-07-15T00:00:00+2", "nan", "2023-7-15T0:0:0"}) {
        EXPECT_EQ(ParseIsoTime(bad), std::nullopt) << bad;
    }
}

TEST(TrackFormats, IgcRecordsDatesAndMidnight) {
    const std::string records =
        "B2359584350420N08026585WA0043800463\r\n"  // 43 deg 50.420 min N, 80 deg 26.585 min W
        "B0000034350396S08026557EA00439-0012\r\n"  // after midnight; negative GNSS altitude
        "B0000104350352N08026500WV0043900000\r\n"  // GNSS altitude 0: the pressure altitude
        "B000015435\r\n"                           // cut short: skipped
        "B0000204350xx2N08026500WA\r\n";           // no readable position: skipped
    for (const char* date : {"HFDTE160722", "HFDTEDATE:160722,01"}) {
        const Read read =
            ReadBytes(std::string("AXXX\r\n") + date + "\r\n" + records, "f/Flight.IGC");
        ASSERT_EQ(Outline(read.list), "Flight:3") << date;
        const auto& p = read.list[0].points;
        EXPECT_EQ(p[0].latitude, 43 + 50420 / 60000.0);
        EXPECT_EQ(p[0].longitude, -(80 + 26585 / 60000.0));
        EXPECT_EQ(p[1].latitude, -(43 + 50396 / 60000.0));
        EXPECT_EQ(p[0].time, DayCountOfUnixSeconds(1658015998.0));  // 2022-07-16 23:59:58
        EXPECT_EQ(p[1].time, DayCountOfUnixSeconds(1658016003.0));  // the next day
        EXPECT_EQ(p[0].altitude, 463);
        EXPECT_EQ(p[1].altitude, -12);
        EXPECT_EQ(p[2].altitude, 439);
        EXPECT_EQ(read.messages, std::vector<std::string>{
                                     "f/Flight.IGC: 2 points without position were skipped."});
    }
    EXPECT_EQ(ReadBytes("HFDTE010180\nB0000004500000N00700000EA0000000001\n", "x.igc")
                  .list[0]
                  .points[0]
                  .time,
              DaysFromCivil(1980, 1, 1) + 25569.0);
}

TEST(TrackFormats, MalformedXmlKeepsWhatWasReadWithOneMessage) {
    const TempFile file(Gpx("<trk><trkseg>" + Point("1") + Point("2") + "</trkseg>\n<trkseg>"
                            + Point("3") + "\n<trkpt lat=\"4\" lon=\"5\"></trk>"),
                        "cut.gpx");
    TrackSectionList list;
    const ReadResult read = list.LoadTrackFile(file.Path());
    EXPECT_EQ(read.status, ReadStatus::BadContent);
    EXPECT_EQ(Outline(list), "cut:2 +^+:1");
    ASSERT_EQ(read.messages.size(), 3u);  // no elevations, no times, and the error
    EXPECT_EQ(read.messages[2], file.Path() + ": mismatched tag at line 5.");
}

TEST(TrackFormats, PltWhateverItsFirstCharacter) {
    const std::string plt = "<track>\n\n\n\n0,2,255,Walk,0\n0\n1,2,0,1000,3\n";
    for (const std::string& bytes : std::vector<std::string>{
             plt, "<?xml version=\"1.0\"?><kml>\n\n\n\n0,2,255,Walk\n0\n1,2,0,1000,3\n", "<gpx"}) {
        const Read read = ReadBytes(bytes, "track.plt");
        ASSERT_EQ(read.list.GetSize(), bytes.size() < 10 ? 0u : 1u) << bytes;
        EXPECT_TRUE(read.list.IsEmpty() || read.list[0].points.GetSize() == 1u) << bytes;
    }
    EXPECT_EQ(Outline(ReadBytes(plt, "track.plt").list), "Walk:1");
}

TEST(TrackFormats, HostileDocuments) {
    std::string laughs = "<!DOCTYPE gpx [<!ENTITY a0 \"lol\">";
    for (int i = 1; i < 12; ++i) {
        std::string value;
        for (int k = 0; k < 10; ++k) {
            value += "&a" + std::to_string(i - 1) + ";";
        }
        laughs += "<!ENTITY a" + std::to_string(i) + " \"" + value + "\">";
    }
    const struct {
        std::string bytes;
        std::string message;  // the last one, after "h.gpx: "
    } cases[] = {
        {laughs + "]><gpx><trk><name>&a11;</name></trk></gpx>",
         "limit on input amplification factor (from DTD and entities) breached at line 1."},
        {"<!DOCTYPE gpx [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><gpx><trk><name>x&e;</name>"
         "<trkseg>"
             + Point("1") + "</trkseg></trk></gpx>",
         "the track has no times."},
        {"<gpx><trk><name>\xC3\x28</name></trk></gpx>",
         "not well-formed (invalid token) at line 1."},
    };
    for (const auto& c : cases) {
        const Read read = ReadBytes(c.bytes, "h.gpx");
        ASSERT_FALSE(read.messages.empty()) << c.bytes;
        EXPECT_EQ(read.messages.back(), "h.gpx: " + c.message) << c.bytes;
        EXPECT_TRUE(read.list.IsEmpty() || read.list[0].name == "x") << c.bytes;
    }
    // 100,000 nested elements, and a 100 MB attribute, streamed.
    const struct {
        std::string head;
        std::string filler;
        std::size_t count;
        const char* tail;
        ReadStatus status;
        const char* message;
    } streams[] = {
        {"<gpx>", "<a>", 100000, "</gpx>", ReadStatus::BadContent,
         "h.gpx: mismatched tag at line 1."},
        {"<gpx><trk><trkseg><trkpt lat=\"1", std::string(1024, '9'), 100 << 10,
         "\" lon=\"1\"/></trkseg></trk></gpx>", ReadStatus::BadContent,
         "h.gpx: 1 points without position were skipped."},
    };
    for (const auto& c : streams) {
        TrackSectionList list;
        RepeatSource source(c.head, c.filler, c.count, c.tail);
        Messages messages;
        EXPECT_EQ(ReadTrackSource(list, source, ReadContext{"h.gpx", "h"}, messages), c.status);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.front(), c.message);
    }
}
