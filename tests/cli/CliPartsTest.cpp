#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "JsonReader.h"
#include "analysis/Joining.h"
#include "cli/CliOptions.h"
#include "ui/Report.h"
#include "ui/TextBytes.h"
#include "ui/ThresholdText.h"

namespace {

std::optional<CliOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string message;
    std::optional<CliOptions> options = ParseCliOptions(args, message);
    if (error != nullptr) {
        *error = message;
    }
    return options;
}

}  // namespace

TEST(CliOptions, DefaultsAreThoseOfTheWindow) {
    const std::optional<CliOptions> options = Parse({"a.plt", "b.plt"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->files, (std::vector<std::string>{"a.plt", "b.plt"}));
    EXPECT_FALSE(options->select.has_value());
    EXPECT_EQ(options->connectionMode, ConnectAuto);
    EXPECT_EQ(options->verticalThreshold, 15.0);
    EXPECT_EQ(options->speedThreshold, 1.8);
    EXPECT_EQ(options->format, ReportFormat::Text);
    EXPECT_TRUE(options->overDistance);
    EXPECT_EQ(options->plotWidth, 856);
    EXPECT_EQ(options->plotHeight, 169);
}

TEST(CliOptions, ValuesFollowAsNextArgumentOrAfterEquals) {
    const std::optional<CliOptions> options =
        Parse({"--vertical", "-5", "--speed=-1e-09", "--select", "3, 1,3", "--connect", "none",
               "--over=time", "--size", "300X80", "--", "--odd.plt"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->verticalThreshold, -5.0);
    EXPECT_EQ(options->speedThreshold, -1e-09);
    EXPECT_EQ(options->select, (std::vector<std::size_t>{3, 1, 3}));
    EXPECT_EQ(options->connectionMode, ConnectNone);
    EXPECT_FALSE(options->overDistance);
    EXPECT_EQ(options->plotWidth, 300);
    EXPECT_EQ(options->plotHeight, 80);
    EXPECT_EQ(options->files, (std::vector<std::string>{"--odd.plt"}));
    EXPECT_EQ(Parse({"--select", "", "a.plt"})->select, std::vector<std::size_t>{});
}

TEST(CliOptions, ThresholdsReadAsTheWindowsEditsReadThem) {
    const auto vertical = [](const char* text) -> std::optional<double> {
        const std::optional<CliOptions> options = Parse({"--vertical", text, "a.plt"});
        return options ? std::optional<double>(options->verticalThreshold) : std::nullopt;
    };
    EXPECT_EQ(vertical(" 1.5 "), 1.5);
    EXPECT_EQ(vertical("+.5e1"), 5.0);
    EXPECT_EQ(vertical("7."), 7.0);
    EXPECT_EQ(vertical("0.0"), 0.0);
    for (const char* bad : {"", ".", "e5", "1e", "1,5", "inf", "nan", "0x10", "1e400", "--1", "-0",
                            "+0", ".0", "1e-400"}) {
        EXPECT_EQ(vertical(bad), std::nullopt) << bad;
        EXPECT_EQ(ReadThresholdText(bad), std::nullopt) << bad;
    }
}

TEST(CliReport, TextShowsEightBitNamesAsTheWindowDoes) {
    Report report;
    report.title = "Pelorin - TRACK: Z\xfcrich";
    report.sections.push_back({0, "Z\xfcrich", {"a", "b", "1", "0", "Z\xfcrich (1)"}});
    const std::string text = WriteTextReport(report);
    EXPECT_EQ(text.rfind("Pelorin - TRACK: Z\xc3\xbcrich\n", 0), 0u);
    EXPECT_NE(text.find("  Z\xc3\xbcrich (1)\n"), std::string::npos);
    EXPECT_EQ(ShownAsUtf8("Tour\xc3\xa9"), "Tour\xc3\xa9");  // UTF-8 stays as it is
}

TEST(CliReport, JsonStringsEscapeControlsAndReadBadBytesAsLatin1) {
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a\"b\\c\n\r\t\x01\x1f"), "\"a\\\"b\\\\c\\n\\r\\t\\u0001\\u001f\"");
    EXPECT_EQ(JsonString(std::string("\0", 1)), "\"\\u0000\"");
    EXPECT_EQ(JsonString("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"),
              "\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\"");
    EXPECT_EQ(JsonString("\xe9"), "\"\\u00e9\"");                        // Latin-1 e acute
    EXPECT_EQ(JsonString("\xc0\xaf"), "\"\\u00c0\\u00af\"");             // overlong form
    EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");  // surrogate
    EXPECT_EQ(JsonString("\xe2\x82"), "\"\\u00e2\\u0082\"");             // cut short
    EXPECT_EQ(JsonString("\xf4\x90\x80\x80"), "\"\\u00f4\\u0090\\u0080\\u0080\"");  // > U+10FFFF
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::optional<JsonValue> read = JsonReader::Parse(JsonString(all));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->text.size(), 128u + 2u * 128u);  // every high byte became two UTF-8 bytes
}

TEST(CliReport, JsonNumbersKeepEveryBit) {
    EXPECT_EQ(JsonNumber(0.1), "0.10000000000000001");
    EXPECT_EQ(JsonNumber(-0.0), "-0");
    EXPECT_EQ(JsonNumber(1e21), "1e+21");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "\"inf\"");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "\"-inf\"");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::quiet_NaN()), "\"nan\"");
    const std::optional<JsonValue> read = JsonReader::Parse(JsonNumber(45122.279340300003));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->number, 45122.279340300003);
}

TEST(CliReport, CsvQuotesOnlyWhenNeeded) {
    EXPECT_EQ(CsvField("Total Time"), "Total Time");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}
