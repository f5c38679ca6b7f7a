// Runs the built pelorin-cli on the example track and on real recordings.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolProcess.h"
#include "report/ListFormat.h"
#include "support/JsonReader.h"
#include "support/TestFiles.h"

#ifdef PELORIN_TEST_QT
#include <QImage>
#include <QXmlStreamReader>
#endif

namespace {

const std::string kExample = std::string(PELORIN_EXAMPLES) + "/alpine_hike.plt";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    return fields;
}

double Number(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

JsonValue ParseReport(const ToolRun& run) {
    const std::optional<JsonValue> report = JsonReader::Parse(run.out);
    EXPECT_TRUE(report.has_value()) << run.out.substr(0, 300);
    return report.value_or(JsonValue{});
}

/// Checks the shape of a JSON report and that every figure's text is the "%g" of its value.
void CheckReport(const JsonValue& report) {
    ASSERT_EQ(report.type, JsonValue::Object);
    EXPECT_EQ(report.keys, (std::vector<std::string>{"title", "sections", "statistics"}));
    const JsonValue& statistics = report["statistics"];
    ASSERT_GE(statistics.items.size(), 31u);
    // After the 31, the figures of the channels the track has, in their order.
    std::size_t next = 0;
    for (std::size_t i = 31; i < statistics.items.size(); ++i) {
        while (next < kChannelRowCount && statistics[i]["label"].text != kChannelRows[next].label) {
            ++next;
        }
        ASSERT_LT(next, kChannelRowCount) << statistics[i]["label"].text;
        EXPECT_EQ(statistics[i]["unit"].text, kChannelRows[next++].unit);
        EXPECT_EQ(FormatNumber(statistics[i]["value"].number), statistics[i]["text"].text);
    }
    for (std::size_t i = 0; i < 31; ++i) {
        const JsonValue& row = statistics[i];
        EXPECT_EQ(row.keys, (std::vector<std::string>{"label", "value", "text", "unit"}));
        EXPECT_EQ(row["label"].text, kStatisticsRows[i].label);
        EXPECT_EQ(row["unit"].text, kStatisticsRows[i].unit);
        if (row["value"].type == JsonValue::String) {
            const std::string& value = row["value"].text;
            EXPECT_TRUE(value == "nan" || value == "inf" || value == "-inf") << value;
        } else if (kStatisticsRows[i].kind == StatisticsKind::Number) {
            EXPECT_EQ(FormatNumber(row["value"].number), row["text"].text) << row["label"].text;
        }
    }
    for (const JsonValue& section : report["sections"].items) {
        std::vector<std::string> keys{"index", "name", "display_name", "begin", "end", "points",
                                      "distance"};
        if (section.keys.size() > keys.size()) {
            keys.push_back("channels");  // only a section that has any
            EXPECT_FALSE(section["channels"].items.empty());
        }
        EXPECT_EQ(section.keys, keys);
    }
}

/// The real recordings of every kind the tool reads, sorted by path.
std::vector<std::string> RealFiles() {
    std::vector<std::string> files;
    for (const char* kind : {"gpx", "igc", "plt", "tcx"}) {
        const std::filesystem::path folder = std::filesystem::path(PELORIN_REAL_DATA) / kind;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (entry.path().extension() == std::string(".") + kind) {
                files.push_back(entry.path().string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(CliEndToEnd, ExampleAsText) {
    const ToolRun run = RunTool({kExample});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u + 1u + 3u + 2u + 32u);
    EXPECT_EQ(lines[0],
              "Pelorin - TRACK: Alpine hike   BEGIN: 2023-07-15 06:42:15   "
              "END: 2023-07-15 11:37:18");
    EXPECT_EQ(lines[2], "Sections:");
    EXPECT_EQ(lines[3], "Begin     End       Num Points  Distance  Name");
    EXPECT_EQ(lines[4].substr(0, 10), "06:42:15  ");
    EXPECT_EQ(lines[4].substr(lines[4].size() - 17), "  Alpine hike (1)");
    EXPECT_EQ(lines[5].substr(lines[5].size() - 17), "  Alpine hike (2)");
    EXPECT_EQ(lines[7], "Statistics:");
    EXPECT_EQ(lines[8].substr(0, 8), "Property");
    EXPECT_EQ(lines[9].rfind("Begin ", 0), 0u);
    EXPECT_EQ(lines[9].substr(lines[9].size() - 24), "2023-07-15 06:42:15  GMT");
    EXPECT_EQ(lines.back().rfind("Maximum Descent Slope ", 0), 0u);
}

TEST(CliEndToEnd, ExampleFormatsAgree) {
    const ToolRun json = RunTool({"--format", "json", kExample});
    ASSERT_EQ(json.status, 0) << json.err;
    const JsonValue report = ParseReport(json);
    CheckReport(report);
    EXPECT_EQ(report["title"].text, Lines(RunTool({kExample}).out)[0]);
    ASSERT_EQ(report["sections"].items.size(), 2u);
    const JsonValue& second = report["sections"][1];
    EXPECT_EQ(second["index"].number, 1.0);
    EXPECT_EQ(second["name"].text, "+^+");
    EXPECT_EQ(second["display_name"].text, "Alpine hike (2)");
    EXPECT_EQ(second["points"].text, "800");

    const ToolRun csv = RunTool({"--format=csv", kExample});
    ASSERT_EQ(csv.status, 0);
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "Property,Value,Units");
    for (std::size_t i = 0; i < 31; ++i) {
        const JsonValue& row = report["statistics"][i];
        EXPECT_EQ(lines[i + 1],
                  row["label"].text + "," + row["text"].text + "," + row["unit"].text);
    }
}

TEST(CliEndToEnd, UnitsAndTimeZoneChangeTextsAndUnitsNotValues) {
    const JsonValue metric = ParseReport(RunTool({"--format", "json", kExample}));
#ifndef _WIN32  // the zone rule below is a POSIX one
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
#endif
    const ToolRun run =
        RunTool({"--units", "imperial", "--time=local", "--format", "json", kExample});
#ifndef _WIN32
    unsetenv("TZ");
#endif
    ASSERT_EQ(run.status, 0) << run.err;
    const JsonValue imperial = ParseReport(run);
    const auto row = [](const JsonValue& report, std::size_t i) {
        const JsonValue& r = report["statistics"][i];
        return r["text"].text + " " + r["unit"].text;
    };
    for (std::size_t i = 0; i < 31; ++i) {
        EXPECT_EQ(imperial["statistics"][i]["value"].number,
                  metric["statistics"][i]["value"].number);
    }
    EXPECT_EQ(row(imperial, 6),
              FormatNumber(metric["statistics"][6]["value"].number / 1.609344) + " mi");
    EXPECT_EQ(row(imperial, 11),
              FormatNumber(metric["statistics"][11]["value"].number / 0.3048) + " ft");
    EXPECT_EQ(row(imperial, 21).substr(row(imperial, 21).size() - 7), " ft/min");
    EXPECT_EQ(row(imperial, 28), row(metric, 28));  // slopes stay percentages
    EXPECT_EQ(row(imperial, 2), row(metric, 2));    // durations stay
#ifndef _WIN32
    EXPECT_EQ(row(imperial, 0), "2023-07-15 08:42:15 CEST");
    EXPECT_EQ(imperial["sections"][1]["begin"].text, "12:27:19");
#endif
}

TEST(CliEndToEnd, EveryRealRecordingInEveryFormat) {
    const std::vector<std::string> files = RealFiles();
    if (files.empty()) {
        GTEST_SKIP() << "no real recordings in " << PELORIN_REAL_DATA;
    }
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        // An OziExplorer track whose logger wrote no point reads as an empty recording.
        const ToolRun text = RunTool({file});
        EXPECT_EQ(text.status, 0) << text.err;
        const ToolRun json = RunTool({"--format", "json", file});
        EXPECT_EQ(json.status, 0);
        const JsonValue report = ParseReport(json);
        CheckReport(report);
        // Title, blank, caption, headings, one line per section, blank, caption, headings and
        // a line per figure.
        const std::size_t figures = report["statistics"].items.size();
        EXPECT_EQ(Lines(text.out).size(), 7u + report["sections"].items.size() + figures);
        const ToolRun csv = RunTool({"--format", "csv", file});
        EXPECT_EQ(csv.status, 0);
        EXPECT_EQ(Lines(csv.out).size(), 1u + figures);
    }
}

TEST(CliEndToEnd, FurtherFilesAreAppendedInOrder) {
    const std::vector<std::string> files = RealFiles();
    if (files.size() < 3) {
        GTEST_SKIP() << "no real recordings in " << PELORIN_REAL_DATA;
    }
    // A GPX, a .plt and a TCX file.
    const std::vector<std::string> three = {files.front(), files[files.size() / 2], files.back()};
    std::vector<std::string> names;
    for (const std::string& file : three) {
        const JsonValue alone = ParseReport(RunTool({"--format", "json", file}));
        for (const JsonValue& section : alone["sections"].items) {
            names.push_back(section["display_name"].text);
        }
    }
    std::vector<std::string> args = {"--format", "json"};
    args.insert(args.end(), three.begin(), three.end());
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");  // no progress when stderr is not a terminal
    const JsonValue report = ParseReport(run);
    ASSERT_EQ(report["sections"].items.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(report["sections"][i]["index"].number, static_cast<double>(i));
        EXPECT_EQ(report["sections"][i]["display_name"].text, names[i]);
    }
}

TEST(CliEndToEnd, UnreadableFilesGiveStatusOneAndTheRestIsReported) {
    const ToolRun run = RunTool({"--format", "json", "/nonexistent/a.plt", kExample});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error opening file: /nonexistent/a.plt\n");
    EXPECT_EQ(ParseReport(run)["sections"].items.size(), 2u);
    const TempFile picture("\x89PNG\r\n\x1a\n", "picture.gpx");
    const ToolRun notATrack = RunTool({picture.Path()});
    EXPECT_EQ(notATrack.status, 1);
    EXPECT_EQ(notATrack.err, picture.Path() + ": no track points could be read.\n");

    // The plot of what could be read is still drawn, and the status still tells of the failure.
    const TempFile plot("", "profile.svg");
    EXPECT_EQ(RunTool({"--plot", plot.Path(), "/nonexistent/a.plt", kExample}).status, 1);
    EXPECT_NE(ReadAll(plot.Path()).find("</svg>"), std::string::npos);

#ifndef _WIN32  // no file that opens and then fails to read is at hand there
    const ToolRun failed = RunTool({kExample, "/proc/self/mem"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("An unknown error occurred while accessing /proc/self/mem."),
              std::string::npos)
        << failed.err;
#endif
}

TEST(CliEndToEnd, NamesBeyondAsciiInFoldersAndFiles) {
#ifdef _WIN32
    const std::string folder = "\\Zürich 2019\\";
#else
    const std::string folder = "/Zürich 2019/";
#endif
    const TempFile scratch("", "unused");
    std::filesystem::create_directory(PathFromUtf8(scratch.Dir() + folder));
    const std::string track = scratch.Dir() + folder + "Tour.plt";
    const std::string points = scratch.Dir() + folder + "Punkte ß.csv";
    std::filesystem::copy_file(PathFromUtf8(kExample), PathFromUtf8(track));
    const ToolRun run = RunTool({"--format", "json", "--points", points, track});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, RunTool({"--format", "json", kExample}).out);
    EXPECT_EQ(Lines(ReadAll(points)).size(), 1u + 3280u);
    EXPECT_EQ(RunTool({track + "ü"}).err, "Error opening file: " + track + "ü\n");
}

TEST(CliEndToEnd, CommandLineMistakesGiveStatusTwo) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"--frobnicate", kExample},      {"--vertical", "abc", kExample},
        {"--speed", "1,8", kExample},    {"--vertical", "1e999", kExample},
        {"--select", "2", kExample},     {"--select", "0,,1", kExample},
        {"--select", "-1", kExample},    {"--connect", "dont", kExample},
        {"--format", "xml", kExample},   {"--size", "0x10", kExample},
        {"--size", "856", kExample},     {"--size", "16385x100", kExample},
        {"--plot", "out.jpg", kExample}, {"--over", "height", kExample},
        {kExample, "--points"},          {},
    };
    for (const std::vector<std::string>& args : mistakes) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0] + " " + args.back());
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("pelorin-cli: "), std::string::npos);
    }
}

TEST(CliEndToEnd, ValuesMayBeginWithAMinusSign) {
    EXPECT_EQ(RunTool({"--vertical", "-5", kExample}).status, 0);
    EXPECT_EQ(RunTool({"--speed", "-1e-09", "--format", "csv", kExample}).status, 0);
    EXPECT_EQ(RunTool({"--vertical=+2.5e1", kExample}).status, 0);
}

TEST(CliEndToEnd, HelpDocumentsEveryOption) {
    const ToolRun run = RunTool({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* option :
         {"--select", "--connect", "--vertical", "--speed", "--units", "--time", "--format",
          "--points", "--plot", "--over", "--size", "Exit status"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}

TEST(CliEndToEnd, SelectionIsJoinedInListOrderAndCountsEachSectionOnce) {
    const JsonValue forward =
        ParseReport(RunTool({"--format", "json", "--select", "0,1", kExample}));
    const JsonValue shuffled =
        ParseReport(RunTool({"--format", "json", "--select", " 1, 0,1 ", kExample}));
    const JsonValue all = ParseReport(RunTool({"--format", "json", kExample}));
    const JsonValue second = ParseReport(RunTool({"--format", "json", "--select", "1", kExample}));
    for (std::size_t i = 0; i < 31; ++i) {
        EXPECT_EQ(shuffled["statistics"][i]["text"].text, forward["statistics"][i]["text"].text);
        EXPECT_EQ(all["statistics"][i]["text"].text, forward["statistics"][i]["text"].text);
    }
    EXPECT_EQ(second["statistics"][0]["text"].text, "2023-07-15 10:27:19");
    EXPECT_EQ(second["sections"].items.size(), 2u);  // the list shows every section

    const JsonValue none = ParseReport(RunTool({"--format", "json", "--select", "", kExample}));
    EXPECT_EQ(none["statistics"][10]["text"].text, "100000");   // Min Elevation
    EXPECT_EQ(none["statistics"][11]["text"].text, "-100000");  // Max Elevation
    EXPECT_EQ(none["statistics"][13]["text"].text, "-0");       // Total Descent
    EXPECT_EQ(none["statistics"][7]["value"].text, "nan");
}

TEST(CliEndToEnd, ConnectionModeChangesTheJoin) {
    const JsonValue none =
        ParseReport(RunTool({"--format", "json", "--connect", "none", kExample}));
    const JsonValue all = ParseReport(RunTool({"--format", "json", "--connect", "all", kExample}));
    // Joined, the cable-car gap counts as time; apart it does not.
    EXPECT_LT(none["statistics"][2]["value"].number, all["statistics"][2]["value"].number);
}

TEST(CliEndToEnd, NamesThatAreNotUtf8AreReadAsLatin1) {
    const TempFile file(Header("Caf\xe9 \"\x01\"\\\tTour\xc3\xa9")
                        + "46.5,8.0,0,3000,45000.5\r\n46.501,8.0,0,3010,45000.501\r\n");
    const ToolRun run = RunTool({"--format", "json", file.Path()});
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Caf\\u00e9 \\\"\\u0001\\\"\\\\\\tTour\xc3\xa9"), std::string::npos);
    const JsonValue report = ParseReport(run);
    EXPECT_EQ(report["sections"][0]["name"].text, "Caf\xc3\xa9 \"\x01\"\\\tTour\xc3\xa9");
}

TEST(CliEndToEnd, PointsFileHoldsTheAnalysedTrack) {
    const TempFile points("", "points.csv");
    const ToolRun run = RunTool({"--points", points.Path(), "--format", "json", kExample});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(ReadAll(points.Path()));
    ASSERT_EQ(lines.size(), 1u + 3280u);
    EXPECT_EQ(lines[0], "index,state,distance,flags,longitude,latitude,altitude,time");
    // The first point line of the file: 46.561221, 8.032139, 3421.1 feet, 45122.2793403.
    const std::vector<std::string> first = Fields(lines[1]);
    ASSERT_EQ(first.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(first.begin(), first.begin() + 4),
              (std::vector<std::string>{"0", "1", "0", "8"}));
    EXPECT_EQ(first[4], "8.0321390000000008");
    EXPECT_EQ(first[5], "46.561221000000003");
    EXPECT_EQ(Number(first[6]), 3421.1 * 0.3048006096012);
    EXPECT_EQ(Number(first[7]), 45122.2793403);
    int fastest = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        fastest += (std::stoi(Fields(lines[i])[3]) & FlagFastest) != 0 ? 1 : 0;
    }
    EXPECT_GT(fastest, 0);
    EXPECT_EQ(RunTool({"--points", "/nonexistent/p.csv", kExample}).status, 1);
}

TEST(CliEndToEnd, PlotAsSvgAndPng) {
    const TempFile svg("", "profile.svg");
    const std::string png = svg.Dir() + "/profile.PNG";
    const std::string small = svg.Dir() + "/small.png";
    ASSERT_EQ(RunTool({"--plot", svg.Path(), kExample}).status, 0);
    const std::string document = ReadAll(svg.Path());
    EXPECT_NE(document.find("width=\"856\" height=\"169\""), std::string::npos);
    EXPECT_NE(document.find("<path stroke=\"#780000\" stroke-width=\"2\""), std::string::npos);
    EXPECT_EQ(RunTool({"--plot", "/nonexistent/p.svg", kExample}).status, 1);
#ifdef PELORIN_TEST_QT
    QXmlStreamReader xml(QByteArray::fromStdString(document));
    int paths = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        paths += xml.isStartElement() && xml.name() == QStringLiteral("path") ? 1 : 0;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(paths, 3);

    ASSERT_EQ(RunTool({"--plot", png, "--over", "time", kExample}).status, 0);
    ASSERT_EQ(RunTool({"--plot", small, "--size", "300x80", kExample}).status, 0);
    const QImage image(QString::fromStdString(png), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(856, 169));
    EXPECT_EQ(image.pixel(855, 0), qRgb(240, 240, 240));
    EXPECT_EQ(QImage(QString::fromStdString(small)).size(), QSize(300, 80));
#endif
}
