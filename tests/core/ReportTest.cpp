// The texts of reports and files: tables, JSON and CSV values.

#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "report/FileText.h"
#include "report/Report.h"
#include "report/TextBytes.h"
#include "support/JsonReader.h"

TEST(Report, TextShowsEightBitNamesAsTheWindowDoes) {
    Report report;
    report.title = "Pelorin - TRACK: Z\xfcrich";
    report.sections.push_back({0, "Z\xfcrich", {"a", "b", "1", "0", "Z\xfcrich (1)"}});
    const std::string text = WriteTextReport(report);
    EXPECT_EQ(text.rfind("Pelorin - TRACK: Z\xc3\xbcrich\n", 0), 0u);
    EXPECT_NE(text.find("  Z\xc3\xbcrich (1)\n"), std::string::npos);
    EXPECT_EQ(ShownAsUtf8("Tour\xc3\xa9"), "Tour\xc3\xa9");  // UTF-8 stays as it is
}

TEST(Report, JsonStringsEscapeControlsAndReadBadBytesAsLatin1) {
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

TEST(Report, JsonNumbersKeepEveryBit) {
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

TEST(Report, CsvQuotesOnlyWhenNeeded) {
    EXPECT_EQ(CsvField("Total Time"), "Total Time");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}
