#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "track/PltReader.h"

namespace {

TrackSectionList Read(const std::string& text, ReadStatus expected = ReadStatus::Ok) {
    TrackSectionList list;
    MemorySource source(text);
    EXPECT_EQ(ReadTrackText(list, source), expected);
    return list;
}

std::vector<std::string> Split(const std::string& text, bool trim = true) {
    std::vector<std::string> fields{"stale"};
    SplitFields(fields, text, ',', trim);
    return fields;
}

}  // namespace

TEST(SplitFields, AlwaysEndsWithOneMoreEmptyField) {
    EXPECT_EQ(Split("a,b"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(Split("a,b,"), (std::vector<std::string>{"a", "b", "", ""}));
    EXPECT_EQ(Split(""), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Split(" a , b\t"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(Split(" a , b", false), (std::vector<std::string>{" a ", " b", ""}));
}

TEST(PltReader, HeaderOnlyGivesOneNamedSectionWithoutPoints) {
    const TrackSectionList list = Read(Header("Walk"));
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list[0].name, "Walk");
    EXPECT_EQ(list[0].points.GetSize(), 0u);
}

TEST(PltReader, ReadsFieldsAndLeavesDerivedFieldsZero) {
    const TrackSectionList list =
        Read(Header() + " 46.5, 8.25 ,0, 1000,45122.5,15-Jul-23,12:00:00\r\n");
    ASSERT_EQ(list[0].points.GetSize(), 1u);
    const TrackPoint& p = list[0].points[0];
    EXPECT_EQ(p.latitude, 46.5);
    EXPECT_EQ(p.longitude, 8.25);
    EXPECT_DOUBLE_EQ(p.altitude, 304.8006096012);
    EXPECT_EQ(p.time, 45122.5);
    EXPECT_EQ(p.state, 0);
    EXPECT_EQ(p.distance, 0.0);
    EXPECT_EQ(p.flags, 0);
}

TEST(PltReader, MissingAltitudeMarkerIsConvertedLikeAnyValue) {
    const TrackSectionList list = Read(Header() + "1,2,0,-777,3\n");
    EXPECT_DOUBLE_EQ(list[0].points[0].altitude, -236.83007366013237);
}

TEST(PltReader, BreakFlagsStartContinuationSections) {
    const TrackSectionList list =
        Read(Header("Walk") + "1,1,1,0,1\n2,2,0,0,2\n3,3,1,0,3\n4,4,0,0,4\n5,5,1,0,5\n6,6,2,0,6\n");
    ASSERT_EQ(list.GetSize(), 4u);
    EXPECT_EQ(list[0].name, "Walk");
    EXPECT_EQ(list[0].points.GetSize(), 2u);  // the first line's flag starts nothing
    EXPECT_EQ(list[1].name, "+^+");
    EXPECT_EQ(list[1].points.GetSize(), 2u);
    EXPECT_EQ(list[1].points[0].latitude, 3.0);
    EXPECT_EQ(list[2].points.GetSize(), 1u);  // consecutive flags: a one-point section
    EXPECT_EQ(list[3].points.GetSize(), 1u);
    EXPECT_EQ(list[3].points[0].time, 6.0);
}

TEST(PltReader, BlankOrWhitespaceLineEndsThePoints) {
    EXPECT_EQ(Read(Header() + "\n1,1,0,0,1\n")[0].points.GetSize(), 0u);
    EXPECT_EQ(Read(Header() + "1,1,0,0,1\r\n \t \r\n2,2,0,0,2\r\n")[0].points.GetSize(), 1u);
}

TEST(PltReader, ShortAndLongPointLines) {
    const TrackSectionList list = Read(Header() + "1,2,0,10\n1,2,0,10,5,x,y\n7\n");
    ASSERT_EQ(list[0].points.GetSize(), 3u);
    EXPECT_EQ(list[0].points[0].time, 0.0);  // four fields: the date is the empty extra field
    EXPECT_EQ(list[0].points[1].time, 5.0);
    EXPECT_EQ(list[0].points[2].latitude, 7.0);  // the missing fields read as 0
    EXPECT_EQ(list[0].points[2].longitude, 0.0);
}

TEST(PltReader, HeaderNameIsTheTrimmedFourthField) {
    const std::string lines = "a\nb\nc\nd\n";
    EXPECT_EQ(Read(lines + "0,2,255\n0\n")[0].name, "");  // three fields: the empty extra one
    EXPECT_EQ(Read(lines + "0,2\n0\n")[0].name, "");      // fewer: missing reads as empty
    EXPECT_EQ(Read(lines + "0,2,255,  Lake walk  ,0\n0\n")[0].name, "Lake walk");
    EXPECT_EQ(Read("only one line\n")[0].name, "");
}

TEST(PltReader, FileWithoutHeaderLosesSixPointsToIt) {
    std::string text;
    for (int i = 1; i <= 8; ++i) {
        text +=
            std::to_string(i) + "," + std::to_string(i) + ",0," + (i == 5 ? "Five" : "0") + ",1\n";
    }
    const TrackSectionList list = Read(text);
    EXPECT_EQ(list[0].name, "Five");
    ASSERT_EQ(list[0].points.GetSize(), 2u);
    EXPECT_EQ(list[0].points[0].latitude, 7.0);
}

TEST(PltReader, LineEnds) {
    // CR LF, a lone CR inside a field, LF only and a last line without any end.
    const TrackSectionList list = Read(Header() + "1,2,0,0,3\r\n4,5,0,0,6\n7,8,0,0,9");
    ASSERT_EQ(list[0].points.GetSize(), 3u);
    EXPECT_EQ(list[0].points[2].time, 9.0);
    EXPECT_EQ(Read(Header() + "1,2\r3,0,0,3\n")[0].points[0].longitude, 2.0);
}

TEST(PltReader, CtrlZEndsTheFile) {
    const TrackSectionList list = Read(Header() + "1,2,0,0,3\n4,5,0,0,6\x1a\n7,8,0,0,9\n");
    ASSERT_EQ(list[0].points.GetSize(), 2u);
    EXPECT_EQ(list[0].points[1].time, 6.0);
    EXPECT_EQ(Read(Header() + "\x1a" + "1,2,0,0,3\n")[0].points.GetSize(), 0u);
    EXPECT_EQ(Read("a\nb\x1a\n1\n2\n0,0,0,Name\n")[0].name, "");
}

TEST(PltReader, LinesOfAnyLength) {
    const std::string longName(3 << 20, 'x');
    const std::string padding(5 << 20, ' ');
    const TrackSectionList list =
        Read("1\n2\n3\n4\n0,2,255," + longName + "\n6\n" + padding + "1,2,0,0,3" + padding + "\n");
    EXPECT_EQ(list[0].name, longName);
    ASSERT_EQ(list[0].points.GetSize(), 1u);
    EXPECT_EQ(list[0].points[0].time, 3.0);
}

TEST(PltReader, ReadErrorKeepsWhatWasRead) {
    const std::string text = Header() + "1,1,0,0,1\n2,2,1,0,2\n3,3,0,0,3\n";
    TrackSectionList list;
    MemorySource source(text, text.size() - 5);
    EXPECT_EQ(ReadTrackText(list, source), ReadStatus::ReadFailed);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list[1].points.GetSize(), 1u);

    TrackSectionList early;
    MemorySource inHeader(text, 10);
    EXPECT_EQ(ReadTrackText(early, inHeader), ReadStatus::ReadFailed);
    EXPECT_EQ(early.GetSize(), 0u);
}

TEST(PltReader, LoadReplacesAndAppendAdds) {
    TempFile file(Header("Walk") + "1,1,0,0,1\n2,2,1,0,2\n");
    TrackSectionList list;
    EXPECT_EQ(list.LoadTrackFile(file.Path()).status, ReadStatus::Ok);
    EXPECT_TRUE(list.ReadTrackFile(file.Path()).messages.empty());
    ASSERT_EQ(list.GetSize(), 4u);
    EXPECT_EQ(list[2].name, "Walk");
    EXPECT_EQ(list[3].name, "+^+");
    EXPECT_EQ(list.LoadTrackFile(file.Path()).status, ReadStatus::Ok);
    EXPECT_EQ(list.GetSize(), 2u);
}

TEST(PltReader, FileThatCannotBeOpened) {
    TempFile file(Header() + "1,1,0,0,1\n");
    const std::string missing = file.Dir() + "/no such file.plt";
    TrackSectionList list;
    list.LoadTrackFile(file.Path());

    const ReadResult append = list.ReadTrackFile(missing);
    EXPECT_EQ(append.status, ReadStatus::OpenFailed);
    EXPECT_EQ(append.messages, std::vector<std::string>{"Error opening file: " + missing});
    EXPECT_EQ(list.GetSize(), 1u);  // Append leaves the list as it was
    EXPECT_EQ(list.LoadTrackFile(missing).status, ReadStatus::OpenFailed);
    EXPECT_EQ(list.GetSize(), 0u);  // Load has emptied it first
    const ReadResult folder = list.LoadTrackFile(file.Dir());
    EXPECT_EQ(folder.status, ReadStatus::OpenFailed);
    EXPECT_EQ(folder.messages, std::vector<std::string>{"Error opening file: " + file.Dir()});
}
